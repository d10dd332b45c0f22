#include "core/practice/KeyCounting.h"
#include "unit/UnitTest.h"

#include <array>
#include <set>

namespace {

constexpr int Backspace = 8, Enter = 13, Shift = 16, Esc = 27, Space = 32, Delete = 46, F7 = 118;
constexpr int A = 65, B = 66, I = 73, J = 74, K = 75, N = 78;
constexpr int ImeOn = 4, ImeOff = 2;

class FakeKeyState final : public KeyState {
public:
    std::set<int> held;
    bool isHeld(int keyCode) const override { return held.count(keyCode) != 0; }
};

// Keystrokes, conversions, confirmations, corrections, revisions.
using Totals = std::array<qint32, 5>;

class KeyCountingTest : public ::testing::Test {
protected:
    // The window sees the key's own code, or 229 when the input method takes it.
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
    void commit(const QString& chars) {
        for (QChar c : chars) {
            counting.keyPress(c, ime);
            text1 += c;
        }
    }
    void romaji(std::initializer_list<int> keyCodes) {
        for (int key : keyCodes)
            tap(key, true);
    }
    // The attempt's totals; the segment's must be the same, as no segment ends in these cases.
    Totals totals() const {
        const auto& c = counters;
        EXPECT_EQ((Totals{c.segmentKeystrokes, c.segmentConversions, c.segmentConfirmations, c.segmentCorrections,
                          c.segmentRevisions}),
                  (Totals{c.keystrokes, c.conversions, c.confirmations, c.correctionCount, c.revisionCount}));
        return {c.keystrokes, c.conversions, c.confirmations, c.correctionCount, c.revisionCount};
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
    commit(u"漢字"_s);
    EXPECT_EQ(totals(), (Totals{7, 1, 1, 0, 0}));
    EXPECT_EQ(counting.operationList(), QStringList({u"d□4"_s, u"d■4"_s, u"p漢4"_s, u"p字4"_s}));
    // The operation string consumes the log: the next paragraph starts with nothing of this one.
    EXPECT_EQ(counting.operationString(), u"漢字□■"_s);
    EXPECT_TRUE(counting.operationList().isEmpty());
    EXPECT_EQ(counting.operationString(), QString());
}

TEST_F(KeyCountingTest, HeldSpaceMarksOnceButEveryRepeatIsAKeystroke) {
    romaji({K, A, N, J, I});
    for (int repeat = 0; repeat < 4; ++repeat)
        EXPECT_TRUE(down(Space, true));
    tap(A, true); // another key's release does not free Space
    EXPECT_TRUE(down(Space, true));
    EXPECT_EQ(totals(), (Totals{11, 1, 0, 0, 0}));
    EXPECT_EQ(counting.operationList().count(u"d□4"_s), 1);
    // A reset empties the log but Space stays held: its repeats still mark nothing.
    counting.reset();
    EXPECT_TRUE(down(Space, true));
    EXPECT_TRUE(counting.operationList().isEmpty());
    up(Space);
    tap(Space, true);
    EXPECT_EQ(counters.conversions, 2);
    EXPECT_EQ(counting.operationList(), QStringList{u"d□4"_s});
}

// Each key pressed and held to one auto-repeat; deletions count again on every repeat.
TEST_F(KeyCountingTest, OperationAndDeletionKeysPressedAndRepeated) {
    const QStringList none, f7 = {u"d□4"_s}, enter = {u"d■4"_s}, esc = {u"d＜4"_s};
    const QStringList revisions = {u"d＜4"_s, u"d＜4"_s}, corrections = {u"d≪4"_s, u"d≪4"_s};
    // what, key, through the input method, text in the box, counted, totals, operation log
    const std::tuple<const char*, int, bool, QString, bool, Totals, QStringList> cases[] = {
        {"F7 in a composition", F7, true, {}, true, {2, 1, 0, 0, 0}, f7},
        {"F7 with no composition still logs its mark", F7, false, u"字"_s, true, {2, 0, 0, 0, 0}, f7},
        {"Enter in a composition", Enter, true, {}, true, {2, 0, 1, 0, 0}, enter},
        {"Esc in a composition", Esc, true, {}, true, {2, 0, 0, 0, 1}, esc},
        {"Backspace in a composition", Backspace, true, {}, true, {2, 0, 0, 0, 2}, revisions},
        {"Backspace on committed text", Backspace, false, u"漢字"_s, true, {2, 0, 0, 2, 0}, corrections},
        {"Delete on committed text", Delete, false, u"漢字"_s, true, {2, 0, 0, 2, 0}, corrections},
        {"Backspace in an empty box", Backspace, false, {}, false, {0, 0, 0, 0, 0}, none},
        {"Delete in an empty box", Delete, false, {}, false, {0, 0, 0, 0, 0}, none}};
    for (const auto& [what, key, viaIme, text, counted, expected, log] : cases) {
        SCOPED_TRACE(what);
        counters = {};
        counting.reset();
        text1 = text;
        EXPECT_EQ(std::pair(down(key, viaIme), down(key, viaIme)), std::pair(counted, counted));
        up(key);
        counting.keyPress(QChar(u'\b'), ime);   // the Backspace character is never logged
        counting.keyPress(QChar(u'\x7f'), ime); // nor the DEL that comes with Delete
        EXPECT_EQ(totals(), expected);
        EXPECT_EQ(counting.operationList(), log);
    }
}

TEST_F(KeyCountingTest, SpacesTakeBackTheConversionTheirKeyCounted) {
    commit(u"漢"_s);
    tap(Space, true);
    commit(u"　"_s);
    EXPECT_EQ(totals(), (Totals{1, 0, 0, 0, 0}));
    EXPECT_EQ(counting.operationString(), u"漢　"_s);
    // Without the input method Space counts no conversion, so English typing nets -1 per space.
    ime = ImeOff;
    const std::pair<int, char16_t> typed[] = {{A, u'a'}, {Space, u' '}, {B, u'b'}, {Space, u' '}, {A, u'a'}};
    for (const auto& [key, c] : typed) {
        EXPECT_TRUE(tap(key, false));
        commit(QString(QChar(c)));
    }
    EXPECT_EQ(totals(), (Totals{6, -2, 0, 0, 0}));
    EXPECT_EQ(counting.operationString(), u"a b a"_s);
}

// Marks follow the characters of their composition; a typed full-width space flushes before itself; single-byte
// characters flush with the input method off and wait with it on; ≪ stays in place after flushing a composition's
// marks; only the □ right before a space is dropped, one at the end stays. Log entries are separated by "|".
TEST(KeyCountingOperationString, FlushRules) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {{u"", u""},
                                                                 {u"d□4|d■4|p日4|p本4|d□4|d■4|p語4", u"日本□■語□■"},
                                                                 {u"d□4|d■4|p日4|p　4|p本4", u"日□■　本"},
                                                                 {u"d□4|d■4|p日4|p本4|pa2|pb2", u"日本□■ab"},
                                                                 {u"d□4|d■4|p日4|p14", u"日1□■"},
                                                                 {u"p日4|pa2|p語4|d□4|p本4|pb4", u"日a語本b□"},
                                                                 {u"pa4|d□2|p日2|pb2", u"a日b□"},
                                                                 {u"pa2|pb2|d≪2|pc2", u"ab≪c"},
                                                                 {u"d≪2|pa2", u"≪a"},
                                                                 {u"d□4|d■4|p日4|d≪4|p本4", u"日□■≪本"},
                                                                 {u"d□4|d＜4|d□4|d■4|p字4", u"字□＜□■"},
                                                                 {u"pa2|d□2|p 2|pb2", u"a b"},
                                                                 {u"d□4|d□4|p　4", u"□　"},
                                                                 {u"pa4|d□4", u"a□"}};
    for (const auto& [log, expected] : cases)
        EXPECT_EQ(KeyCounting::buildOperationString(QString::fromUtf16(log).split(u'|', Qt::SkipEmptyParts)),
                  QString::fromUtf16(expected))
            << QString::fromUtf16(log).toStdString();
}

TEST_F(KeyCountingTest, ShiftAloneIsNoKeystroke) {
    ime = ImeOff;
    EXPECT_FALSE(down(Shift, false));
    EXPECT_FALSE(down(Shift, false));
    EXPECT_TRUE(tap(A, false)); // with Shift held the letter is the keystroke
    up(Shift);
    commit(u"A"_s);
    EXPECT_EQ(totals(), (Totals{1, 0, 0, 0, 0}));
    EXPECT_EQ(counting.operationList(), QStringList{u"pA2"_s});
}

TEST(KeyCountingLiveFigures, FiguresAndBars) {
    const struct {
        LiveFigureInput in;
        const char16_t *label11, *label12;
        int shape1;
    } cases[] = {{{100, 50, 300, 0, 60000, 0, 300}, u"150", u"150.0", 150},
                 {{40, 10, 98, 2, 60000, 0, 400}, u"50", u"50.0", 200}, // English text with its paragraph-end spaces
                 {{0, 1, 10, 0, 5, 0, 100}, u"1", u"6000.0", 10},       // under 10 ms counts as 10 ms
                 {{0, 1, 10, 0, 100, 500, 100}, u"1", u"6000.0", 10},   // so does a tick before the start
                 {{0, 13, 100, 0, 0xA0u, 0xFFFFFF00u, 100}, u"13", u"1875.0", 13}, // across the clock's wrap
                 {{0, 1, 10, 0, 16000, 0, 100}, u"1", u"3.8", 10},
                 {{0, 0, 0, 0, 60000, 0, 300}, u"0", u"0.0", 0},
                 {{5, 5, 10, 0, 60000, 0, 0}, u"10", u"10.0", 0}};
    for (const auto& c : cases) {
        const LiveFigures f = liveFigures(c.in);
        EXPECT_EQ(std::tuple(f.typedChars, f.cpm, f.progressWidth),
                  std::tuple(QString::fromUtf16(c.label11), QString::fromUtf16(c.label12), c.shape1))
            << c.in.lastTick;
    }
}

TEST(KeyCountingLiveFigures, GaugeAgainstTheTarget) {
    // Target 250 per minute on a 301-pixel track: red below 80 %, yellow below 100 %, then blue.
    const struct {
        LiveFigureInput in;
        int shape2;
        GaugeColour colour;
    } cases[] = {{{0, 1999, 9999, 0, 600000, 0, 301, 250}, 201, GaugeColour::Red},
                 {{0, 200, 9999, 0, 60000, 0, 301, 250}, 201, GaugeColour::Yellow},
                 {{0, 2499, 9999, 0, 600000, 0, 301, 250}, 251, GaugeColour::Yellow},
                 {{0, 250, 9999, 0, 60000, 0, 301, 250}, 251, GaugeColour::Blue},
                 {{0, 600, 9999, 0, 60000, 0, 301, 250}, 301, GaugeColour::Blue},
                 // Without a target the gauge keeps its width and its colour follows that width.
                 {{0, 250, 9999, 0, 60000, 0, 301, 0, 200}, 200, GaugeColour::Red},
                 {{0, 250, 9999, 0, 60000, 0, 301, 0, 201}, 201, GaugeColour::Yellow},
                 {{0, 250, 9999, 0, 60000, 0, 301, 0, 251}, 251, GaugeColour::Blue}};
    for (const auto& c : cases) {
        const LiveFigures f = liveFigures(c.in);
        EXPECT_EQ(std::pair(f.gaugeWidth, f.gaugeColour), std::pair(c.shape2, c.colour))
            << c.in.correctPrefix << " in " << c.in.lastTick << " ms";
    }
}

TEST(KeyCountingSettings, ExtraCharactersAndInputMode) {
    CharCounts japanese{100, 60, 40}, english{100, 49, 51};
    EXPECT_EQ(QList<int>({extraCharacters(english, 1, false, 8), extraCharacters(english, 1, true, 8),
                          extraCharacters(english, 0, false, 8), extraCharacters(japanese, 1, false, 8)}),
              QList<int>({3, 1, 0, 0}));
    const int modes[][3] = {{0, 330, 4}, {0, 180, 4}, {0, 179, 2}, {2, 330, 2}, {7, 120, 7}};
    for (const auto& m : modes)
        EXPECT_EQ(initialInputMode(m[0], m[1]), m[2]) << m[0] << " " << m[1];
    EXPECT_EQ(QList<bool>({inputMethodGuardCloses(false, false, 4), inputMethodGuardCloses(false, false, 2),
                           inputMethodGuardCloses(true, false, 4), inputMethodGuardCloses(false, true, 4)}),
              QList<bool>({true, false, false, false}));
}
