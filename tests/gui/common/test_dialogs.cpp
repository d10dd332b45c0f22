#include "ui/common/PlainText.h"
#include "ui/common/QtJapanese.h"
#include "ui/common/Twips.h"
#include "ui/messages/DeleteTextConfirmation.h"
#include "ui/messages/EditorMessage.h"
#include "ui/messages/FieldCheckWarning.h"
#include "ui/messages/PickerMessage.h"
#include "ui/messages/TextLimitsWarning.h"
#include "ui/practice/AttemptFinishedDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextDocument>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "gui/common/DialogDriver.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

enum Kind { LimitsWarning, Picker, DeleteText, FieldCheck, Editor, Finished, KindCount };

template <typename T> std::unique_ptr<QDialog> makeOne(QWidget* owner) {
    return std::make_unique<T>(owner);
}
constexpr std::unique_ptr<QDialog> (*make[])(QWidget*) = {
    makeOne<TextLimitsWarning>, makeOne<PickerMessage>, makeOne<DeleteTextConfirmation>,
    makeOne<FieldCheckWarning>, makeOne<EditorMessage>, makeOne<AttemptFinishedDialog>};

// The dialog's answer: confirmed deletion, or details asked for.
bool answer(const QDialog& dialog, Kind kind) {
    if (kind == DeleteText) return static_cast<const DeleteTextConfirmation&>(dialog).confirmed();
    return kind == Finished && static_cast<const AttemptFinishedDialog&>(dialog).detailsRequested();
}

} // namespace

// Enter must never confirm a deletion or close the end-of-attempt dialog by accident.
TEST(DialogFlags, EveryButtonKeyAndCloseBoxAnswersAsDesigned) {
    // dialog, what the user does, the dialog's result, its answer
    std::vector<std::tuple<Kind, const char*, Action, int, bool>> cases = {
        {DeleteText, "削除", click("acceptButton"), QDialog::Accepted, true},
        {DeleteText, "ｷｬﾝｾﾙ", click("rejectButton"), QDialog::Rejected, false},
        {DeleteText, "Esc", key(Qt::Key_Escape), QDialog::Rejected, false},
        {DeleteText, "close box", closeBox, QDialog::Rejected, false},
        {DeleteText, "Enter on the initial focus", key(Qt::Key_Return), QDialog::Rejected, false},
        {Finished, "詳細(F1)", click("detailsButton"), QDialog::Accepted, true},
        {Finished, "F1 on closeButton", key(Qt::Key_F1, "closeButton"), QDialog::Accepted, true},
        {Finished, "閉じる(Esc)", click("closeButton"), QDialog::Rejected, false},
        {Finished, "Esc", key(Qt::Key_Escape), QDialog::Rejected, false},
        {Finished, "close box", closeBox, QDialog::Rejected, false},
        {Finished, "Space", key(Qt::Key_Space), StillOpen, false},
        {Finished, "Return", key(Qt::Key_Return), StillOpen, false},
        {Finished, "Enter", key(Qt::Key_Enter), StillOpen, false},
        {Finished, "Return on detailsButton", key(Qt::Key_Return, "detailsButton"), StillOpen, false}};
    for (Kind kind : {LimitsWarning, Picker, FieldCheck, Editor})
        cases.emplace_back(kind, "Enter", key(Qt::Key_Return), QDialog::Accepted, false);
    QWidget owner;
    for (const auto& [kind, what, act, result, answered] : cases) {
        SCOPED_TRACE(testing::Message() << kind << " " << what);
        const auto dialog = make[kind](&owner);
        EXPECT_EQ(execAndAct(*dialog, act), result);
        EXPECT_EQ(answer(*dialog, kind), answered);
    }
}

// With the program's dialog font, the longest texts the openers put in are shown in full, and every
// dialog stands centred over its owner.
TEST(DialogLayout, LongestTextsFitAndDialogsAreCentred) {
    const QFont saved = QApplication::font();
    QFont font(u"IPAPGothic"_s, 9);
    font.setFamilies({u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    QApplication::setFont(font);
    const QStringList limits = {u"全体の文字数が9999文字を超えています"_s, u"第  5段落が800文字を超えています"_s};
    QWidget owner;
    owner.setGeometry(333, 77, 1101, 655);
    owner.show();
    for (int kind = 0; kind < KindCount; ++kind) {
        SCOPED_TRACE(kind);
        const auto dialog = make[kind](&owner);
        if (auto* picker = qobject_cast<PickerMessage*>(dialog.get()))
            picker->setMessage(u"練習可能なテキストが見つかりません"_s);
        if (auto* check = qobject_cast<FieldCheckWarning*>(dialog.get()))
            check->setMessage(u"発行日に誤りがあります"_s);
        if (auto* editor = qobject_cast<EditorMessage*>(dialog.get())) {
            editor->setMessage(u"検索（置換元）文字列を指定してください"_s);
            editor->setFormWidth(8000);
        }
        if (auto* finished = qobject_cast<AttemptFinishedDialog*>(dialog.get()))
            finished->setInputTime(u"入力時間：999分59秒"_s);
        if (auto* warning = qobject_cast<TextLimitsWarning*>(dialog.get())) {
            warning->setLines(limits);
            warning->setLines(limits); // filled afresh, not appended
            const auto* list = child<QListWidget>(*warning, "limitList");
            ASSERT_EQ(list->count(), 2);
            dialog->show();
            EXPECT_LE(list->fontMetrics().horizontalAdvance(limits[0]) + 8, list->viewport()->width());
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
        EXPECT_EQ(own.topLeft(), QPoint(outer.left() + (outer.width() - own.width()) / 2,
                                        outer.top() + (outer.height() - own.height()) / 2));
    }
    QApplication::setFont(saved);
}

TEST(DialogCentring, CentredOverTheOwnerWindow) {
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

TEST(PlainText, ToolTipsShowMarkupLiterally) {
    for (const QString& text : {u"A&B <b>太字</b> <font color=red>赤</font>"_s, u"HTMLの<br>タグ"_s,
                                u"<img src=\"/usr/share/pixmaps/debian-logo.png\">画像"_s}) {
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
    // text, what must fit, what is shown
    const std::tuple<QString, QString, QString> cases[] = {{u"あいうえお"_s, u"あいうえお"_s, u"あいうえお"_s},
                                                           {u"あいうえお"_s, u"あい"_s, u"あい"_s},
                                                           {kanji + kanji + kanji, kanji, kanji},
                                                           {ga + ga + ga, ga + ga, ga + ga},
                                                           {u"あいう"_s, QString(), QString()}};
    for (const auto& [text, fitting, shown] : cases) {
        // Just short of the next character: only the fitting start is shown.
        const int width = metrics.horizontalAdvance(fitting) + (fitting == text ? 0 : 1);
        EXPECT_EQ(plaintext::wholeCharactersThatFit(text, metrics, width), shown) << fitting.toStdString();
    }
}

TEST(QtTranslation, InputBoxMenuAndStandardButtonsSpeakJapanese) {
    std::unique_ptr<QTranslator> translator(qtjapanese::install(*QCoreApplication::instance()));
    ASSERT_NE(translator, nullptr) << "qtbase_ja.qm is missing: install qt6-translations-l10n";
    QLineEdit input(u"あ"_s);
    std::unique_ptr<QMenu> menu(input.createStandardContextMenu());
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    QStringList texts;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    for (const QAbstractButton* b : buttons.buttons())
        texts << b->text();
    EXPECT_GE(texts.size(), 9);
    for (const QString& text : texts) // Japanese: some character from the CJK blocks on
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }))
            << text.toStdString();
    QCoreApplication::removeTranslator(translator.get());
}
