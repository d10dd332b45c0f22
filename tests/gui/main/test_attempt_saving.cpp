#include "core/scoring/BestTimes.h"
#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"
#include "ui/main/InputBox.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Sample = 7; // a short Japanese sample
constexpr char Surplus[] = "bytes after the table";

// A whole attempt on a built-in sample; the best times of a sample live in the settings file.
class AttemptSavingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        SettingsTable table;
        table.setNumber(Options::ChosenSample, Sample);
        table.setNumber(Options::Countdown, 2);
        writeAll(settingsPath(), table.toBytes() + Surplus);
        module.programFolder = m_dir.path();
        window = std::make_unique<MainWindow>(module, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        window->startUp();
        inputEdit = window->findChild<InputBox*>(u"inputEdit"_s);
        // Closes the result dialog whenever one is up.
        m_closer.setInterval(0);
        QObject::connect(&m_closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        m_closer.start();
    }
    void TearDown() override {
        m_closer.stop();
        window->close();
    }

    QString settingsPath() const { return m_dir.path() + u"/RudUZ.rvl"_s; }
    QString storedLineOnDisk() const {
        return SettingsTable::fromBytes(readAll(settingsPath()))[Options::SampleBestLines + Sample].address;
    }

    // Types the whole sample, `msPerSegment` of fake time for each segment.
    void typeWholeText(int msPerSegment) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s);
        QApplication::sendEvent(window.get(), &space);
        for (int i = 0; i < 200 && window->attempt().state() == AttemptState::Countdown; ++i) {
            fakes.clock.advance(10);
            window->countdownTick();
        }
        ASSERT_EQ(window->attempt().state(), AttemptState::Running);
        for (int i = 0; i < 500 && window->attempt().state() == AttemptState::Running; ++i) {
            fakes.clock.advance(msPerSegment);
            inputEdit->setText(window->display().segmentText);
            window->runTick();
        }
        ASSERT_EQ(window->attempt().state(), AttemptState::Ready);
    }

    QTemporaryDir m_dir;
    Session module;
    FakePlatform fakes;
    QStringList messages;
    std::unique_ptr<MainWindow> window;
    InputBox* inputEdit = nullptr;
    QTimer m_closer;
};

} // namespace

TEST_F(AttemptSavingTest, ANewBestIsInTheSettingsFileBeforeTheProgramCloses) {
    EXPECT_TRUE(storedLineOnDisk().isEmpty());
    typeWholeText(2000);
    const QString first = BestTimesLine::format(module.text.bestTimes);
    ASSERT_LT(module.text.bestTimes[0], BestTimesLine::EmptyTime);
    EXPECT_EQ(storedLineOnDisk(), first);
    // The save keeps what followed the table in the file.
    EXPECT_TRUE(readAll(settingsPath()).endsWith(Surplus));

    // A faster attempt moves the old time down; the file follows at once again.
    typeWholeText(1000);
    EXPECT_EQ(storedLineOnDisk(), BestTimesLine::format(module.text.bestTimes));
    const BestTimes after = BestTimesLine::parse(storedLineOnDisk());
    EXPECT_EQ(after[1], BestTimesLine::parse(first)[0]);
    EXPECT_LT(after[0], after[1]);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(AttemptSavingTest, TheBestLineIsSavedEvenWhenBestRecCannotBeWritten) {
    // A folder in the way of BestRec.log makes its update fail.
    ASSERT_TRUE(QDir().mkpath(module.logBoxPath() + u"/BestRec.log"_s));
    typeWholeText(2000);
    ASSERT_LT(module.text.bestTimes[0], BestTimesLine::EmptyTime);
    EXPECT_EQ(storedLineOnDisk(), BestTimesLine::format(module.text.bestTimes));
    EXPECT_FALSE(messages.isEmpty());
}
