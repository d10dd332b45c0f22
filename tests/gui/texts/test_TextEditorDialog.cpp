#include "ui/texts/TextEditorDialog.h"

#include "core/records/OwnTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringListModel>

#include "gui/common/DialogDriver.h"
#include "support/FakePlatform.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

class TextEditorDialogTest : public ProgramFolderTest {
protected:
    /** Answers the next modal window with `act` once it is up, noting its name. */
    void answerNext(const Action& act) {
        QTimer::singleShot(0, [this, act] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                answered.append(d->objectName());
                act(*d);
            }
        });
    }
    QStringList answered;
    FakeShellOpen shell;
    QWidget owner;
};

} // namespace

TEST_F(TextEditorDialogTest, PasteCheckAndCreate) {
    TextEditorDialog editor(m, shell, true, std::nullopt, &owner);
    EXPECT_EQ(editor.windowTitle(), u"練習用テキスト作成"_s);
    const int result = execAndAct(editor, [this](QDialog& d) {
        child<QLineEdit>(d, "titleEdit")->setText(u"表題"_s);
        child<QPlainTextEdit>(d, "bodyEdit")->setPlainText(u"あいう\n\nabc ▼def"_s);
        auto& e = static_cast<TextEditorDialog&>(d);
        e.rebuildStatistics();
        auto* list = child<QListView>(d, "paragraphList");
        EXPECT_EQ(static_cast<QStringListModel*>(list->model())->stringList().size(), 2);
        EXPECT_EQ(child<QLabel>(d, "wholeTextLabel")->text(), u"全体  "_s + countsLine(e.statistics().whole));
        // Replace all markers by the sentence break.
        d.findChild<QGroupBox*>(u"searchFrame"_s)->findChildren<QRadioButton*>().at(1)->setChecked(true);
        d.findChild<QGroupBox*>(u"replacementFrame"_s)->findChildren<QRadioButton*>().at(1)->setChecked(true);
        answerNext(click("acceptButton"));
        child<QPushButton>(d, "replaceAllButton")->click();
        EXPECT_EQ(e.fields().body, u"あいう\n\nabc 。\n　def"_s);
        // The source is missing: the warning, and nothing saved.
        answerNext(click("acceptButton"));
        child<QPushButton>(d, "saveButton")->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
        child<QComboBox>(d, "sourceCombo")->setEditText(u"出所"_s);
        child<QComboBox>(d, "monthCombo")->setEditText(u"13"_s);
        answerNext(click("acceptButton"));
        child<QPushButton>(d, "saveButton")->click();
        child<QComboBox>(d, "monthCombo")->setEditText(u"3"_s);
        const QRect place = child<QPushButton>(d, "saveButton")->geometry();
        e.toggleEnlarged();
        e.toggleEnlarged();
        EXPECT_FALSE(e.isEnlarged());
        EXPECT_EQ(child<QPushButton>(d, "saveButton")->geometry(), place);
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(answered, (QStringList{u"EditorMessage"_s, u"FieldCheckWarning"_s, u"FieldCheckWarning"_s}));
    ASSERT_FALSE(editor.savedFileName().isEmpty());
    EXPECT_EQ(m.settings[Options::CurrentFile].address, editor.savedFileName());
    EXPECT_EQ(m.text.paragraphCount(), 3);
    EXPECT_EQ(m.settings[0].name, u"出所"_s);
}

TEST_F(TextEditorDialogTest, EditAsksHowToSaveAndCloseAsksFirst) {
    const TextEditing::Fields f{u"T"_s, u"abc\n"_s, u"S"_s, {}, u"2024"_s, u"01"_s, u"02"_s};
    const auto first = OwnTexts::save(m, TextEditing::bodyStatistics(f.body),
                                      {f, OwnTexts::SaveMode::Create, nullptr, false, QDateTime::currentDateTime()});
    ASSERT_TRUE(first.saved);
    auto edited = OwnTexts::openForEditing(m, first.fileName, 2024, nullptr);
    TextEditorDialog editor(m, shell, true, edited, &owner);
    EXPECT_EQ(editor.windowTitle(), u"練習用テキスト編集"_s);
    const int result = execAndAct(editor, [this](QDialog& d) {
        child<QLineEdit>(d, "titleEdit")->setText(u"T2"_s);
        answerNext(click("rejectButton")); // keep editing
        d.reject();
        EXPECT_TRUE(d.isVisible());
        answerNext([](QDialog& ask) {
            EXPECT_TRUE(child<QRadioButton>(ask, "overwriteOption")->isChecked());
            EXPECT_EQ(child<QLabel>(ask, "titleStatus")->text(), u"変更あり"_s);
            EXPECT_EQ(child<QLabel>(ask, "bodyStatus")->text(), u"変更なし"_s);
            click("acceptButton")(ask);
        });
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(answered, (QStringList{u"DiscardChangesDialog"_s, u"SaveChangesDialog"_s}));
    EXPECT_EQ(editor.savedFileName(), first.fileName);
    EXPECT_EQ(m.text.line(2), u"T2"_s);
}
