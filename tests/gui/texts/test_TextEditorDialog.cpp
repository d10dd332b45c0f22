#include "ui/texts/TextEditorDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "gui/common/DialogDriver.h"
#include "support/FakePlatform.h"
#include "support/ProgramFolderTest.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

class TextEditorDialogTest : public ProgramFolderTest {
protected:
    /** Answers the next modal window with `act` once it is up, noting its name. */
    void answerNext(const Action& act) {
        QTimer::singleShot(0, [this, act] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            answered.append(d ? d->objectName() : u"none"_s);
            if (d) act(*d);
        });
    }
    QStringList answered;
    FakeShellOpen shell;
    QWidget owner;
};

} // namespace

TEST_F(TextEditorDialogTest, PasteCheckAndCreate) {
    m.settings[1] = {0, u"出所"_s, u"https://a.jp/"_s};
    TextEditorDialog editor(m, shell, true, std::nullopt, &owner);
    const int result = execAndAct(editor, [this](QDialog& d) {
        auto& e = static_cast<TextEditorDialog&>(d);
        child<QLineEdit>(d, "titleEdit")->setText(u"表題"_s);
        child<QPlainTextEdit>(d, "bodyEdit")->setPlainText(u"あいう\n\nabc ▼def"_s);
        e.rebuildStatistics();
        EXPECT_EQ(child<QLabel>(d, "wholeTextLabel")->text(), u"全体  "_s + countsLine(e.statistics().whole));
        // Every marker becomes "。", a line break and a full-width space.
        child<QRadioButton>(d, "findOtherOption")->setChecked(true);
        child<QRadioButton>(d, "replaceOtherOption")->setChecked(true);
        answerNext(click("acceptButton"));
        child<QPushButton>(d, "replaceAllButton")->click();
        EXPECT_EQ(e.fields().body, u"あいう\n\nabc 。\n　def"_s);
        answerNext(click("acceptButton")); // no source
        child<QPushButton>(d, "saveButton")->click();
        child<QComboBox>(d, "sourceCombo")->setEditText(u"出所"_s);
        key(Qt::Key_Return, "sourceLinkLabel")(d);
        EXPECT_EQ(shell.opened, QStringList{u"https://a.jp/"_s});
        child<QComboBox>(d, "monthCombo")->setEditText(u"13"_s);
        answerNext(click("acceptButton")); // no such month
        child<QPushButton>(d, "saveButton")->click();
        EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
        child<QComboBox>(d, "monthCombo")->setEditText(u"3"_s);
        const QRect place = child<QPushButton>(d, "saveButton")->geometry();
        e.toggleEnlarged();
        e.toggleEnlarged();
        EXPECT_EQ(child<QPushButton>(d, "saveButton")->geometry(), place);
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(answered, (QStringList{u"EditorMessage"_s, u"FieldCheckWarning"_s, u"FieldCheckWarning"_s}));
    EXPECT_EQ(m.settings[Options::CurrentFile].address, editor.savedFileName());
    EXPECT_EQ(m.text.paragraphCount(), 3);
}

TEST_F(TextEditorDialogTest, EditAsksHowToSaveAndCloseAsksFirst) {
    const TextEditing::Fields f{u"T"_s, u"abc\n"_s, u"S"_s, {}, u"2024"_s, u"01"_s, u"02"_s};
    const auto first = OwnTexts::save(m, TextEditing::bodyStatistics(f.body),
                                      {f, {}, {}, {}, QDateTime(QDate(2024, 1, 2), QTime(9, 0))});
    TextEditorDialog editor(m, shell, true, OwnTexts::openForEditing(m, first.fileName, 2024, nullptr), &owner);
    const int result = execAndAct(editor, [this](QDialog& d) {
        child<QLineEdit>(d, "titleEdit")->setText(u"T2"_s);
        answerNext(click("rejectButton")); // keep editing
        d.reject();
        answerNext([](QDialog& ask) {
            EXPECT_TRUE(child<QRadioButton>(ask, "overwriteOption")->isChecked());
            EXPECT_EQ(child<QLabel>(ask, "titleStatus")->text() + child<QLabel>(ask, "bodyStatus")->text(),
                      u"変更あり変更なし"_s);
            click("acceptButton")(ask);
        });
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(answered, (QStringList{u"DiscardChangesDialog"_s, u"SaveChangesDialog"_s}));
    EXPECT_EQ(editor.savedFileName() + m.text.line(2), first.fileName + u"T2"_s);
}
