#include "core/settings/Options.h"
#include "core/settings/WindowPosition.h"
#include "core/texts/TextStats.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace Options;

TEST(Options, ZeroTableStartsWithTheDefaults) {
    SettingsTable table;
    applyStartupDefaults(table);
    EXPECT_EQ(table.number(FontSize), 12);
    EXPECT_EQ(table.number(Countdown), 4);
    EXPECT_EQ(table.number(JudgementWindow), 800);
    EXPECT_EQ(table.number(InputMode), 0);
    EXPECT_EQ(table.number(TextsPerPage), 100);
    for (int entry : {MissSound, Standard, RubyDisplay, ParagraphChange, EndSpace, ScrollPosition, RetryKey})
        EXPECT_EQ(table.number(entry), 0) << entry;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(table[SampleBestLines + i].address, QString::fromUtf16(NoRecordLine));
    EXPECT_EQ(table.toBytes().size(), 5788);
}

TEST(Options, StoredValuesNoItemShowsBecomeDefaults) {
    struct Case {
        int entry;
        qint32 stored;
        qint32 expected;
    } cases[] = {
        {InputMode, 1, 2},           {InputMode, 3, 0},    {InputMode, 8, 8},         {FontSize, 13, 12},
        {FontSize, 10, 10},          {Countdown, 7, 4},    {Countdown, 1, 1},         {JudgementWindow, 123, 800},
        {JudgementWindow, 100, 100}, {Standard, 9, 0},     {Standard, 4, 4},          {ScrollPosition, 3, 0},
        {RetryKey, -1, 0},           {PracticeMode, 5, 1}, {CurrentParagraph, -4, 0}, {MissSound, 2, 0},
    };
    for (const auto& c : cases) {
        SettingsTable table;
        table.setNumber(c.entry, c.stored);
        applyStartupDefaults(table);
        EXPECT_EQ(table.number(c.entry), c.expected) << "entry " << c.entry << " stored " << c.stored;
    }
}

TEST(Options, KeepsTheSamplesBestLinesOnceSet) {
    SettingsTable table;
    table[SampleBestLines].address = u"00012.34,"_s;
    applyStartupDefaults(table);
    EXPECT_EQ(table[SampleBestLines].address, u"00012.34,"_s);
    EXPECT_TRUE(table[SampleBestLines + 1].address.isEmpty());
}

TEST(Options, ItemsMapToStoredValuesAndBack) {
    struct Case {
        int entry;
        int index;
        qint32 value;
    } cases[] = {
        {FontSize, 0, 16},         {FontSize, 4, 10},         {Countdown, 0, 4},      {Countdown, 3, 1},
        {JudgementWindow, 0, 800}, {JudgementWindow, 3, 100}, {InputMode, 2, 2},      {InputMode, 8, 8},
        {RetryKey, 1, 1},          {EndSpace, 1, 1},          {ScrollPosition, 2, 2},
    };
    for (const auto& c : cases) {
        const Group* group = groupForEntry(c.entry);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->valueOf(c.index), c.value);
        EXPECT_EQ(indexForValue(*group, c.value), c.index);
    }
    // The separator of the input-mode array is never a stored value.
    EXPECT_EQ(indexForValue(*groupForEntry(InputMode), 1), -1);
}

TEST(Options, FontSizesGiveTheirRowLayout) {
    struct Case {
        int size, chars, rows;
    } cases[] = {{16, 29, 3}, {14, 32, 3}, {12, 40, 4}, {11, 40, 4}, {10, 45, 5}, {13, 40, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(fontLayout(c.size).charsPerLine, c.chars) << c.size;
        EXPECT_EQ(fontLayout(c.size).visibleRows, c.rows) << c.size;
    }
}

TEST(Options, RetryHintFollowsTheKey) {
    EXPECT_EQ(retryHint(0), u"[Esc]でやり直し"_s);
    EXPECT_EQ(retryHint(1), u"[Shift]+[Esc]でやり直し"_s);
}

TEST(WindowPosition, RestoresOnlyReachablePositions) {
    const int screenW = 19200, screenH = 15360, windowW = 9000;
    struct Case {
        int top, left;
        bool restored;
    } cases[] = {
        {100, 500, true},           {0, 500, false},
        {-1, 500, false},           {100, -8500, false},
        {100, -7980, true},         {100, -7981, false},
        {screenH - 480, 0, true},   {screenH - 479, 0, false},
        {100, screenW - 480, true}, {100, screenW - 479, false},
    };
    for (const auto& c : cases) {
        const auto position = WindowPosition::restored(c.top, c.left, screenW, screenH, windowW);
        EXPECT_EQ(position.has_value(), c.restored) << c.top << "," << c.left;
        if (position) {
            EXPECT_EQ(*position, (WindowPosition::TopLeft{c.top, c.left}));
        }
    }
    EXPECT_EQ(WindowPosition::centred(19200, 15360, 9000, 6000), (WindowPosition::TopLeft{4680, 5100}));
}
