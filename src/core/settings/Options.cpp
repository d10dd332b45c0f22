#include "core/settings/Options.h"

#include "core/texts/TextStats.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Options {
namespace {

constexpr Item FontSizeItems[] = {{0, u"最大(&G)"}, {1, u"大(&L)"}, {2, u"中(&M)"}, {3, u"小(&S)"}, {4, u"最小(&A)"}};
constexpr Item CountItems[] = {{0, u"３秒後にスタート(&3)"},
                               {1, u"２秒後にスタート(&2)"},
                               {2, u"１秒後にスタート(&1)"},
                               {3, u"すぐにスタート(&0)"}};
constexpr Item MissItems[] = {{0, u"音を出す(&Y)"}, {1, u"音を出さない(&N)"}};
constexpr Item RubyItems[] = {{0, u"常に表示する(&Y)"}, {1, u"適宜[F5]で表示する(&T)"}};
constexpr Item ChangeItems[] = {{0, u"改行キーを使用しない(&N)"}, {1, u"改行キーを使用する(&Y)"}};
constexpr Item AddItems[] = {{0, u"付加しない(&N)"}, {1, u"段落末に付加する(&Y)"}};
constexpr Item HandanItems[] = {
    {0, u"全文字(&A)"}, {1, u"直近400文字(&B)"}, {2, u"直近200文字(&C)"}, {3, u"直近100文字(&D)"}};
constexpr Item ScrollItems[] = {{0, u"最終行(&A)"}, {1, u"下から 2行目(&B)"}, {2, u"下から 3行目(&C)"}};
constexpr Item ImeItems[] = {{0, u"自動切替(&A)"},     {1, u""},
                             {2, u"直接入力(&D)"},     {4, u"ひらがな(&H)"},
                             {5, u"全角カタカナ(&K)"}, {6, u"半角カタカナ(&I)"},
                             {7, u"全角英数(&L)"},     {8, u"半角英数(&P)"}};
constexpr Item KeyItems[] = {{0, u"[Esc]キー(&E)"}, {1, u"[Shift]+[Esc]キー(&S)"}};

constexpr Item StandardItems[] = {{0, u"MSパソコン入力コンクール[Mパソ](&M)"},
                                  {1, u"NSビジネスキーボード認定[N商](&N)"},
                                  {2, u"NKパソコンスピード認定[N検](&S)"},
                                  {3, u"ZSワープロ実務検定[Z商](&Z)"},
                                  {4, u"NK日本語ワープロ検定[N検](&K)"}};

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
    {u"fontSizeActions", u"fontSizeMenu", u"フォントサイズ設定(&F)", FontSize, FontSizeItems, fontSizeOf},
    {u"countdownActions", u"countdownMenu", u"カウントダウン設定(&D)", Countdown, CountItems, countdownOf},
    {u"missSoundActions", u"missSoundMenu", u"ミス音設定(&M)", MissSound, MissItems, sameAsIndex},
    {u"rubyActions", u"rubyMenu", u"ルビ表示設定(&R)", RubyDisplay, RubyItems, sameAsIndex},
    {u"enterKeyActions", u"enterKeyMenu", u"次段落移行設定(&N)", ParagraphChange, ChangeItems, sameAsIndex},
    {u"endSpaceActions", u"endSpaceMenu", u"スペース付加（英文）設定(&A)", EndSpace, AddItems, sameAsIndex},
    {u"judgementWindowActions", u"judgementWindowMenu", u"正誤判断文字数設定(&P)", JudgementWindow, HandanItems,
     judgementWindowOf},
    {u"scrollRowActions", u"scrollRowMenu", u"スクロール位置設定(&S)", ScrollPosition, ScrollItems, sameAsIndex},
    {u"inputModeActions", u"inputModeMenu", u"入力モード初期設定(&I)", InputMode, ImeItems, sameAsIndex},
    {u"retryKeyActions", u"retryKeyMenu", u"やり直しキー設定(&E)", RetryKey, KeyItems, sameAsIndex},
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
    for (const Item& item : group.items)
        if (item.caption[0] != 0 && group.valueOf(item.index) == value) return item.index;
    return -1;
}

std::span<const Item> standards() {
    return StandardItems;
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
    if (table.number(Standard) < 0 || table.number(Standard) > 4) table.setNumber(Standard, 0);
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
