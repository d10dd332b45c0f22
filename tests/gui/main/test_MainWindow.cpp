#include "core/settings/ColourSettings.h"
#include "core/settings/Options.h"
#include "core/texts/TextStats.h"
#include "core/util/Cp932.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"
#include "ui/common/CharCellView.h"
#include "ui/main/InputBox.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// One run of the program in a program folder of its own, with fake platform services.
struct ProgramRun {
    explicit ProgramRun(const QString& folder) {
        module.programFolder = folder;
        window = std::make_unique<MainWindow>(module, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        window->startUp();
    }
    ~ProgramRun() {
        if (window) window->close();
    }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QAction* item(const QString& name) const {
        QAction* a = window->action(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }
    void trigger(const QString& name) const { item(name)->trigger(); }

    ::Session module;
    FakePlatform fakes;
    QStringList messages;
    std::unique_ptr<MainWindow> window;
};

class FrmMainTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.path(); }
    QString settingsPath() const { return folder() + u"/RudUZ.rvl"_s; }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FrmMainTest, FirstStartShowsTheFirstSampleAndWritesTheDefaultSettings) {
    {
        ProgramRun s(folder());
        EXPECT_TRUE(s.messages.isEmpty());
        EXPECT_EQ(s.window->windowTitle(), u"RinvaleQX ver1.0.0.29"_s);
        EXPECT_EQ(s.label("titleLabel"), u"腕試し１　国際連合憲章 前文"_s);
        EXPECT_EQ(s.label("modeLabel"), u"全文通し練習（全 12 段落）"_s);
        EXPECT_EQ(s.label("charCountLabel"), u"総文字数 455文字"_s);
        EXPECT_EQ(s.label("retryHint"), u"[Esc]でやり直し"_s);
        EXPECT_TRUE(QDir(folder() + u"/FileBox"_s).exists());
        EXPECT_TRUE(QDir(folder() + u"/LogBox"_s).exists());
        for (const char* checked : {"fontSizeActions(2)", "countdownActions(0)", "missSoundActions(0)",
                                    "standardActions(0)", "rubyActions(0)", "enterKeyActions(0)", "endSpaceActions(0)",
                                    "judgementWindowActions(0)", "scrollRowActions(0)", "inputModeActions(0)",
                                    "retryKeyActions(0)", "sampleActions(0)", "wholeTextAction"})
            EXPECT_TRUE(s.item(QString::fromLatin1(checked))->isChecked()) << checked;
        EXPECT_FALSE(s.item(u"editCurrentTextAction"_s)->isEnabled());
        EXPECT_FALSE(s.item(u"previousParagraphAction"_s)->isEnabled());
        EXPECT_EQ(s.window->charsPerLine(), 40);
        s.trigger(u"quitAction"_s);
    }
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 5788);
    const SettingsTable table = SettingsTable::fromBytes(bytes);
    EXPECT_EQ(table.number(Options::FontSize), 12);
    EXPECT_EQ(table.number(Options::Countdown), 4);
    EXPECT_EQ(table.number(Options::JudgementWindow), 800);
    EXPECT_EQ(table.number(Options::TextsPerPage), 100);
    EXPECT_EQ(table[Options::SampleBestLines + 19].address, QString::fromUtf16(NoRecordLine));
}

TEST_F(FrmMainTest, EveryOptionSurvivesARestart) {
    const QStringList chosen = {
        u"fontSizeActions(4)"_s,  u"countdownActions(3)"_s, u"missSoundActions(1)"_s, u"standardActions(2)"_s,
        u"rubyActions(1)"_s,      u"enterKeyActions(1)"_s,  u"endSpaceActions(1)"_s,  u"judgementWindowActions(3)"_s,
        u"scrollRowActions(2)"_s, u"inputModeActions(7)"_s, u"retryKeyActions(1)"_s,  u"sampleActions(16)"_s};
    {
        ProgramRun s(folder());
        for (const QString& name : chosen)
            s.trigger(name);
        EXPECT_EQ(s.module.settings.number(Options::FontSize), 10);
        EXPECT_EQ(s.module.settings.number(Options::Countdown), 1);
        EXPECT_EQ(s.module.settings.number(Options::JudgementWindow), 100);
        EXPECT_EQ(s.module.settings.number(Options::InputMode), 7);
        EXPECT_FALSE(s.item(u"fontSizeActions(2)"_s)->isChecked());
    }
    ProgramRun again(folder());
    for (const QString& name : chosen)
        EXPECT_TRUE(again.item(name)->isChecked()) << name.toStdString();
    EXPECT_EQ(again.window->charsPerLine(), 45);
    EXPECT_EQ(again.window->visibleRows(), 5);
    EXPECT_EQ(again.label("retryHint"), u"[Shift]+[Esc]でやり直し"_s);
    EXPECT_EQ(again.label("titleLabel"), u"腕試し12　CEDAW Preamble"_s);
    // The English sample was loaded with the end-of-paragraph space.
    EXPECT_TRUE(again.module.text.line(5).endsWith(u' '));
}

TEST_F(FrmMainTest, EndSpaceOptionReloadsTheTextAtOnce) {
    ProgramRun s(folder());
    s.trigger(u"sampleActions(1)"_s);
    EXPECT_FALSE(s.module.text.line(5).endsWith(u' '));
    s.trigger(u"endSpaceActions(1)"_s);
    EXPECT_TRUE(s.module.text.line(5).endsWith(u' '));
    s.trigger(u"endSpaceActions(0)"_s);
    EXPECT_FALSE(s.module.text.line(5).endsWith(u' '));
}

TEST_F(FrmMainTest, EnglishSampleDisablesTheJapaneseOnlyStandards) {
    ProgramRun s(folder());
    s.trigger(u"standardActions(4)"_s);
    s.trigger(u"sampleActions(1)"_s);
    EXPECT_FALSE(s.item(u"standardActions(3)"_s)->isEnabled());
    EXPECT_FALSE(s.item(u"standardActions(4)"_s)->isEnabled());
    EXPECT_TRUE(s.item(u"standardActions(0)"_s)->isChecked());
    EXPECT_FALSE(s.item(u"standardActions(4)"_s)->isChecked());
    EXPECT_EQ(s.module.settings.number(Options::Standard), 0);
    s.trigger(u"sampleActions(0)"_s);
    EXPECT_TRUE(s.item(u"standardActions(4)"_s)->isEnabled());
}

TEST_F(FrmMainTest, FontSizeChangesTheRowLayout) {
    ProgramRun s(folder());
    s.trigger(u"fontSizeActions(0)"_s);
    EXPECT_EQ(s.module.settings.number(Options::FontSize), 16);
    EXPECT_EQ(s.window->charsPerLine(), 29);
    EXPECT_EQ(s.window->visibleRows(), 3);
    const QWidget* panel = s.window->findChild<QWidget*>(u"textPanel"_s);
    EXPECT_EQ(panel->height(), (1425 + 7) / 15);
}

TEST_F(FrmMainTest, StepsBetweenParagraphsInParagraphPractice) {
    {
        SettingsTable table;
        table.setNumber(Options::PracticeMode, 1);
        table.setNumber(Options::CurrentParagraph, 0);
        table.setNumber(Options::ChosenSample, 6);
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(table.toBytes());
    }
    ProgramRun s(folder());
    EXPECT_EQ(s.label("modeLabel"), u"段落別練習 (第 1 段落)"_s);
    EXPECT_TRUE(s.window->findChild<QWidget*>(u"paragraphNoticePanel"_s)->isVisibleTo(s.window.get()));
    EXPECT_FALSE(s.item(u"previousParagraphAction"_s)->isEnabled());
    s.trigger(u"nextParagraphAction"_s);
    EXPECT_EQ(s.label("modeLabel"), u"段落別練習 (第 2 段落)"_s);
    EXPECT_TRUE(s.item(u"previousParagraphAction"_s)->isEnabled());
    s.trigger(u"wholeTextAction"_s);
    EXPECT_EQ(s.label("modeLabel"), u"全文通し練習（全 7 段落）"_s);
    EXPECT_FALSE(s.item(u"nextParagraphAction"_s)->isEnabled());
    EXPECT_FALSE(s.window->findChild<QWidget*>(u"paragraphNoticePanel"_s)->isVisibleTo(s.window.get()));
}

TEST_F(FrmMainTest, BrokenCurrentTextGivesAMessageAndTheChosenSample) {
    QDir().mkpath(folder() + u"/FileBox"_s);
    QFile text(folder() + u"/FileBox/240101000000.txt"_s);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("\x00\x01\x02\xff\xfe", 5));
    text.close();
    {
        SettingsTable table;
        table[Options::CurrentFile].address = u"240101000000.txt"_s;
        table.setNumber(Options::ChosenSample, 4);
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(table.toBytes());
    }
    ProgramRun s(folder());
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains(u"240101000000.txt"_s));
    EXPECT_EQ(s.label("titleLabel"), u"腕試し４　Universal Declaration of Human Rights Preamble"_s);
    EXPECT_TRUE(s.item(u"sampleActions(4)"_s)->isChecked());
    // The user's file is left as it was.
    EXPECT_EQ(QFileInfo(text.fileName()).size(), 5);
}

TEST_F(FrmMainTest, OddSettingsFilesStartNormally) {
    for (int size : {0, 7, 100000}) {
        SCOPED_TRACE(size);
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(size, '\x7f'));
        f.close();
        ProgramRun s(folder());
        EXPECT_FALSE(s.label("titleLabel").isEmpty());
        EXPECT_EQ(s.module.settings.number(Options::FontSize) > 0, true);
    }
}

TEST_F(FrmMainTest, HelpFilesAndHomePageOpenThroughTheDesktop) {
    ProgramRun s(folder());
    QFile::remove(folder() + u"/ReadMe.txt"_s);
    QFile help(folder() + u"/Help.txt"_s);
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    s.trigger(u"helpAction"_s);
    ASSERT_EQ(s.fakes.shell.opened.size(), 1);
    EXPECT_EQ(s.fakes.shell.opened[0], help.fileName());
    s.trigger(u"homePageAction"_s);
    ASSERT_EQ(s.fakes.shell.opened.size(), 2);
    EXPECT_TRUE(s.fakes.shell.opened[1].startsWith(u"https://"_s));
    s.fakes.shell.succeed = false;
    s.trigger(u"homePageAction"_s);
    EXPECT_EQ(s.messages.size(), 1);
}

// ---- What the window shows of the user's text, its menus and its colours ------------------

namespace {

// A text of the user's own in FileBox (file `name`), made current in the settings file.
void writeOwnText(const QString& folder, const QString& title, const QStringList& paragraphs,
                  const std::function<void(SettingsTable&)>& configure = {},
                  const QString& name = u"240101000000.txt"_s) {
    QDir().mkpath(folder + u"/FileBox"_s);
    QStringList lines = {u"出所"_s, u"240101"_s, title, countsLine(classifyChars(paragraphs.join(QString()))),
                         QStringList(10, u"99999.99"_s).join(u',')};
    lines += paragraphs;
    writeAll(folder + u"/FileBox/"_s + name, cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
    SettingsTable table;
    table[Options::CurrentFile].address = name;
    if (configure) configure(table);
    writeAll(folder + u"/RudUZ.rvl"_s, table.toBytes());
}

// Answers the next modal window once it is up.
void whenModal(QObject* context, std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, context, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
}

ColourSettings::Rgb rgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

// The contrast against `background` of the pixel in `rect` that stands out most.
double strongestContrast(const QImage& image, const QRect& rect, const QColor& background) {
    double best = 1.0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            best = std::max(best, ColourSettings::contrastRatio(rgb(image.pixelColor(x, y)), rgb(background)));
    return best;
}

bool holdsColour(const QImage& image, const QRect& rect, const QColor& colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (const QColor c = image.pixelColor(x, y); std::abs(c.red() - colour.red()) <= 2 &&
                                                         std::abs(c.green() - colour.green()) <= 2 &&
                                                         std::abs(c.blue() - colour.blue()) <= 2)
                return true;
    return false;
}

} // namespace

TEST_F(FrmMainTest, TitlesAndParagraphsAreShownAsWrittenNeverAsMarkup) {
    const QString markedUp[] = {
        u"A&B <b>太字</b> <font color=red>赤</font>"_s,
        u"HTMLの<br>タグ"_s,
        u"<font color=red size=7>BIG</font><img src=\"/usr/share/pixmaps/debian-logo.png\">"_s,
    };
    for (const QString& title : markedUp) {
        SCOPED_TRACE(title.toStdString());
        writeOwnText(folder(), title, {u"あいう"_s, title});
        ProgramRun s(folder());
        ASSERT_TRUE(s.messages.isEmpty()) << s.messages.join(u'\n').toStdString();
        for (const char* name : {"titleLabel", "nextParagraphLabel"}) {
            const QLabel* shown = s.window->findChild<QLabel*>(QString::fromLatin1(name));
            EXPECT_EQ(shown->text(), title) << name;
            // Laid out as one line holding every character, tags and all.
            const QFontMetrics metrics(shown->font());
            EXPECT_GE(shown->sizeHint().width(), metrics.horizontalAdvance(title) - 2) << name;
            EXPECT_LE(shown->sizeHint().height(), metrics.height() + 2) << name;
        }
        for (const QLabel* any : s.window->findChildren<QLabel*>())
            EXPECT_EQ(any->textFormat(), Qt::PlainText) << any->objectName().toStdString();
        EXPECT_EQ(s.label("speedCaption"), u"スピード(字／分)"_s);
    }
}

TEST_F(FrmMainTest, MessageBoxShowsAFileNameWithMarkupAsWritten) {
    const QString name = u"<b>太字<font color=red>赤<img src=x>.txt"_s;
    writeOwnText(folder(), u"題"_s, {u"あ"_s}, {}, name);
    writeAll(folder() + u"/FileBox/"_s + name, QByteArray("\x00\x01\x02\xff\xfe", 5)); // damaged
    ::Session module;
    module.programFolder = folder();
    FakePlatform fakes;
    MainWindow window(module, fakes.platform); // with the program's own message boxes
    bool seen = false;
    whenModal(&window, [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_TRUE(box->text().contains(name));
        box->accept();
    });
    window.startUp();
    EXPECT_TRUE(seen);
}

TEST_F(FrmMainTest, CancellingTheParagraphWindowKeepsWholeTextPractice) {
    ProgramRun s(folder());
    whenModal(s.window.get(), [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    s.trigger(u"paragraphsAction"_s);
    EXPECT_TRUE(s.item(u"wholeTextAction"_s)->isChecked());
    EXPECT_FALSE(s.item(u"paragraphsAction"_s)->isChecked());
    EXPECT_TRUE(s.item(u"paragraphsAction"_s)->isEnabled());
    EXPECT_FALSE(s.item(u"chooseParagraphAction"_s)->isEnabled());
    EXPECT_EQ(s.label("modeLabel"), u"全文通し練習（全 12 段落）"_s);

    // Accepting switches the mode, and the items follow.
    whenModal(s.window.get(), [](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    s.trigger(u"paragraphsAction"_s);
    EXPECT_FALSE(s.item(u"wholeTextAction"_s)->isChecked());
    EXPECT_TRUE(s.item(u"paragraphsAction"_s)->isChecked());
    EXPECT_FALSE(s.item(u"paragraphsAction"_s)->isEnabled());
    EXPECT_EQ(s.module.settings.number(Options::PracticeMode), 1);
}

TEST_F(FrmMainTest, ItemsThatExcludeEachOtherAreRadioItems) {
    ProgramRun s(folder());
    QList<QStringList> arrays = {{u"wholeTextAction"_s, u"paragraphsAction"_s}, {}, {}};
    for (int i = 0; i < 5; ++i)
        arrays[1] << u"standardActions(%1)"_s.arg(i);
    for (QAction* a : s.window->findChildren<QAction*>())
        if (a->objectName().startsWith(u"sampleActions("_s) && !a->isSeparator()) arrays[2] << a->objectName();
    for (const Options::Group& group : Options::groups()) {
        QStringList names;
        for (const Options::Item& item : group.items)
            if (item.caption[0] != 0) names << u"%1(%2)"_s.arg(QString::fromUtf16(group.arrayName)).arg(item.index);
        arrays << names;
    }
    for (const QStringList& names : arrays) {
        SCOPED_TRACE(names.join(u' ').toStdString());
        ASSERT_GE(names.size(), 2);
        const QActionGroup* group = s.item(names.first())->actionGroup();
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
        EXPECT_EQ(group->actions().size(), names.size());
        for (const QString& name : names)
            EXPECT_EQ(s.item(name)->actionGroup(), group);
    }
    // Choosing the checked item again keeps it checked.
    s.trigger(u"fontSizeActions(2)"_s);
    EXPECT_TRUE(s.item(u"fontSizeActions(2)"_s)->isChecked());
}

TEST_F(FrmMainTest, NextParagraphPreviewShowsOnlyWholeCharacters) {
    QString longParagraph;
    for (int i = 0; i < 30; ++i)
        longParagraph += u"漢字とかなWide ﾊﾝｶｸ、"_s;
    writeOwnText(folder(), u"題"_s, {u"あいう"_s, longParagraph});
    {
        ProgramRun s(folder());
        const QLabel* preview = s.window->findChild<QLabel*>(u"nextParagraphLabel"_s);
        for (int size = 0; size < 5; ++size) {
            SCOPED_TRACE(size);
            s.trigger(u"fontSizeActions(%1)"_s.arg(size));
            const QString shown = preview->text();
            const int width = preview->contentsRect().width();
            const QFontMetrics metrics(preview->font());
            ASSERT_FALSE(shown.isEmpty());
            ASSERT_LT(shown.size(), longParagraph.size());
            EXPECT_TRUE(longParagraph.startsWith(shown));
            EXPECT_LE(metrics.horizontalAdvance(shown), width);
            EXPECT_GT(metrics.horizontalAdvance(longParagraph.left(shown.size() + 1)), width);
        }
    }
    // A preview that fits is shown whole.
    writeOwnText(folder(), u"題"_s, {u"あいう"_s, u"短い段落"_s});
    ProgramRun shortText(folder());
    EXPECT_EQ(shortText.label("nextParagraphLabel"), u"短い段落"_s);
}

TEST_F(FrmMainTest, TypedAndMistypedCharactersTakeTheirColours) {
    const QColor green(0, 160, 0), blue(0, 0, 160), red(255, 0, 0);
    const struct {
        const char* name;
        bool dark, correctFlag, missFlag;
    } cases[] = {{"light", false, false, false},
                 {"dark", true, false, false},
                 {"correct custom", false, true, false},
                 {"miss custom", false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeOwnText(folder(), u"題"_s, {u"漢漢漢"_s}, [&](SettingsTable& t) {
            t.setNumber(Options::Countdown, 1);
            for (const auto& [flag, first, colour, on] :
                 {std::tuple{44, 38, green, c.correctFlag}, std::tuple{45, 41, blue, c.missFlag}}) {
                t.setNumber(flag, on ? 1 : 0);
                t.setNumber(first, colour.red());
                t.setNumber(first + 1, colour.green());
                t.setNumber(first + 2, colour.blue());
            }
        });
        const QPalette before = QApplication::palette();
        if (c.dark) {
            QPalette dark = before;
            for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
                dark.setColor(role, QColor(40, 40, 40));
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                dark.setColor(role, QColor(235, 235, 235));
            QApplication::setPalette(dark);
        }
        ProgramRun s(folder());
        QApplication::setPalette(before);
        s.window->startAttempt();
        s.fakes.clock.advance(10);
        s.window->countdownTick();
        ASSERT_EQ(s.window->attempt().state(), AttemptState::Running);
        s.window->findChild<InputBox*>(u"inputEdit"_s)->setText(u"漢x"_s); // right, then wrong

        auto* view = s.window->findChild<CharCellView*>();
        const QImage image = view->grab().toImage();
        const QRect typed = view->cellRect(0), wrong = view->cellRect(1), untyped = view->cellRect(2);
        const QColor background = image.pixelColor(untyped.topLeft());
        EXPECT_EQ(background.lightness() < 128, c.dark);
        if (c.correctFlag) {
            EXPECT_TRUE(holdsColour(image, typed, green));
        } else {
            // Fainter than the characters still to type, and still readable.
            const double contrast = strongestContrast(image, typed, background);
            EXPECT_GE(contrast, 3.0);
            EXPECT_LT(contrast, strongestContrast(image, untyped, background) / 2);
        }
        EXPECT_TRUE(holdsColour(image, wrong, c.missFlag ? blue : red));
        EXPECT_FALSE(holdsColour(image, wrong, c.missFlag ? red : blue));
    }
}

// ---- Grades of the shown attempt and of the best list -------------------------------------
// A text of the user's own with stored best times, typed through the main window with a fake clock.

namespace {

class GradingTest : public FrmMainTest {
protected:
    // Writes a one-paragraph text with the given best-times line and makes it the current text.
    void writeText(const QString& paragraph, const QString& bestTimes) {
        QDir().mkpath(folder() + u"/FileBox"_s);
        QFile text(folder() + u"/FileBox/240101000000.txt"_s);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QStringList lines = {u"出所"_s, u"240101"_s, u"採点"_s, countsLine(classifyChars(paragraph)),
                                   bestTimes, paragraph};
        text.write(cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        SettingsTable table;
        table[Options::CurrentFile].address = u"240101000000.txt"_s;
        table.setNumber(Options::Countdown, 2);
        QFile settings(settingsPath());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(table.toBytes());
    }

    // Types the whole paragraph as one change after `elapsedMs` of typing; the end dialog is closed.
    static void typeWholeText(ProgramRun& s, const QString& paragraph, int elapsedMs) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s);
        QApplication::sendEvent(s.window.get(), &space);
        for (int i = 0; i < 500 && s.window->attempt().state() == AttemptState::Countdown; ++i) {
            s.fakes.clock.advance(10);
            s.window->countdownTick();
        }
        ASSERT_EQ(s.window->attempt().state(), AttemptState::Running);
        for (int t = 0; t < elapsedMs; t += 10) {
            s.fakes.clock.advance(10);
            s.window->runTick();
        }
        // The input box's text property, whichever kind of box it is.
        QWidget* input = s.window->findChild<QWidget*>(u"inputEdit"_s);
        ASSERT_NE(input, nullptr);
        const bool plain = input->metaObject()->indexOfProperty("plainText") >= 0;
        input->setProperty(plain ? "plainText" : "text", paragraph);
        QTimer::singleShot(0, s.window.get(), [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        s.fakes.clock.advance(10);
        s.window->runTick();
        ASSERT_EQ(s.window->attempt().state(), AttemptState::Ready);
    }

    static QColor foreground(const ProgramRun& s, const QString& name) {
        return s.window->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
    }
};

const QString Unfilled = u"99999.99"_s;

QString bestTimesLine(QStringList filled) {
    while (filled.size() < 10)
        filled.append(Unfilled);
    return filled.join(u','); // a hand-written line without the trailing comma also loads
}

} // namespace

TEST_F(GradingTest, ChangeOfStandardGradesTheShownAttemptAgain) {
    // 10 characters in 9.23 s: 65.0 characters a minute, a different grade under each standard.
    const QString paragraph = u"あいうえおかきくけこ"_s;
    writeText(paragraph, bestTimesLine({}));
    ProgramRun s(folder());
    ASSERT_TRUE(s.messages.isEmpty()) << s.messages.join(u'\n').toStdString();

    // Nothing attempted yet: a change of standard has no attempt to grade.
    s.trigger(u"standardActions(2)"_s);
    EXPECT_TRUE(s.label("gradeValue").isEmpty());
    s.trigger(u"standardActions(0)"_s);

    typeWholeText(s, paragraph, 9230);
    ASSERT_EQ(s.label("cpmValue"), u"65.0"_s);
    EXPECT_EQ(s.label("gradeValue"), u"2級"_s);
    const struct {
        int standard;
        const char16_t* grade;
    } cases[] = {{1, u"B級"}, {2, u"3級"}, {3, u"2級"}, {4, u"準1"}, {0, u"2級"}, {4, u"準1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard);
        s.trigger(u"standardActions(%1)"_s.arg(c.standard));
        EXPECT_EQ(s.module.settings.number(Options::Standard), c.standard);
        EXPECT_EQ(s.label("gradeValue"), QString::fromUtf16(c.grade));
        // The attempt's best time is graded the same way in the best list.
        EXPECT_EQ(s.label("bestGrade(0)"), QString::fromUtf16(c.grade));
        // The rest of the result stays as it was.
        EXPECT_EQ(s.label("cpmValue"), u"65.0"_s);
    }
}

TEST_F(GradingTest, BestListGradesAreGreyUnlessTheTextQualifiesForAJudgement) {
    const struct {
        QString paragraph;
        const char16_t* eligibility;
        bool grey;
    } cases[] = {
        {u"あいうえおかきくけこ"_s, u"実務能力(仮)判定", true}, // too short
        {u"あいうえおabcde"_s, u"実務能力判定不可", true},      // neither Japanese nor English
        {u"漢字かな"_s.repeated(50), u"実務能力判定　可", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.eligibility).toStdString());
        writeText(c.paragraph, bestTimesLine({u"00010.00"_s, u"00020.00"_s}));
        ProgramRun s(folder());
        ASSERT_TRUE(s.messages.isEmpty()) << s.messages.join(u'\n').toStdString();
        ASSERT_EQ(s.label("eligibilityLabel"), QString::fromUtf16(c.eligibility));
        const QColor text = s.window->palette().color(QPalette::ButtonText);
        const QColor shadow = s.window->palette().color(QPalette::Dark);
        ASSERT_NE(text, shadow);
        const QColor graded = c.grey ? shadow : text;
        // On loading and again after a change of standard, which builds the list anew.
        for (const char16_t* standard : {u"standardActions(0)", u"standardActions(2)"}) {
            SCOPED_TRACE(QString::fromUtf16(standard).toStdString());
            s.trigger(QString::fromUtf16(standard));
            for (int row : {0, 1}) {
                ASSERT_FALSE(s.window->findChild<QLabel*>(u"bestGrade(%1)"_s.arg(row))->text().isEmpty());
                EXPECT_EQ(foreground(s, u"bestGrade(%1)"_s.arg(row)), graded) << row;
                EXPECT_EQ(foreground(s, u"bestOwnLevel(%1)"_s.arg(row)), graded) << row;
                // Speeds are no grades: never grey.
                EXPECT_EQ(foreground(s, u"bestCpm(%1)"_s.arg(row)), text) << row;
                EXPECT_EQ(foreground(s, u"bestScore(%1)"_s.arg(row)), text) << row;
            }
        }
    }
}
