#include "core/settings/ColourSettings.h"
#include "support/MainWindowTest.h"
#include "ui/common/CharCellView.h"
#include "ui/main/MainMenus.h"

#include <QActionGroup>
#include <QDialog>
#include <QImage>
#include <QMessageBox>

using namespace Qt::StringLiterals;

TEST_F(MainWindowTest, OptionsSurviveARestartInTheSettingsFileWrittenAtExit) {
    const QStringList chosen = {
        u"fontSizeActions(4)"_s,  u"countdownActions(3)"_s, u"missSoundActions(1)"_s, u"standardActions(2)"_s,
        u"rubyActions(1)"_s,      u"enterKeyActions(1)"_s,  u"endSpaceActions(1)"_s,  u"judgementWindowActions(3)"_s,
        u"scrollRowActions(2)"_s, u"inputModeActions(7)"_s, u"retryKeyActions(1)"_s,  u"sampleActions(16)"_s};
    start();
    expectNoMessages();
    for (const QString& name : chosen)
        trigger(name);
    trigger(u"quitAction"_s);
    EXPECT_EQ(storedSettings().number(Options::JudgementWindow), 100);
    start();
    for (const QString& name : chosen)
        EXPECT_TRUE(item(name)->isChecked()) << name.toStdString();
    EXPECT_EQ(practice().charsPerLine(), 45);
    EXPECT_EQ(label(u"retryHint"_s), u"[Shift]+[Esc]でやり直し"_s);
    EXPECT_EQ(label(u"titleLabel"_s), u"腕試し12　CEDAW Preamble"_s);
}

TEST_F(MainWindowTest, HelpFilesAndHomePageOpenThroughTheDesktop) {
    start();
    QFile::remove(folder() + u"/ReadMe.txt"_s);
    writeAll(folder() + u"/Help.txt"_s, {});
    trigger(u"helpAction"_s);
    fakes.shell.succeed = false;
    trigger(u"homePageAction"_s);
    ASSERT_EQ(fakes.shell.opened.size(), 2);
    EXPECT_EQ(fakes.shell.opened[0], folder() + u"/Help.txt"_s);
    EXPECT_TRUE(fakes.shell.opened[1].startsWith(u"https://"_s));
    EXPECT_EQ(messages.size(), 1); // the failure is told
}

// Titles, paragraphs and file names with markup are shown as written; the preview of the next paragraph is cut
// between whole characters.
TEST_F(MainWindowTest, TextsAreShownAsWrittenNeverAsMarkup) {
    for (const QString& title :
         {u"A&B <b>太字</b> <font color=red>赤</font>"_s, u"HTMLの<br>タグ"_s,
          u"<font color=red size=7>BIG</font><img src=\"/usr/share/pixmaps/debian-logo.png\">"_s}) {
        SCOPED_TRACE(title.toStdString());
        writeOwnText(title, {u"あいう"_s, title});
        start();
        expectNoMessages();
        for (const QString& name : {u"titleLabel"_s, u"nextParagraphLabel"_s}) {
            const QLabel* shown = window->findChild<QLabel*>(name);
            EXPECT_EQ(shown->text(), title) << name.toStdString();
            // Laid out as one line holding every character, tags and all.
            const QFontMetrics metrics(shown->font());
            EXPECT_GE(shown->sizeHint().width(), metrics.horizontalAdvance(title) - 2);
            EXPECT_LE(shown->sizeHint().height(), metrics.height() + 2);
        }
        for (const QLabel* any : window->findChildren<QLabel*>())
            EXPECT_EQ(any->textFormat(), Qt::PlainText) << any->objectName().toStdString();
    }
    const QString longParagraph = u"漢字とかなWide ﾊﾝｶｸ、"_s.repeated(30);
    writeOwnText(u"題"_s, {u"あいう"_s, longParagraph});
    start();
    const QLabel* preview = window->findChild<QLabel*>(u"nextParagraphLabel"_s);
    const QString shown = preview->text();
    const QFontMetrics metrics(preview->font());
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(longParagraph.startsWith(shown));
    EXPECT_LE(metrics.horizontalAdvance(shown), preview->contentsRect().width());
    EXPECT_GT(metrics.horizontalAdvance(longParagraph.left(shown.size() + 1)), preview->contentsRect().width());
}

TEST_F(MainWindowTest, MessageBoxShowsAFileNameWithMarkupAsWritten) {
    const QString name = u"<b>太字<font color=red>赤<img src=x>.txt"_s;
    writeOwnText(u"題"_s, {u"あ"_s}, {}, name);
    writeAll(folder() + u"/FileBox/"_s + name, QByteArray("\x00\x01\x02\xff\xfe", 5)); // damaged
    Session own;
    own.programFolder = folder();
    MainWindow ownWindow(own, fakes.platform); // with the program's own message boxes
    bool seen = false;
    whenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_TRUE(box->text().contains(name));
        box->accept();
    });
    for (const QString& problem : SessionFiles::open(own))
        ownWindow.message(problem);
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, CancellingTheParagraphWindowKeepsWholeTextPractice) {
    start();
    for (const bool accept : {false, true}) {
        SCOPED_TRACE(accept);
        whenModal([accept](QWidget* modal) {
            accept ? static_cast<QDialog*>(modal)->accept() : static_cast<QDialog*>(modal)->reject();
        });
        trigger(u"paragraphsAction"_s);
        EXPECT_EQ(item(u"wholeTextAction"_s)->isChecked(), !accept);
        EXPECT_EQ(item(u"paragraphsAction"_s)->isChecked(), accept);
        EXPECT_EQ(item(u"paragraphsAction"_s)->isEnabled(), !accept);
        EXPECT_EQ(item(u"chooseParagraphAction"_s)->isEnabled(), accept);
        EXPECT_EQ(session->settings.number(Options::PracticeMode), accept ? 1 : 0);
        EXPECT_EQ(label(u"modeLabel"_s) == u"全文通し練習（全 12 段落）"_s, !accept);
    }
}

TEST_F(MainWindowTest, ItemsThatExcludeEachOtherAreRadioItems) {
    start();
    QList<QStringList> groups = {{u"wholeTextAction"_s, u"paragraphsAction"_s}, {}, {}};
    for (int i = 0; i < 5; ++i) {
        groups[0] << u"examActions(%1)"_s.arg(i);
        groups[1] << u"standardActions(%1)"_s.arg(i);
    }
    for (QAction* a : window->findChildren<QAction*>())
        if (a->objectName().startsWith(u"sampleActions("_s) && !a->isSeparator()) groups[2] << a->objectName();
    for (const MainMenus::OptionMenu& menu : MainMenus::optionMenus()) {
        groups.append(QStringList());
        for (const MainMenus::OptionItem& option : menu.items)
            if (option.caption[0] != 0)
                groups.last() << u"%1(%2)"_s.arg(QString::fromUtf16(menu.arrayName)).arg(option.index);
    }
    for (const QStringList& names : groups) {
        SCOPED_TRACE(names.join(u' ').toStdString());
        const QActionGroup* group = item(names.first())->actionGroup();
        ASSERT_TRUE(names.size() >= 2 && group && group->exclusionPolicy() == QActionGroup::ExclusionPolicy::Exclusive);
        EXPECT_EQ(group->actions().size(), names.size());
        for (const QString& name : names)
            EXPECT_EQ(item(name)->actionGroup(), group);
    }
    trigger(u"fontSizeActions(2)"_s); // choosing the checked item again keeps it checked
    EXPECT_TRUE(item(u"fontSizeActions(2)"_s)->isChecked());
}

namespace {

// The strongest contrast against `background` in `rect`, and whether `rect` holds `colour`.
std::pair<double, bool> inspect(const QImage& image, const QRect& rect, const QColor& background,
                                const QColor& colour) {
    auto rgb = [](const QColor& c) { return ColourSettings::Rgb{c.red(), c.green(), c.blue()}; };
    double strongest = 1.0;
    bool holds = false;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            strongest = std::max(strongest, ColourSettings::contrastRatio(rgb(c), rgb(background)));
            holds |= std::abs(c.red() - colour.red()) <= 2 && std::abs(c.green() - colour.green()) <= 2 &&
                     std::abs(c.blue() - colour.blue()) <= 2;
        }
    return {strongest, holds};
}

} // namespace

TEST_F(MainWindowTest, TypedAndMistypedCharactersTakeTheirColours) {
    const QColor green(0, 160, 0), blue(0, 0, 160), red(255, 0, 0);
    // name, dark palette, own colour for correct characters, own colour for misses
    const std::tuple<const char*, bool, bool, bool> cases[] = {{"light", false, false, false},
                                                               {"dark", true, false, false},
                                                               {"correct own", false, true, false},
                                                               {"miss own", false, false, true}};
    for (const auto& [name, dark, correctFlag, missFlag] : cases) {
        SCOPED_TRACE(name);
        const bool correctOwn = correctFlag, missOwn = missFlag; // clang 14 captures no structured binding
        writeOwnText(u"題"_s, {u"漢漢漢"_s}, [&](SettingsTable& t) {
            t.setNumber(Options::Countdown, 1);
            for (const auto& [flag, first, colour, on] :
                 {std::tuple{44, 38, green, correctOwn}, std::tuple{45, 41, blue, missOwn}}) {
                t.setNumber(flag, on ? 1 : 0);
                t.setNumber(first, colour.red());
                t.setNumber(first + 1, colour.green());
                t.setNumber(first + 2, colour.blue());
            }
        });
        const QPalette before = QApplication::palette();
        QPalette palette = before;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, QColor(40, 40, 40));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, QColor(235, 235, 235));
        QApplication::setPalette(dark ? palette : before);
        start();
        QApplication::setPalette(before);
        startTyping();
        inputEdit->setText(u"漢x"_s); // right, then wrong

        auto* view = window->findChild<CharCellView*>();
        const QImage image = view->grab().toImage();
        const QColor background = image.pixelColor(view->cellRect(2).topLeft());
        EXPECT_EQ(background.lightness() < 128, dark);
        const auto [typedContrast, typedGreen] = inspect(image, view->cellRect(0), background, green);
        if (correctFlag) {
            EXPECT_TRUE(typedGreen);
        } else { // fainter than the characters still to type, and still readable
            EXPECT_GE(typedContrast, 3.0);
            EXPECT_LT(typedContrast, inspect(image, view->cellRect(2), background, green).first / 2);
        }
        EXPECT_TRUE(inspect(image, view->cellRect(1), background, missFlag ? blue : red).second);
        EXPECT_FALSE(inspect(image, view->cellRect(1), background, missFlag ? red : blue).second);
    }
}
