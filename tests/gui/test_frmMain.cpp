#include "app/Options.h"
#include "app/frmMain.h"
#include "fakes/FakePlatform.h"
#include "platform/Cp932.h"
#include "texts/TextStats.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One start of the program in a program folder of its own, with fake platform services.
struct Session {
    explicit Session(const QString& folder) {
        module.programFolder = folder;
        window = std::make_unique<frmMain>(module, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        window->Form_Load();
    }
    ~Session() {
        if (window) window->close();
    }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QAction* item(const QString& name) const {
        QAction* a = window->action(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }
    void trigger(const QString& name) const { item(name)->trigger(); }

    Module1 module;
    FakePlatform fakes;
    QStringList messages;
    std::unique_ptr<frmMain> window;
};

class FrmMainTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.path(); }
    QString settingsPath() const { return folder() + u"/RudUZ.rvl"_qs; }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FrmMainTest, FirstStartShowsTheFirstSampleAndWritesTheDefaultSettings) {
    {
        Session s(folder());
        EXPECT_TRUE(s.messages.isEmpty());
        EXPECT_EQ(s.window->windowTitle(), u"RinvaleQX ver1.0.0.29"_qs);
        EXPECT_EQ(s.label("Label1"), u"腕試し１　国際連合憲章 前文"_qs);
        EXPECT_EQ(s.label("Label21"), u"全文通し練習（全 12 段落）"_qs);
        EXPECT_EQ(s.label("Label18"), u"総文字数 455文字"_qs);
        EXPECT_EQ(s.label("Label22"), u"[Esc]でやり直し"_qs);
        EXPECT_TRUE(QDir(folder() + u"/FileBox"_qs).exists());
        EXPECT_TRUE(QDir(folder() + u"/LogBox"_qs).exists());
        for (const char* checked : {"mnuFontSize(2)", "mnuCount(0)", "mnuMissOto(0)", "mnuKijun(0)", "mnuRubiDis(0)",
                                    "mnuKaigyo(0)", "mnuAdd(0)", "mnuHandan(0)", "mnuGyo(0)", "mnuIME(0)", "mnuKey(0)",
                                    "mnuSPL(0)", "mnuTh"})
            EXPECT_TRUE(s.item(QString::fromLatin1(checked))->isChecked()) << checked;
        EXPECT_FALSE(s.item(u"mnuEdit1"_qs)->isEnabled());
        EXPECT_FALSE(s.item(u"mnuPrev"_qs)->isEnabled());
        EXPECT_EQ(s.module.CharsPerLine, 40);
        s.trigger(u"mnuEnd"_qs);
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
    const QStringList chosen = {u"mnuFontSize(4)"_qs, u"mnuCount(3)"_qs, u"mnuMissOto(1)"_qs, u"mnuKijun(2)"_qs,
                                u"mnuRubiDis(1)"_qs,  u"mnuKaigyo(1)"_qs, u"mnuAdd(1)"_qs,   u"mnuHandan(3)"_qs,
                                u"mnuGyo(2)"_qs,      u"mnuIME(7)"_qs,    u"mnuKey(1)"_qs,   u"mnuSPL(16)"_qs};
    {
        Session s(folder());
        for (const QString& name : chosen) s.trigger(name);
        EXPECT_EQ(s.module.settings.number(Options::FontSize), 10);
        EXPECT_EQ(s.module.settings.number(Options::Countdown), 1);
        EXPECT_EQ(s.module.settings.number(Options::JudgementWindow), 100);
        EXPECT_EQ(s.module.settings.number(Options::InputMode), 7);
        EXPECT_FALSE(s.item(u"mnuFontSize(2)"_qs)->isChecked());
    }
    Session again(folder());
    for (const QString& name : chosen) EXPECT_TRUE(again.item(name)->isChecked()) << name.toStdString();
    EXPECT_EQ(again.module.CharsPerLine, 45);
    EXPECT_EQ(again.module.VisibleRows, 5);
    EXPECT_EQ(again.label("Label22"), u"[Shift]+[Esc]でやり直し"_qs);
    EXPECT_EQ(again.label("Label1"), u"腕試し12　CEDAW Preamble"_qs);
    // The English sample was loaded with the end-of-paragraph space.
    EXPECT_TRUE(again.module.text.line(5).endsWith(u' '));
}

TEST_F(FrmMainTest, EndSpaceOptionReloadsTheTextAtOnce) {
    Session s(folder());
    s.trigger(u"mnuSPL(1)"_qs);
    EXPECT_FALSE(s.module.text.line(5).endsWith(u' '));
    s.trigger(u"mnuAdd(1)"_qs);
    EXPECT_TRUE(s.module.text.line(5).endsWith(u' '));
    s.trigger(u"mnuAdd(0)"_qs);
    EXPECT_FALSE(s.module.text.line(5).endsWith(u' '));
}

TEST_F(FrmMainTest, EnglishSampleDisablesTheJapaneseOnlyStandards) {
    Session s(folder());
    s.trigger(u"mnuKijun(4)"_qs);
    s.trigger(u"mnuSPL(1)"_qs);
    EXPECT_FALSE(s.item(u"mnuKijun(3)"_qs)->isEnabled());
    EXPECT_FALSE(s.item(u"mnuKijun(4)"_qs)->isEnabled());
    EXPECT_TRUE(s.item(u"mnuKijun(0)"_qs)->isChecked());
    EXPECT_FALSE(s.item(u"mnuKijun(4)"_qs)->isChecked());
    EXPECT_EQ(s.module.settings.number(Options::Standard), 0);
    s.trigger(u"mnuSPL(0)"_qs);
    EXPECT_TRUE(s.item(u"mnuKijun(4)"_qs)->isEnabled());
}

TEST_F(FrmMainTest, FontSizeChangesTheRowLayout) {
    Session s(folder());
    s.trigger(u"mnuFontSize(0)"_qs);
    EXPECT_EQ(s.module.settings.number(Options::FontSize), 16);
    EXPECT_EQ(s.module.CharsPerLine, 29);
    EXPECT_EQ(s.module.VisibleRows, 3);
    const QWidget* panel = s.window->findChild<QWidget*>(u"Picture1"_qs);
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
    Session s(folder());
    EXPECT_EQ(s.label("Label21"), u"段落別練習 (第 1 段落)"_qs);
    EXPECT_TRUE(s.window->findChild<QWidget*>(u"Picture9"_qs)->isVisibleTo(s.window.get()));
    EXPECT_FALSE(s.item(u"mnuPrev"_qs)->isEnabled());
    s.trigger(u"mnuNext"_qs);
    EXPECT_EQ(s.label("Label21"), u"段落別練習 (第 2 段落)"_qs);
    EXPECT_TRUE(s.item(u"mnuPrev"_qs)->isEnabled());
    s.trigger(u"mnuTh"_qs);
    EXPECT_EQ(s.label("Label21"), u"全文通し練習（全 7 段落）"_qs);
    EXPECT_FALSE(s.item(u"mnuNext"_qs)->isEnabled());
    EXPECT_FALSE(s.window->findChild<QWidget*>(u"Picture9"_qs)->isVisibleTo(s.window.get()));
}

TEST_F(FrmMainTest, BrokenCurrentTextGivesAMessageAndTheChosenSample) {
    QDir().mkpath(folder() + u"/FileBox"_qs);
    QFile text(folder() + u"/FileBox/240101000000.txt"_qs);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("\x00\x01\x02\xff\xfe", 5));
    text.close();
    {
        SettingsTable table;
        table[Options::CurrentFile].address = u"240101000000.txt"_qs;
        table.setNumber(Options::ChosenSample, 4);
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(table.toBytes());
    }
    Session s(folder());
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains(u"240101000000.txt"_qs));
    EXPECT_EQ(s.label("Label1"), u"腕試し４　Universal Declaration of Human Rights Preamble"_qs);
    EXPECT_TRUE(s.item(u"mnuSPL(4)"_qs)->isChecked());
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
        Session s(folder());
        EXPECT_FALSE(s.label("Label1").isEmpty());
        EXPECT_EQ(s.module.settings.number(Options::FontSize) > 0, true);
    }
}

TEST_F(FrmMainTest, HelpFilesAndHomePageOpenThroughTheDesktop) {
    Session s(folder());
    QFile::remove(folder() + u"/ReadMe.txt"_qs);
    QFile help(folder() + u"/Help.txt"_qs);
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    s.trigger(u"mnuHelpa"_qs);
    ASSERT_EQ(s.fakes.shell.opened.size(), 1);
    EXPECT_EQ(s.fakes.shell.opened[0], help.fileName());
    s.trigger(u"mnuHome"_qs);
    ASSERT_EQ(s.fakes.shell.opened.size(), 2);
    EXPECT_TRUE(s.fakes.shell.opened[1].startsWith(u"https://"_qs));
    s.fakes.shell.succeed = false;
    s.trigger(u"mnuHome"_qs);
    EXPECT_EQ(s.messages.size(), 1);
}

// ---- Grades of the shown attempt and of the best list -------------------------------------
// A text of the user's own with stored best times, typed through the main window with a fake clock.

namespace {

class GradingTest : public FrmMainTest {
protected:
    // Writes a one-paragraph text with the given best-times line and makes it the current text.
    void writeText(const QString& paragraph, const QString& bestTimes) {
        QDir().mkpath(folder() + u"/FileBox"_qs);
        QFile text(folder() + u"/FileBox/240101000000.txt"_qs);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QStringList lines = {u"出所"_qs, u"240101"_qs, u"採点"_qs, countsLine(ClassifyChars(paragraph)),
                                   bestTimes,  paragraph};
        text.write(cp932::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
        SettingsTable table;
        table[Options::CurrentFile].address = u"240101000000.txt"_qs;
        table.setNumber(Options::Countdown, 2);
        QFile settings(settingsPath());
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(table.toBytes());
    }

    // Types the whole paragraph as one change after `elapsedMs` of typing; the end dialog is closed.
    static void typeWholeText(Session& s, const QString& paragraph, int elapsedMs) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_qs);
        QApplication::sendEvent(s.window.get(), &space);
        for (int i = 0; i < 500 && s.window->attempt().state() == AttemptState::Countdown; ++i) {
            s.fakes.clock.advance(10);
            s.window->CountdownTick();
        }
        ASSERT_EQ(s.window->attempt().state(), AttemptState::Running);
        for (int t = 0; t < elapsedMs; t += 10) {
            s.fakes.clock.advance(10);
            s.window->RunTick();
        }
        // The input box's text property, whichever kind of box it is.
        QWidget* input = s.window->findChild<QWidget*>(u"Text1"_qs);
        ASSERT_NE(input, nullptr);
        const bool plain = input->metaObject()->indexOfProperty("plainText") >= 0;
        input->setProperty(plain ? "plainText" : "text", paragraph);
        QTimer::singleShot(0, s.window.get(), [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        s.fakes.clock.advance(10);
        s.window->RunTick();
        ASSERT_EQ(s.window->attempt().state(), AttemptState::Ready);
    }

    static QColor foreground(const Session& s, const QString& name) {
        return s.window->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
    }
};

const QString Unfilled = u"99999.99"_qs;

QString bestTimesLine(QStringList filled) {
    while (filled.size() < 10)
        filled.append(Unfilled);
    return filled.join(u','); // a hand-written line without the trailing comma also loads
}

} // namespace

TEST_F(GradingTest, ChangeOfStandardGradesTheShownAttemptAgain) {
    // 10 characters in 9.23 s: 65.0 characters a minute, a different grade under each standard.
    const QString paragraph = u"あいうえおかきくけこ"_qs;
    writeText(paragraph, bestTimesLine({}));
    Session s(folder());
    ASSERT_TRUE(s.messages.isEmpty()) << s.messages.join(u'\n').toStdString();

    // Nothing attempted yet: a change of standard has no attempt to grade.
    s.trigger(u"mnuKijun(2)"_qs);
    EXPECT_TRUE(s.label("Lab2(1)").isEmpty());
    s.trigger(u"mnuKijun(0)"_qs);

    typeWholeText(s, paragraph, 9230);
    ASSERT_EQ(s.label("Lab2(0)"), u"65.0"_qs);
    EXPECT_EQ(s.label("Lab2(1)"), u"2級"_qs);
    const struct {
        int standard;
        const char16_t* grade;
    } cases[] = {{1, u"B級"}, {2, u"3級"}, {3, u"2級"}, {4, u"準1"}, {0, u"2級"}, {4, u"準1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard);
        s.trigger(u"mnuKijun(%1)"_qs.arg(c.standard));
        EXPECT_EQ(s.module.settings.number(Options::Standard), c.standard);
        EXPECT_EQ(s.label("Lab2(1)"), QString::fromUtf16(c.grade));
        // The attempt's best time is graded the same way in the best list.
        EXPECT_EQ(s.label("lblHan(0)"), QString::fromUtf16(c.grade));
        // The rest of the result stays as it was.
        EXPECT_EQ(s.label("Lab2(0)"), u"65.0"_qs);
    }
}

TEST_F(GradingTest, BestListGradesAreGreyUnlessTheTextQualifiesForAJudgement) {
    const struct {
        QString paragraph;
        const char16_t* eligibility;
        bool grey;
    } cases[] = {
        {u"あいうえおかきくけこ"_qs, u"実務能力(仮)判定", true}, // too short
        {u"あいうえおabcde"_qs, u"実務能力判定不可", true},      // neither Japanese nor English
        {u"漢字かな"_qs.repeated(50), u"実務能力判定　可", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.eligibility).toStdString());
        writeText(c.paragraph, bestTimesLine({u"00010.00"_qs, u"00020.00"_qs}));
        Session s(folder());
        ASSERT_TRUE(s.messages.isEmpty()) << s.messages.join(u'\n').toStdString();
        ASSERT_EQ(s.label("Label20"), QString::fromUtf16(c.eligibility));
        const QColor text = s.window->palette().color(QPalette::ButtonText);
        const QColor shadow = s.window->palette().color(QPalette::Dark);
        ASSERT_NE(text, shadow);
        const QColor graded = c.grey ? shadow : text;
        // On loading and again after a change of standard, which builds the list anew.
        for (const char16_t* standard : {u"mnuKijun(0)", u"mnuKijun(2)"}) {
            SCOPED_TRACE(QString::fromUtf16(standard).toStdString());
            s.trigger(QString::fromUtf16(standard));
            for (int row : {0, 1}) {
                ASSERT_FALSE(s.window->findChild<QLabel*>(u"lblHan(%1)"_qs.arg(row))->text().isEmpty());
                EXPECT_EQ(foreground(s, u"lblHan(%1)"_qs.arg(row)), graded) << row;
                EXPECT_EQ(foreground(s, u"lblRVL(%1)"_qs.arg(row)), graded) << row;
                // Speeds are no grades: never grey.
                EXPECT_EQ(foreground(s, u"lblCPM(%1)"_qs.arg(row)), text) << row;
                EXPECT_EQ(foreground(s, u"lblSPM(%1)"_qs.arg(row)), text) << row;
            }
        }
    }
}
