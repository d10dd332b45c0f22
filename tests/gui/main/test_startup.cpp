#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "core/util/Cp932.h"
#include "support/FakePlatform.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Starts and ends the main window in a program folder of its own, the way the program does.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(fileBox());
    }

    QString fileBox() const { return m_dir.path() + u"/FileBox"_s; }
    QString settingsPath() const { return m_dir.path() + u"/RudUZ.rvl"_s; }

    void writeSettings(const SettingsTable& table) {
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(table.toBytes());
    }
    SettingsTable readSettings() {
        SettingsTable table;
        SettingsFile(settingsPath()).load(table);
        return table;
    }

    // One start: startUp, then `whileRunning`, then the close that writes the settings file.
    void run(const std::function<void(MainWindow&)>& whileRunning = {}) {
        Session module;
        module.programFolder = m_dir.path();
        FakePlatform fakes;
        MainWindow window(module, fakes.platform);
        window.setMessageHandler([this](const QString& text) { messages.append(text); });
        window.startUp();
        title = window.findChild<QLabel*>(u"titleLabel"_s)->text();
        editCurrentEnabled = window.action(u"editCurrentTextAction"_s)->isEnabled();
        position = window.pos();
        frameSize = window.frameGeometry().size();
        if (whileRunning) whileRunning(window);
        window.close();
    }

    QTemporaryDir m_dir;
    QStringList messages;
    QString title;
    bool editCurrentEnabled = true;
    QPoint position;
    QSize frameSize;
};

} // namespace

TEST_F(StartupTest, ACurrentTextDeletedOutsideTheProgramLoadsTheChosenSampleSilently) {
    SettingsTable table;
    table[Options::CurrentFile].address = u"240101120000.txt"_s;
    table.setNumber(Options::ChosenSample, 1);
    writeSettings(table);
    run();
    EXPECT_TRUE(messages.isEmpty()) << messages.value(0).toStdString();
    EXPECT_TRUE(title.startsWith(u"腕試し２"_s)) << title.toStdString();
    EXPECT_FALSE(editCurrentEnabled);
    EXPECT_TRUE(readSettings()[Options::CurrentFile].address.isEmpty());
}

TEST_F(StartupTest, AHandMadeTextWithABlankLineIsNamedAndNotPractisedInPart) {
    const QStringList lines = {
        u"出所"_s,
        u"240101"_s,
        u"手作り"_s,
        u"   9 (   9,   0)(   0,   9,   0)(   0,   0,   0)"_s,
        u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99"_s,
        u"あいう"_s,
        u"えおか"_s,
        QString(),
        u"きくけ"_s};
    QFile text(fileBox() + u"/240101120000.txt"_s);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
    text.close();
    SettingsTable table;
    table[Options::CurrentFile].address = u"240101120000.txt"_s;
    writeSettings(table);
    run();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"240101120000.txt"_s)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(u"8行目が空行です"_s)) << messages[0].toStdString();
    EXPECT_EQ(title, u"腕試し１　国際連合憲章 前文"_s);
    EXPECT_TRUE(QFileInfo::exists(text.fileName())) << "the user's file stays";
}

TEST_F(StartupTest, TheWindowReopensExactlyWhereItWasClosed) {
    // A top of 0 is where a window dragged to the screen's edge ends up; it must not read back
    // as "centre the window".
    for (const QPoint where : {QPoint(333, 222), QPoint(41, 0), QPoint(0, 57)}) {
        SCOPED_TRACE(where.x());
        SCOPED_TRACE(where.y());
        run([&](MainWindow& window) { window.move(where); });
        for (int start = 0; start < 3; ++start) {
            run();
            EXPECT_EQ(position, where) << "start " << start;
        }
    }
}

TEST_F(StartupTest, StoredPositionsKeepTheirMeaningInTwips) {
    SettingsTable table;
    table.setNumber(Options::WindowTop, 1500);  // 100 pixels
    table.setNumber(Options::WindowLeft, 3000); // 200 pixels
    writeSettings(table);
    run();
    EXPECT_EQ(position, QPoint(200, 100));
    const SettingsTable after = readSettings();
    EXPECT_EQ(after.number(Options::WindowTop), 1500);
    EXPECT_EQ(after.number(Options::WindowLeft), 3000);

    table.setNumber(Options::WindowTop, 0); // nothing stored: centred
    writeSettings(table);
    run();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(position.x(), area.x() + (area.width() - frameSize.width()) / 2, 1);
    EXPECT_NEAR(position.y(), area.y() + (area.height() - frameSize.height()) / 2, 1);
}
