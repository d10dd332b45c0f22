#include "ui/common/PlainText.h"
#include "ui/common/QtJapanese.h"
#include "ui/common/Twips.h"
#include "ui/messages/DeleteTextConfirmation.h"
#include "ui/messages/EditorMessage.h"
#include "ui/messages/FieldCheckWarning.h"
#include "ui/messages/PickerMessage.h"
#include "ui/messages/TextLimitsWarning.h"
#include "ui/practice/AttemptFinishedDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

enum Kind { LimitsWarning, Picker, DeleteText, FieldCheck, Editor, Finished, KindCount };
const char* const KindName[] = {"TextLimitsWarning", "PickerMessage", "DeleteTextConfirmation",
                                "FieldCheckWarning", "EditorMessage", "AttemptFinishedDialog"};

template <typename T> std::unique_ptr<QDialog> build(QWidget* owner) {
    return std::make_unique<T>(owner);
}
std::unique_ptr<QDialog> (*const make[])(QWidget*) = {build<TextLimitsWarning>,      build<PickerMessage>,
                                                      build<DeleteTextConfirmation>, build<FieldCheckWarning>,
                                                      build<EditorMessage>,          build<AttemptFinishedDialog>};

// The dialog's answer: confirmed deletion, or details asked for.
bool answer(const QDialog& dialog, Kind kind) {
    if (kind == DeleteText) return static_cast<const DeleteTextConfirmation&>(dialog).confirmed();
    if (kind == Finished) return static_cast<const AttemptFinishedDialog&>(dialog).detailsRequested();
    return false;
}

template <typename T = QWidget> T* child(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

using Action = std::function<void(QDialog&)>;

Action click(const char* name) {
    return [name](QDialog& d) {
        if (auto* b = child<QPushButton>(d, name)) b->click();
    };
}

Action key(int key, const char* control = nullptr) {
    return [key, control](QDialog& d) {
        QWidget* target = control ? child(d, control) : d.focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
        QApplication::sendEvent(target, &up);
    };
}

Action focusThen(const char* focused, const Action& act) {
    return [focused, act](QDialog& d) {
        EXPECT_EQ(d.focusWidget() ? d.focusWidget()->objectName() : QString(), QString::fromLatin1(focused));
        act(d);
    };
}

const Action closeBox = [](QDialog& d) { d.close(); };

// The dialog's result, or StillOpen when the action, run inside the modal loop, left it open.
constexpr int StillOpen = -1;
int execAndAct(QDialog& dialog, const Action& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act(dialog);
        if (dialog.isVisible()) dialog.done(StillOpen);
    });
    return dialog.exec();
}

} // namespace

TEST(DialogFlags, EveryButtonKeyAndCloseBoxAnswersAsDesigned) {
    enum Flag { None, Delete, Details };
    struct Case {
        Kind kind;
        const char* what;
        Action act;
        int result;
        Flag flag;
        bool flagAfter;
    };
    std::vector<Case> cases = {
        {DeleteText, "削除", click("acceptButton"), QDialog::Accepted, Delete, true},
        {DeleteText, "ｷｬﾝｾﾙ", click("rejectButton"), QDialog::Rejected, Delete, false},
        {DeleteText, "Esc", key(Qt::Key_Escape), QDialog::Rejected, Delete, false},
        {DeleteText, "close box", closeBox, QDialog::Rejected, Delete, false},
        {DeleteText, "Enter", focusThen("rejectButton", key(Qt::Key_Return)), QDialog::Rejected, Delete, false},
        {Finished, "詳細(F1)", click("detailsButton"), QDialog::Accepted, Details, true},
        {Finished, "F1", key(Qt::Key_F1), QDialog::Accepted, Details, true},
        {Finished, "F1 on closeButton", key(Qt::Key_F1, "closeButton"), QDialog::Accepted, Details, true},
        {Finished, "F1 on inputTimeLabel", key(Qt::Key_F1, "inputTimeLabel"), QDialog::Accepted, Details, true},
        {Finished, "閉じる(Esc)", click("closeButton"), QDialog::Rejected, Details, false},
        {Finished, "Esc", key(Qt::Key_Escape), QDialog::Rejected, Details, false},
        {Finished, "close box", closeBox, QDialog::Rejected, Details, false},
        {Finished, "focusHolder", click("focusHolder"), StillOpen, Details, false},
        {Finished, "Space", key(Qt::Key_Space), StillOpen, Details, false},
        // Enter does nothing, whatever has the focus.
        {Finished, "Return", focusThen("focusHolder", key(Qt::Key_Return)), StillOpen, Details, false},
        {Finished, "Enter", key(Qt::Key_Enter), StillOpen, Details, false},
        {Finished, "Return on detailsButton", key(Qt::Key_Return, "detailsButton"), StillOpen, Details, false},
    };
    for (Kind kind : {LimitsWarning, Picker, FieldCheck, Editor}) {
        cases.push_back({kind, "OK", click("acceptButton"), QDialog::Accepted, None, false});
        cases.push_back({kind, "Enter", key(Qt::Key_Return), QDialog::Accepted, None, false});
    }
    QWidget owner;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(KindName[c.kind]) + " " + c.what);
        const auto dialog = make[c.kind](&owner);
        EXPECT_EQ(execAndAct(*dialog, c.act), c.result);
        if (c.flag != None) {
            EXPECT_EQ(answer(*dialog, c.kind), c.flagAfter);
        }
    }
}

TEST(DialogCentring, CentredOverTheOwnerWindow) {
    EXPECT_EQ(DialogFrame::centredOver({100, 200, 800, 600}, {320, 105}), QPoint(340, 447));
    EXPECT_EQ(DialogFrame::centredOver({0, 0, 981, 433}, {400, 200}), QPoint(290, 116));  // odd differences
    EXPECT_EQ(DialogFrame::centredOver({50, 40, 200, 100}, {320, 140}), QPoint(-10, 20)); // wider than the owner
}

TEST(DialogCentring, EditorMessageTakesTheOpenersWidth) {
    QWidget owner;
    EditorMessage dialog(&owner);
    const auto *ok = child(dialog, "acceptButton"), *label = child(dialog, "messageLabel");
    ASSERT_TRUE(ok && label);
    dialog.setFormWidth(5070);
    EXPECT_EQ(ok->x(), twips::toPixels(2055));
    const int narrowLabel = label->width();
    dialog.setFormWidth(8000);
    EXPECT_EQ(dialog.width(), twips::toPixels(8000));
    EXPECT_LE(std::abs(ok->geometry().center().x() - dialog.rect().center().x()), 1);
    EXPECT_EQ(label->width() - narrowLabel, dialog.width() - twips::toPixels(5070));
}

// With the program's dialog font: the designed texts, the longest texts the openers put in shown in
// full, and the dialog centred over its owner.
class DialogLayout : public ::testing::Test {
protected:
    void SetUp() override {
        QFont font(u"IPAPGothic"_s, 9);
        font.setFamilies({u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
        QApplication::setFont(font);
    }
    void TearDown() override { QApplication::setFont(m_saved); }
    const QFont m_saved = QApplication::font();
};

TEST_F(DialogLayout, CaptionsTextsFitAndCentring) {
    // Per dialog: caption, then control names with their texts; every button is listed.
    const std::vector<QStringList> designed = {
        {u"Rinvale QX"_s, u"explanationLabel"_s,
         u"全体の文字数が9999文字を超える場合、全体の段落数が 200段落を超える場合、１段落の文字数が "
         u"800文字を超える場合は、適当な箇所で分割または改行してください。"_s,
         u"acceptButton"_s, u"OK"_s},
        {u"Rinvale QX"_s, u"messageLabel"_s, u"編集するテキストを選択してください"_s, u"acceptButton"_s, u"OK"_s},
        {u"テキストの削除"_s, u"messageLabel"_s, u"削除したテキストは元に戻りません"_s, u"acceptButton"_s, u"削除"_s,
         u"rejectButton"_s, u"ｷｬﾝｾﾙ"_s},
        {u"Rinvale QX"_s, u"messageLabel"_s, u"必須項目が入力されていません"_s, u"acceptButton"_s, u"OK"_s},
        {u"Rinvale QX"_s, u"messageLabel"_s, u"2220 箇所置換しました"_s, u"acceptButton"_s, u"OK"_s},
        {u"Rinvale QX"_s, u"greetingLabel"_s, u"おつかれさま"_s, u"inputTimeLabel"_s, u"入力時間：  0分35秒"_s,
         u"detailsButton"_s, u"詳細(F1)"_s, u"closeButton"_s, u"閉じる(Esc)"_s, u"focusHolder"_s, QString()},
    };
    // The longest texts the openers put in.
    const QString longest[] = {{},
                               u"練習可能なテキストが見つかりません"_s,
                               {},
                               u"発行日に誤りがあります"_s,
                               u"検索（置換元）文字列を指定してください"_s,
                               u"入力時間：999分59秒"_s};
    QWidget owner;
    owner.setGeometry(333, 77, 1101, 655);
    owner.show();
    for (int kind = 0; kind < KindCount; ++kind) {
        SCOPED_TRACE(KindName[kind]);
        const auto dialog = make[kind](&owner);
        const QStringList& d = designed[size_t(kind)];
        EXPECT_EQ(dialog->objectName(), QString::fromLatin1(KindName[kind]));
        EXPECT_EQ(dialog->windowTitle(), d[0]);
        EXPECT_TRUE(dialog->isModal());
        int buttons = 0;
        for (qsizetype i = 1; i + 1 < d.size(); i += 2) {
            const QWidget* control = dialog->findChild<QWidget*>(d[i]);
            ASSERT_NE(control, nullptr) << d[i].toStdString();
            const auto* label = qobject_cast<const QLabel*>(control);
            const auto* button = qobject_cast<const QPushButton*>(control);
            buttons += button ? 1 : 0;
            EXPECT_EQ(label ? label->text() : button ? button->text() : u"?"_s, d[i + 1]) << d[i].toStdString();
        }
        EXPECT_EQ(dialog->findChildren<QPushButton*>().size(), buttons);

        if (kind == Picker) static_cast<PickerMessage*>(dialog.get())->setMessage(longest[kind]);
        if (kind == FieldCheck) static_cast<FieldCheckWarning*>(dialog.get())->setMessage(longest[kind]);
        if (kind == Editor) static_cast<EditorMessage*>(dialog.get())->setMessage(longest[kind]);
        if (kind == Editor) static_cast<EditorMessage*>(dialog.get())->setFormWidth(8000);
        if (kind == Finished) static_cast<AttemptFinishedDialog*>(dialog.get())->setInputTime(longest[kind]);
        if (!longest[kind].isEmpty()) {
            EXPECT_EQ(child<QLabel>(*dialog, kind == Finished        ? "inputTimeLabel"
                                             : kind == LimitsWarning ? "explanationLabel"
                                                                     : "messageLabel")
                          ->text(),
                      longest[kind]);
        }
        dialog->show();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            SCOPED_TRACE(label->text().toStdString());
            EXPECT_LE(label->heightForWidth(label->width()), label->height());
            EXPECT_TRUE(dialog->rect().contains(label->geometry()));
        }
        for (const QPushButton* b : dialog->findChildren<QPushButton*>()) {
            SCOPED_TRACE(b->text().toStdString());
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + (b->text().isEmpty() ? 0 : 16), b->width());
            EXPECT_TRUE(dialog->rect().contains(b->geometry()));
        }
        const QRect outer = owner.frameGeometry(), own = dialog->frameGeometry();
        EXPECT_EQ(own.left(), outer.left() + (outer.width() - own.width()) / 2);
        EXPECT_EQ(own.top(), outer.top() + (outer.height() - own.height()) / 2);
    }
    AttemptFinishedDialog done(&owner);
    EXPECT_EQ(child<QLabel>(done, "inputTimeLabel")->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(DialogLayout, LimitLinesAreFilledAfreshAndFit) {
    const QStringList lines = {u"全体の文字数が9999文字を超えています"_s, u"第  5段落が800文字を超えています"_s};
    QWidget owner;
    TextLimitsWarning limits(&owner);
    limits.setLines(lines);
    limits.setLines(lines);
    limits.show();
    const auto* list = child<QListWidget>(limits, "limitList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), lines[1]);
    EXPECT_LE(list->fontMetrics().horizontalAdvance(lines[0]) + 8, list->viewport()->width());
}

// ---- Plain text, Qt's own texts in Japanese -------------------------------------------------

namespace {
const QString MarkedUp[] = {u"A&B <b>太字</b> <font color=red>赤</font>"_s, u"HTMLの<br>タグ"_s,
                            u"<img src=\"/usr/share/pixmaps/debian-logo.png\">画像"_s};
}

TEST(PlainText, ToolTipsShowMarkupLiterally) {
    for (const QString& text : MarkedUp) {
        SCOPED_TRACE(text.toStdString());
        const QString tip = plaintext::toolTip(text);
        // The tooltip is read as rich text, and what it shows is the text itself.
        ASSERT_TRUE(Qt::mightBeRichText(tip));
        QTextDocument shown;
        shown.setHtml(tip);
        EXPECT_EQ(shown.toPlainText().trimmed(), text);
        EXPECT_FALSE(tip.contains(u"<img"_s));
    }
    EXPECT_EQ(plaintext::toolTip(QString()), QString());
}

TEST(PlainText, PreviewIsCutBetweenWholeCharacters) {
    const QFontMetrics metrics(QApplication::font());
    const QString kanji = QString::fromUcs4(U"\U00020BB7"); // outside the BMP: a surrogate pair
    const QString ga = QString::fromUcs4(U"\u304B\u3099");  // か with a combining voiced mark
    const struct {
        QString text;
        QString fitting; // what must fit
        QString shown;
    } cases[] = {
        {u"あいうえお"_s, u"あいうえお"_s, u"あいうえお"_s},
        {u"あいうえお"_s, u"あい"_s, u"あい"_s},
        {kanji + kanji + kanji, kanji, kanji},
        {ga + ga + ga, ga + ga, ga + ga},
        {u"あいう"_s, QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.fitting.toStdString());
        // Just short of the next character: only the fitting start is shown.
        const int width = metrics.horizontalAdvance(c.fitting) + (c.fitting == c.text ? 0 : 1);
        EXPECT_EQ(plaintext::wholeCharactersThatFit(c.text, metrics, width), c.shown);
    }
    EXPECT_EQ(plaintext::wholeCharactersThatFit(u"あ"_s, metrics, 0), QString());
}

TEST(QtTranslation, InputBoxMenuAndStandardButtonsSpeakJapanese) {
    QTranslator* translator = qtjapanese::install(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "qtbase_ja.qm is missing: install qt6-translations-l10n";
    auto isJapanese = [](const QString& text) {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
    };
    QLineEdit input;
    input.setText(u"あ"_s);
    std::unique_ptr<QMenu> menu(input.createStandardContextMenu());
    int items = 0;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        ++items;
        EXPECT_TRUE(isJapanese(a->text())) << a->text().toStdString();
    }
    EXPECT_GE(items, 6);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    for (const QAbstractButton* b : buttons.buttons())
        EXPECT_TRUE(isJapanese(b->text())) << b->text().toStdString();
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
