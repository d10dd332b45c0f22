#include "core/settings/Preferences.h"
#include "unit/UnitTest.h"

TEST(Preferences, RoundTripAndDamagedValuesFallBackToDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"RinvaleQX.ini"_s);
    EXPECT_EQ(Preferences::load(path).zoomPercent, Preferences::DefaultZoom);
    Preferences p;
    p.examMinutes = 10;
    p.zoomPercent = 150;
    p.windowWidth = 1900;
    p.windowHeight = 1000;
    p.maximised = true;
    ASSERT_TRUE(p.save(path, nullptr));
    const Preferences back = Preferences::load(path);
    EXPECT_EQ(std::tuple(back.examMinutes, back.zoomPercent, back.windowWidth, back.windowHeight, back.maximised,
                         back.examIndex()),
              std::tuple(10, 150, 1900, 1000, true, 3));

    writeAll(path, "[Exam]\nminutes=7\n[MainWindow]\nzoomPercent=301\nwidth=99999\nheight=500\n");
    const Preferences damaged = Preferences::load(path);
    EXPECT_EQ(std::tuple(damaged.examMinutes, damaged.zoomPercent, damaged.windowWidth, damaged.examIndex()),
              std::tuple(0, Preferences::DefaultZoom, 0, -1));
}

TEST(Preferences, ZoomStepsStopAtTheEnds) {
    const std::tuple<int, int, int> cases[] = {
        {100, 1, 110}, {100, -1, 90}, {300, 1, 300}, {80, -1, 80}, {105, 1, 110}};
    for (const auto& [from, direction, to] : cases)
        EXPECT_EQ(Preferences::zoomStep(from, direction), to) << from << " " << direction;
}
