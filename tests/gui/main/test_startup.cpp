#include "support/MainWindowTest.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

using StartupTest = MainWindowTest;

// Where the window reopens, and in which unit its place is stored, is the end-to-end test_window_position's.
TEST_F(StartupTest, AnUnusableCurrentTextGivesWayToTheChosenSample) {
    const QString name = u"240101120000.txt"_s, path = folder() + u"/FileBox/"_s + name;
    // A text deleted outside the program goes silently; a hand-made one with a blank line is named, and stays.
    for (const bool deleted : {true, false}) {
        SCOPED_TRACE(deleted);
        writeOwnText(
            u"手作り"_s, {u"あいう"_s, u"えおか"_s, QString(), u"きくけ"_s},
            [](SettingsTable& t) { t.setNumber(Options::ChosenSample, 1); }, name);
        if (deleted) ASSERT_TRUE(QFile::remove(path));
        messages.clear();
        start();
        ASSERT_EQ(messages.size(), deleted ? 0 : 1);
        EXPECT_TRUE(deleted || (messages[0].contains(name) && messages[0].contains(u"8行目が空行です"_s)))
            << messages.join(u'\n').toStdString();
        EXPECT_TRUE(label(u"titleLabel"_s).startsWith(u"腕試し２"_s)) << label(u"titleLabel"_s).toStdString();
        EXPECT_FALSE(item(u"editCurrentTextAction"_s)->isEnabled());
        EXPECT_EQ(QFileInfo::exists(path), !deleted);
        stop();
        EXPECT_TRUE(storedSettings()[Options::CurrentFile].address.isEmpty());
    }
}
