#include "core/settings/Options.h"

#include "core/texts/TextStats.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Options {
namespace {

constexpr int FiveItems[] = {0, 1, 2, 3, 4};
constexpr int FourItems[] = {0, 1, 2, 3};
constexpr int ThreeItems[] = {0, 1, 2};
constexpr int TwoItems[] = {0, 1};
// Item 1 of the input modes is a separator: no mode is stored as 1.
constexpr int InputModeItems[] = {0, 2, 4, 5, 6, 7, 8};

constexpr qint32 FontSizes[] = {16, 14, 12, 11, 10};
constexpr qint32 JudgementWindows[] = {800, 400, 200, 100};

qint32 sameAsIndex(int index) {
    return index;
}
qint32 fontSizeOf(int index) {
    return index >= 0 && index < 5 ? FontSizes[index] : 12;
}
qint32 countdownOf(int index) {
    return 4 - index;
}
qint32 judgementWindowOf(int index) {
    return index >= 0 && index < 4 ? JudgementWindows[index] : 800;
}

const Group Groups[] = {
    {FontSize, FiveItems, fontSizeOf},
    {Countdown, FourItems, countdownOf},
    {MissSound, TwoItems, sameAsIndex},
    {RubyDisplay, TwoItems, sameAsIndex},
    {ParagraphChange, TwoItems, sameAsIndex},
    {EndSpace, TwoItems, sameAsIndex},
    {JudgementWindow, FourItems, judgementWindowOf},
    {ScrollPosition, ThreeItems, sameAsIndex},
    {InputMode, InputModeItems, sameAsIndex},
    {RetryKey, TwoItems, sameAsIndex},
};

constexpr FontLayout Layouts[] = {
    {16, 29, 3, 345, 1425, 330, 45, 1260, 1110, 900}, {14, 32, 3, 315, 1320, 300, 30, 1140, 990, 780},
    {12, 40, 4, 270, 1410, 255, 30, 1200, 1050, 840}, {11, 40, 4, 255, 1335, 240, 30, 1125, 975, 765},
    {10, 45, 5, 225, 1410, 210, 0, 1170, 1020, 810},
};

// Replaces a value no item of the group stores by the group's default.
void keepValid(SettingsTable& table, int entry, qint32 defaultValue) {
    const Group* group = groupForEntry(entry);
    if (group && indexForValue(*group, table.number(entry)) < 0) table.setNumber(entry, defaultValue);
}

} // namespace

std::span<const Group> groups() {
    return Groups;
}

const Group* groupForEntry(int entry) {
    for (const Group& g : Groups)
        if (g.entry == entry) return &g;
    return nullptr;
}

int indexForValue(const Group& group, qint32 value) {
    for (const int index : group.indices)
        if (group.valueOf(index) == value) return index;
    return -1;
}

const FontLayout& fontLayout(int pointSize) {
    for (const FontLayout& layout : Layouts)
        if (layout.pointSize == pointSize) return layout;
    return Layouts[2];
}

void applyStartupDefaults(SettingsTable& table) {
    if (table.number(FontSize) == 0) table.setNumber(FontSize, 12);
    if (table.number(Countdown) == 0) table.setNumber(Countdown, 4);
    if (table.number(InputMode) == 1) table.setNumber(InputMode, 2);
    if (table.number(JudgementWindow) == 0) table.setNumber(JudgementWindow, 800);
    if (table.number(TextsPerPage) == 0) table.setNumber(TextsPerPage, 100);

    // A value written by hand or by a damaged file would leave no item checked and no layout.
    keepValid(table, FontSize, 12);
    keepValid(table, Countdown, 4);
    keepValid(table, MissSound, 0);
    keepValid(table, RubyDisplay, 0);
    keepValid(table, ParagraphChange, 0);
    keepValid(table, EndSpace, 0);
    keepValid(table, JudgementWindow, 800);
    keepValid(table, ScrollPosition, 0);
    keepValid(table, InputMode, 0);
    keepValid(table, RetryKey, 0);
    if (table.number(Standard) < 0 || table.number(Standard) >= StandardCount) table.setNumber(Standard, 0);
    if (table.number(PracticeMode) != 0) table.setNumber(PracticeMode, 1);
    if (table.number(CurrentParagraph) < 0) table.setNumber(CurrentParagraph, 0);
    if (table.number(TextsPerPage) < 0) table.setNumber(TextsPerPage, 100);

    if (table[SampleBestLines].address.isEmpty())
        for (int i = 0; i < 20; ++i)
            table[SampleBestLines + i].address = QString::fromUtf16(NoRecordLine);
}

QString retryHint(qint32 retryKey) {
    return retryKey != 0 ? u"[Shift]+[Esc]でやり直し"_s : u"[Esc]でやり直し"_s;
}

} // namespace Options
