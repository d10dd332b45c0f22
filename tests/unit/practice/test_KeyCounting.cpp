#include "practice/KeyCounting.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Key codes the cases press.
constexpr int Backspace = 8, Enter = 13, Shift = 16, Esc = 27, Space = 32, Delete = 46, F7 = 118;
constexpr int A = 65, B = 66, I = 73, J = 74, K = 75, N = 78;
constexpr int ImeOn = 4, ImeOff = 2;

/** The keys held now, as the test presses and releases them. */
class FakeKeyState final : public KeyState {
public:
    std::set<int> held;
    bool isDown(int keyCode) const override { return held.count(keyCode) != 0; }
};

class KeyCountingTest : public ::testing::Test {
protected:
    // A key-down as the window sees it: the key's own code, or 229 when the input method takes it.
    bool down(int key, bool viaIme) {
        keys.held.insert(key);
        return counting.keyDown(viaIme ? ProcessKeyCode : key, keys, ime, text1.isEmpty());
    }
    void up(int key) {
        keys.held.erase(key);
        counting.keyUp(keys);
    }
    bool tap(int key, bool viaIme) {
        const bool counted = down(key, viaIme);
        up(key);
        return counted;
    }
    // Characters reaching the input box (committed by the input method or typed directly).
    void commit(const QString& chars) {
        for (QChar c : chars) {
            counting.keyPress(c, ime);
            text1 += c;
        }
    }
    // Types romaji keys inside a composition: the input method takes every one.
    void romaji(std::initializer_list<int> keyCodes) {
        for (int key : keyCodes)
            tap(key, true);
    }

    AttemptCounters counters;
    KeyCounting counting{counters};
    FakeKeyState keys;
    int ime = ImeOn;
    QString text1;
};

} // namespace

TEST_F(KeyCountingTest, KanjiConvertedAndConfirmedWithTheInputMethod) {
    romaji({K, A, N, J, I});
    tap(Space, true);
    tap(Enter, true);
    commit(u"漢字"_qs);
    EXPECT_EQ(counters.Keystrokes, 7);
    EXPECT_EQ(counters.SegKeystrokes, 7);
    EXPECT_EQ(counters.Conversions, 1);
    EXPECT_EQ(counters.SegConversions, 1);
    EXPECT_EQ(counters.Confirmations, 1);
    EXPECT_EQ(counters.SegConfirmations, 1);
    EXPECT_EQ(counters.ShuseiCount + counters.TeiseiCount, 0);
    EXPECT_EQ(counting.List3(), QStringList({u"d□4"_qs, u"d■4"_qs, u"p漢4"_qs, u"p字4"_qs}));
    EXPECT_EQ(counting.operationString(), u"漢字□■"_qs);
}

TEST_F(KeyCountingTest, HeldSpaceMarksOnceButEveryRepeatIsAKeystroke) {
    romaji({K, A, N, J, I});
    for (int repeat = 0; repeat < 4; ++repeat)
        EXPECT_TRUE(down(Space, true));
    // A key-up of another key while Space is still held does not free Space.
    tap(A, true);
    EXPECT_TRUE(down(Space, true));
    EXPECT_EQ(counters.Conversions, 1);
    EXPECT_EQ(counters.Keystrokes, 5 + 4 + 1 + 1);
    EXPECT_EQ(counting.List3().count(u"d□4"_qs), 1);
    // Released and pressed again: a second conversion.
    up(Space);
    tap(Space, true);
    EXPECT_EQ(counters.Conversions, 2);
    EXPECT_EQ(counting.List3().count(u"d□4"_qs), 2);
}

TEST_F(KeyCountingTest, OperationKeysMarkOnlyWhenTheInputMethodTakesThem) {
    struct Case {
        int key;
        bool viaIme;
        qint32 conversions, confirmations, shusei;
        const char16_t* log;
    } cases[] = {
        {F7, true, 1, 0, 0, u"d□4"},  // katakana conversion
        {F7, false, 0, 0, 0, u"d□4"}, // no composition to convert, but the mark still goes into the log
        {Enter, true, 0, 1, 0, u"d■4"},
        {Esc, true, 0, 0, 1, u"d＜4"}, // cancels the composition
    };
    for (const Case& c : cases) {
        AttemptCounters fresh;
        KeyCounting k(fresh);
        keys.held = {c.key};
        EXPECT_TRUE(k.keyDown(c.viaIme ? ProcessKeyCode : c.key, keys, ImeOn, false)) << c.key;
        // Held and repeated: no second operation.
        EXPECT_TRUE(k.keyDown(c.viaIme ? ProcessKeyCode : c.key, keys, ImeOn, false)) << c.key;
        EXPECT_EQ(fresh.Conversions, c.conversions) << c.key;
        EXPECT_EQ(fresh.Confirmations, c.confirmations) << c.key;
        EXPECT_EQ(fresh.ShuseiCount, c.shusei) << c.key;
        EXPECT_EQ(fresh.Keystrokes, 2) << c.key;
        EXPECT_EQ(k.List3(), QStringList{QString::fromUtf16(c.log)}) << c.key;
    }
    keys.held.clear();
}

TEST_F(KeyCountingTest, DeletionsAreShuseiTeiseiOrNothing) {
    struct Case {
        const char* what;
        int key;
        bool viaIme;
        QString text;
        bool counted;
        qint32 shusei, teisei;
        QStringList log;
    } cases[] = {
        {"Backspace in a composition", Backspace, true, u""_qs, true, 1, 0, {u"d＜4"_qs}},
        {"Backspace on committed text", Backspace, false, u"漢字"_qs, true, 0, 1, {u"d≪4"_qs}},
        {"Delete on committed text", Delete, false, u"漢字"_qs, true, 0, 1, {u"d≪4"_qs}},
        {"Backspace in an empty box", Backspace, false, u""_qs, false, 0, 0, {}},
        {"Delete in an empty box", Delete, false, u""_qs, false, 0, 0, {}},
    };
    for (const Case& c : cases) {
        counters = {};
        counting.reset();
        text1 = c.text;
        EXPECT_EQ(down(c.key, c.viaIme), c.counted) << c.what;
        // Auto-repeat deletes again and counts again.
        EXPECT_EQ(down(c.key, c.viaIme), c.counted) << c.what;
        up(c.key);
        EXPECT_EQ(counters.ShuseiCount, 2 * c.shusei) << c.what;
        EXPECT_EQ(counters.SegShusei, 2 * c.shusei) << c.what;
        EXPECT_EQ(counters.TeiseiCount, 2 * c.teisei) << c.what;
        EXPECT_EQ(counters.SegTeisei, 2 * c.teisei) << c.what;
        EXPECT_EQ(counters.Keystrokes, c.counted ? 2 : 0) << c.what;
        EXPECT_EQ(counting.List3(), c.log + c.log) << c.what;
        // The Backspace character itself is never logged.
        counting.keyPress(QChar(u'\b'), ime);
        EXPECT_EQ(counting.List3().size(), 2 * c.log.size()) << c.what;
    }
}

TEST_F(KeyCountingTest, ShiftAloneIsNoKeystroke) {
    ime = ImeOff;
    EXPECT_FALSE(down(Shift, false));
    EXPECT_FALSE(down(Shift, false)); // auto-repeat
    up(Shift);
    EXPECT_EQ(counters.Keystrokes, 0);
    EXPECT_EQ(counters.SegKeystrokes, 0);
    // Shift with a letter: the letter is the keystroke.
    down(Shift, false);
    EXPECT_TRUE(tap(A, false));
    up(Shift);
    commit(u"A"_qs);
    EXPECT_EQ(counters.Keystrokes, 1);
    EXPECT_EQ(counting.List3(), QStringList{u"pA2"_qs});
}

TEST_F(KeyCountingTest, FullWidthSpaceWithTheInputMethodOnIsNoConversion) {
    commit(u"漢"_qs);
    tap(Space, true);
    commit(u"　"_qs);
    EXPECT_EQ(counters.Conversions, 0);
    EXPECT_EQ(counters.SegConversions, 0);
    EXPECT_EQ(counters.Keystrokes, 1);
    EXPECT_EQ(counting.operationString(), u"漢　"_qs);
}

// Without the input method Space arrives with its own code (no conversion counted) and the
// space it types still takes one back: English typing ends with one conversion less per
// space. The results show the conversion row for Japanese texts only.
TEST_F(KeyCountingTest, EnglishTypingCountsMinusOneConversionPerSpace) {
    ime = ImeOff;
    const struct {
        int key;
        QChar c;
    } typed[] = {{A, u'a'}, {Space, u' '}, {B, u'b'}, {Space, u' '}, {A, u'a'}};
    for (const auto& t : typed) {
        EXPECT_TRUE(tap(t.key, false));
        commit(QString(t.c));
    }
    EXPECT_EQ(counters.Conversions, -2);
    EXPECT_EQ(counters.SegConversions, -2);
    EXPECT_EQ(counters.Confirmations, 0);
    EXPECT_EQ(counters.Keystrokes, 5);
    EXPECT_EQ(counting.operationString(), u"a b a"_qs);
}

TEST_F(KeyCountingTest, ResetEmptiesTheLogButKeepsHeldKeys) {
    down(Space, true);
    commit(u"あ"_qs);
    counting.reset();
    EXPECT_TRUE(counting.List3().isEmpty());
    // Space is still held from before the reset: its repeats mark nothing.
    down(Space, true);
    EXPECT_TRUE(counting.List3().isEmpty());
    EXPECT_EQ(counters.Conversions, 1);
    up(Space);
    down(Space, true);
    EXPECT_EQ(counting.List3(), QStringList{u"d□4"_qs});
}

TEST_F(KeyCountingTest, OperationStringConsumesTheLog) {
    romaji({K, A});
    tap(Enter, true);
    commit(u"か"_qs);
    EXPECT_EQ(counting.operationString(), u"か■"_qs);
    EXPECT_TRUE(counting.List3().isEmpty());
    // The next paragraph starts with nothing of the previous one.
    romaji({K, I});
    tap(Enter, true);
    commit(u"き"_qs);
    EXPECT_EQ(counting.operationString(), u"き■"_qs);
    EXPECT_EQ(counting.operationString(), QString());
}

TEST(KeyCountingOperationString, FlushRules) {
    const struct {
        const char* what;
        QStringList log;
        QString expected;
    } cases[] = {
        {"empty log", {}, u""_qs},
        {"marks follow the characters of their composition",
         {u"d□4"_qs, u"d■4"_qs, u"p日4"_qs, u"p本4"_qs, u"d□4"_qs, u"d■4"_qs, u"p語4"_qs},
         u"日本□■語□■"_qs},
        {"a typed full-width space flushes before itself",
         {u"d□4"_qs, u"d■4"_qs, u"p日4"_qs, u"p　4"_qs, u"p本4"_qs},
         u"日□■　本"_qs},
        {"returning to single-byte characters with the input method off flushes",
         {u"d□4"_qs, u"d■4"_qs, u"p日4"_qs, u"p本4"_qs, u"pa2"_qs, u"pb2"_qs},
         u"日本□■ab"_qs},
        {"single-byte characters with the input method on wait",
         {u"d□4"_qs, u"d■4"_qs, u"p日4"_qs, u"p14"_qs},
         u"日1□■"_qs},
        {"the input method back on clears the off flag",
         {u"p日4"_qs, u"pa2"_qs, u"p語4"_qs, u"d□4"_qs, u"p本4"_qs, u"pb4"_qs},
         u"日a語本b□"_qs},
        {"a single-byte first entry starts with the input method off",
         {u"pa4"_qs, u"d□2"_qs, u"p日2"_qs, u"pb2"_qs},
         u"a日b□"_qs},
        {"≪ stays in place", {u"pa2"_qs, u"pb2"_qs, u"d≪2"_qs, u"pc2"_qs}, u"ab≪c"_qs},
        {"≪ as the first entry", {u"d≪2"_qs, u"pa2"_qs}, u"≪a"_qs},
        {"≪ after a composition flushes its marks first",
         {u"d□4"_qs, u"d■4"_qs, u"p日4"_qs, u"d≪4"_qs, u"p本4"_qs},
         u"日□■≪本"_qs},
        {"composition marks wait among each other",
         {u"d□4"_qs, u"d＜4"_qs, u"d□4"_qs, u"d■4"_qs, u"p字4"_qs},
         u"字□＜□■"_qs},
        {"□ before a half-width space is dropped", {u"pa2"_qs, u"d□2"_qs, u"p 2"_qs, u"pb2"_qs}, u"a b"_qs},
        {"only the □ right before the space is dropped", {u"d□4"_qs, u"d□4"_qs, u"p　4"_qs}, u"□　"_qs},
        {"a □ at the end is kept", {u"pa4"_qs, u"d□4"_qs}, u"a□"_qs},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyCounting::buildOperationString(c.log), c.expected) << c.what;
}

TEST(KeyCountingLiveFigures, FiguresAndBars) {
    const struct {
        const char* what;
        LiveFigureInput in;
        const char16_t* label11;
        const char16_t* label12;
        int shape1;
    } cases[] = {
        {"half done in a minute", {100, 50, 300, 0, 60000, 0, 300}, u"150", u"150.0", 150},
        {"English text with its paragraph-end spaces", {40, 10, 98, 2, 60000, 0, 400}, u"50", u"50.0", 200},
        {"under 10 ms counts as 10 ms", {0, 1, 10, 0, 5, 0, 100}, u"1", u"6000.0", 10},
        {"a tick older than the start (resumed pause) counts as 10 ms",
         {0, 1, 10, 0, 100, 500, 100},
         u"1",
         u"6000.0",
         10},
        {"across the clock's wrap", {0, 13, 100, 0, 0x000000A0u, 0xFFFFFF00u, 100}, u"13", u"1875.0", 13},
        {"rounded half away from zero", {0, 1, 10, 0, 16000, 0, 100}, u"1", u"3.8", 10},
        {"nothing to type", {0, 0, 0, 0, 60000, 0, 300}, u"0", u"0.0", 0},
        {"no track", {5, 5, 10, 0, 60000, 0, 0}, u"10", u"10.0", 0},
    };
    for (const auto& c : cases) {
        const LiveFigures f = liveFigures(c.in);
        EXPECT_EQ(f.Label11, QString::fromUtf16(c.label11)) << c.what;
        EXPECT_EQ(f.Label12, QString::fromUtf16(c.label12)) << c.what;
        EXPECT_EQ(f.Shape1Width, c.shape1) << c.what;
    }
}

TEST(KeyCountingLiveFigures, GaugeAgainstTheTarget) {
    // Target 250 per minute on a 301-pixel track; the full track is 300 per minute.
    const struct {
        qint32 typed;
        quint32 ms;
        qint32 target;
        int gaugeBefore;
        int shape2;
        GaugeColour colour;
    } cases[] = {
        {1999, 600000, 250, 0, 201, GaugeColour::Red},    // 199.9: below 80 %
        {200, 60000, 250, 0, 201, GaugeColour::Yellow},   // exactly 80 %
        {2499, 600000, 250, 0, 251, GaugeColour::Yellow}, // 249.9
        {250, 60000, 250, 0, 251, GaugeColour::Blue},     // exactly 100 %
        {600, 60000, 250, 0, 301, GaugeColour::Blue},     // beyond 120 %: the full track
        {0, 60000, 250, 120, 0, GaugeColour::Red},
        // Without a target the gauge keeps its width and its colour follows that width.
        {250, 60000, 0, 200, 200, GaugeColour::Red},
        {250, 60000, 0, 201, 201, GaugeColour::Yellow},
        {250, 60000, 0, 251, 251, GaugeColour::Blue},
    };
    for (const auto& c : cases) {
        LiveFigureInput in;
        in.CorrectPrefix = c.typed;
        in.total = 9999;
        in.LastTick = c.ms;
        in.trackWidth = 301;
        in.targetSpeed = c.target;
        in.gaugeWidth = c.gaugeBefore;
        const LiveFigures f = liveFigures(in);
        EXPECT_EQ(f.Shape2Width, c.shape2) << c.typed << " in " << c.ms << " ms, target " << c.target;
        EXPECT_EQ(f.gaugeColour, c.colour) << c.typed << " in " << c.ms << " ms, target " << c.target;
    }
    EXPECT_EQ(gaugeRgb(GaugeColour::Red), 0xFF0000u);
    EXPECT_EQ(gaugeRgb(GaugeColour::Blue), 0x0000FFu);
}

TEST(KeyCountingSettings, ExtraCharactersAndInputMode) {
    CharCounts japanese, english;
    japanese.full = 60;
    japanese.half = 40;
    japanese.total = 100;
    english.full = 49;
    english.half = 51;
    english.total = 100;
    EXPECT_EQ(extraCharacters(english, 1, false, 8), 3);
    EXPECT_EQ(extraCharacters(english, 1, true, 8), 1);
    EXPECT_EQ(extraCharacters(english, 0, false, 8), 0);
    EXPECT_EQ(extraCharacters(japanese, 1, false, 8), 0);

    const struct {
        int entry66, cellTwips, mode;
    } modes[] = {{0, 330, 4}, {0, 180, 4}, {0, 179, 2}, {2, 330, 2}, {7, 120, 7}};
    for (const auto& m : modes)
        EXPECT_EQ(initialInputMode(m.entry66, m.cellTwips), m.mode) << m.entry66;

    EXPECT_TRUE(inputMethodGuardCloses(false, false, 4));
    EXPECT_FALSE(inputMethodGuardCloses(false, false, 2));
    EXPECT_FALSE(inputMethodGuardCloses(true, false, 4));
    EXPECT_FALSE(inputMethodGuardCloses(false, true, 4));
}
