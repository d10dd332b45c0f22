#include "core/settings/Options.h"
#include "core/settings/WindowPosition.h"
#include "unit/UnitTest.h"

using namespace Options;

TEST(Options, StoredValuesNoItemShowsBecomeDefaults) {
    const std::tuple<int, qint32, qint32> cases[] = {
        // entry, stored, after loading
        {InputMode, 1, 2},         {InputMode, 3, 0},      {InputMode, 8, 8}, {FontSize, 13, 12},
        {FontSize, 10, 10},        {Countdown, 7, 4},      {Countdown, 1, 1}, {JudgementWindow, 123, 800},
        {Standard, 9, 0},          {ScrollPosition, 3, 0}, {RetryKey, -1, 0}, {PracticeMode, 5, 1},
        {CurrentParagraph, -4, 0}, {MissSound, 2, 0}};
    for (const auto& [entry, stored, expected] : cases) {
        SettingsTable table;
        table.setNumber(entry, stored);
        table[SampleBestLines].address = u"00012.34,"_s;
        applyStartupDefaults(table);
        EXPECT_EQ(table.number(entry), expected) << "entry " << entry << " stored " << stored;
        EXPECT_EQ(table[SampleBestLines].address, u"00012.34,"_s);
    }
}

TEST(WindowPosition, RestoresOnlyReachablePositions) {
    const int screenW = 19200, screenH = 15360, windowW = 9000;
    const std::tuple<int, int, bool> cases[] = {
        {100, 500, true},           {0, 500, false},          {-1, 500, false},          {100, -7980, true},
        {100, -7981, false},        {screenH - 480, 0, true}, {screenH - 479, 0, false}, {100, screenW - 480, true},
        {100, screenW - 479, false}};
    for (const auto& [top, left, restored] : cases) {
        const auto position = WindowPosition::restored(top, left, screenW, screenH, windowW);
        EXPECT_EQ(position, restored ? std::optional(WindowPosition::TopLeft{top, left}) : std::nullopt)
            << top << "," << left;
    }
    EXPECT_EQ(WindowPosition::centred(19200, 15360, 9000, 6000), (WindowPosition::TopLeft{4680, 5100}));
}
