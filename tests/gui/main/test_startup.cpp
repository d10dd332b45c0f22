#include "support/MainWindowTest.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

using StartupTest = MainWindowTest;

TEST_F(StartupTest, ACurrentTextDeletedOutsideTheProgramLoadsTheChosenSampleSilently) {
    writeSettings([](SettingsTable& t) {
        t[Options::CurrentFile].address = u"240101120000.txt"_s;
        t.setNumber(Options::ChosenSample, 1);
    });
    start();
    expectNoMessages();
    EXPECT_TRUE(label(u"titleLabel"_s).startsWith(u"腕試し２"_s)) << label(u"titleLabel"_s).toStdString();
    EXPECT_FALSE(item(u"editCurrentTextAction"_s)->isEnabled());
    stop();
    EXPECT_TRUE(storedSettings()[Options::CurrentFile].address.isEmpty());
}

TEST_F(StartupTest, AHandMadeTextWithABlankLineIsNamedAndNotPractisedInPart) {
    writeOwnText(u"手作り"_s, {u"あいう"_s, u"えおか"_s, QString(), u"きくけ"_s}, {}, u"240101120000.txt"_s);
    start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"240101120000.txt"_s) && messages[0].contains(u"8行目が空行です"_s))
        << messages[0].toStdString();
    EXPECT_EQ(label(u"titleLabel"_s), u"腕試し１　国際連合憲章 前文"_s);
    EXPECT_TRUE(QFileInfo::exists(folder() + u"/FileBox/240101120000.txt"_s)) << "the user's file stays";
}

TEST_F(StartupTest, TheWindowReopensExactlyWhereItWasClosed) {
    // A top of 0 is where a window dragged to the screen's edge ends up; it must not read back
    // as "centre the window".
    for (const QPoint where : {QPoint(333, 222), QPoint(41, 0), QPoint(0, 57)}) {
        SCOPED_TRACE(testing::Message() << where.x() << "," << where.y());
        start();
        window->move(where);
        for (int again = 0; again < 3; ++again) {
            start();
            EXPECT_EQ(window->pos(), where) << "start " << again;
        }
    }
}

TEST_F(StartupTest, StoredPositionsKeepTheirMeaningInTwips) {
    writeSettings([](SettingsTable& t) {
        t.setNumber(Options::WindowTop, 1500);  // 100 pixels
        t.setNumber(Options::WindowLeft, 3000); // 200 pixels
    });
    start();
    EXPECT_EQ(window->pos(), QPoint(200, 100));
    stop();
    EXPECT_EQ(storedSettings().number(Options::WindowTop), 1500);
    EXPECT_EQ(storedSettings().number(Options::WindowLeft), 3000);

    writeSettings({}); // nothing stored: centred
    start();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    EXPECT_NEAR(window->pos().x(), area.x() + (area.width() - frame.width()) / 2, 1);
    EXPECT_NEAR(window->pos().y(), area.y() + (area.height() - frame.height()) / 2, 1);
}
