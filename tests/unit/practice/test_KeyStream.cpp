#include "core/practice/KeyState.h"
#include "core/practice/KeyStream.h"
#include "unit/UnitTest.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Down = std::pair<int, int>; // (code, own code)

struct Recorder {
    std::vector<Down> downs;
    std::vector<quint32> waited;
    std::vector<bool> heldAtPress; // was the key itself held when it was pressed
    KeyStream stream{[this](int code, int own, quint32 waitedMs, const KeyState& held) {
        downs.emplace_back(code, own);
        waited.push_back(waitedMs);
        heldAtPress.push_back(held.isHeld(own));
    }};
};

KeySnapshot holding(int keyCode) {
    KeySnapshot held;
    held.set(keyCode, true);
    return held;
}

constexpr int A = 65, D = 68, E = 69, F = 70, W = 87, Space = 32, Backspace = 8, Enter = 13, Muhenkan = 29;
constexpr KeyStream::InputMethodChange Composes{true, false, true};
constexpr KeyStream::InputMethodChange Commits{true, true, false};
constexpr KeyStream::InputMethodChange NoChange{false, false, false};

// What the input method makes of a key.
enum class Outcome {
    Ignored,  // passed on as an ordinary key event (input method off, Backspace on committed text)
    Composes, // an input-method event changes the composition
    Silent,   // used without any event (Muhenkan with nothing composed)
};

struct Key {
    int code;
    quint32 native;
    Outcome outcome;
};

// A physical event at `time`: a press or a release of keys[key].
struct Raw {
    quint32 time;
    bool press;
    size_t key;
};

// Plays a keyboard and a slow input method against the stream. The display reports each
// physical event at once; the input method handles them one after the other, each no
// earlier than `delay` after it happened (and never before the one before it), and then
// delivers the press's outcome or passes the release on.
std::vector<Down> play(const std::vector<Key>& keys, const std::vector<Raw>& raws, quint32 delay,
                       int* pendingAfter = nullptr) {
    struct Action {
        quint32 time;
        int order;
        Raw raw;
        bool outcome;
    };
    std::vector<Action> actions;
    quint32 busyUntil = 0;
    int order = 0;
    for (const Raw& raw : raws) {
        actions.push_back({raw.time, order++, raw, false});
        busyUntil = std::max(busyUntil, raw.time + delay);
        actions.push_back({busyUntil, order++, raw, true});
    }
    std::stable_sort(actions.begin(), actions.end(), [](const Action& a, const Action& b) {
        if (a.time != b.time) return a.time < b.time;
        if (a.outcome != b.outcome) return !a.outcome; // the display reports before the input method answers
        return a.order < b.order;
    });
    Recorder r;
    for (const Action& a : actions) {
        const Key& key = keys[a.raw.key];
        if (!a.outcome) {
            if (a.raw.press)
                r.stream.rawPress(key.code, key.native, a.time, holding(key.code));
            else
                r.stream.rawRelease(key.native, a.time);
        } else if (!a.raw.press) {
            r.stream.keyReleaseArrived(key.native, a.time);
        } else if (key.outcome == Outcome::Ignored) {
            r.stream.keyEventArrived(key.code, key.native, a.time, KeySnapshot());
        } else if (key.outcome == Outcome::Composes) {
            r.stream.inputMethodEventArrived(Composes, a.time);
            EXPECT_FALSE(r.stream.inputMethodEventArrived(NoChange, a.time)); // the empty follow-up answers no key
        }
    }
    if (pendingAfter) *pendingAfter = r.stream.pendingCount();
    // A key answered after its release still reports the keys held when it was pressed.
    EXPECT_EQ(std::count(r.heldAtPress.begin(), r.heldAtPress.end(), false), 0);
    return r.downs;
}

// Each press exactly once, in press order, with its own code when it was ignored.
std::vector<Down> expectedDowns(const std::vector<Key>& keys, const std::vector<Raw>& raws) {
    std::vector<Down> expected;
    for (const Raw& raw : raws) {
        if (!raw.press) continue;
        const Key& key = keys[raw.key];
        expected.emplace_back(key.outcome == Outcome::Ignored ? key.code : ProcessKeyCode, key.code);
    }
    return expected;
}

// Taps keys[0], keys[1], ... `gap` ms apart, each held `hold` ms (overlapping when hold > gap).
std::vector<Raw> taps(size_t count, quint32 gap, quint32 hold) {
    std::vector<Raw> raws;
    for (size_t k = 0; k < count; ++k) {
        raws.push_back({quint32(k * gap), true, k});
        raws.push_back({quint32(k * gap + hold), false, k});
    }
    std::stable_sort(raws.begin(), raws.end(), [](const Raw& a, const Raw& b) { return a.time < b.time; });
    return raws;
}

} // namespace

// The input method answering 0 to 1000 ms late, with the keys typed 40 ms apart: every press
// is counted once, with its own code exactly when the input method ignored it.
TEST(KeyStream, LateAnswersCountEachPressOnceWithItsCode) {
    const std::vector<Key> englishDef = {
        {D, 40, Outcome::Ignored}, {E, 26, Outcome::Ignored}, {F, 41, Outcome::Ignored}};
    const std::vector<Key> returnBackspace = {{Enter, 36, Outcome::Ignored}, {Backspace, 22, Outcome::Ignored}};
    const std::vector<Key> romaji = {{W, 25, Outcome::Composes},
                                     {A, 38, Outcome::Composes},
                                     {Space, 65, Outcome::Composes},
                                     {Enter, 36, Outcome::Composes},
                                     {Backspace, 22, Outcome::Ignored}};
    const std::vector<Key> mixed = {{Muhenkan, 102, Outcome::Silent}, {A, 38, Outcome::Ignored},
                                    {A, 38, Outcome::Composes},       {Muhenkan, 102, Outcome::Silent},
                                    {A, 38, Outcome::Ignored},        {Backspace, 22, Outcome::Ignored}};
    // The same key three times: the scan code alone cannot tell the presses apart.
    const std::vector<Key> sameKey = {
        {A, 38, Outcome::Composes}, {A, 38, Outcome::Ignored}, {A, 38, Outcome::Composes}, {A, 38, Outcome::Ignored}};
    struct Case {
        const char* name;
        const std::vector<Key>* keys;
        quint32 gap, hold;
    };
    const Case cases[] = {
        {"d e f, input method off", &englishDef, 40, 20},        {"d e f held over each other", &englishDef, 40, 90},
        {"Return then Backspace", &returnBackspace, 40, 20},     {"romaji, conversion, confirmation", &romaji, 40, 20},
        {"romaji typed fast and rolled", &romaji, 15, 50},       {"silent, ignored and composed mixed", &mixed, 40, 20},
        {"silent, ignored and composed rolled", &mixed, 20, 70}, {"one key, different outcomes", &sameKey, 40, 20}};
    for (const quint32 delay : {0u, 79u, 81u, 300u, 1000u}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", answers " + std::to_string(delay) + " ms late");
            const std::vector<Raw> raws = taps(c.keys->size(), c.gap, c.hold);
            int pending = -1;
            EXPECT_EQ(play(*c.keys, raws, delay, &pending), expectedDowns(*c.keys, raws));
            EXPECT_EQ(pending, 0);
        }
    }
}

TEST(KeyStream, AutoRepeatCountsEveryRepeatHoweverLate) {
    // A held key repeats as a release and a press at the same moment.
    for (const Outcome outcome : {Outcome::Ignored, Outcome::Composes}) {
        const std::vector<Key> keys = {{Backspace, 22, outcome}, {A, 38, Outcome::Ignored}};
        std::vector<Raw> raws = {{0, true, 0}};
        for (quint32 t = 660; t <= 660 + 4 * 40; t += 40) {
            raws.push_back({t, false, 0});
            raws.push_back({t, true, 0});
        }
        raws.push_back({900, false, 0});
        raws.push_back({950, true, 1});
        raws.push_back({980, false, 1});
        for (const quint32 delay : {0u, 81u, 300u, 1000u}) {
            SCOPED_TRACE("answers " + std::to_string(delay) + " ms late");
            int pending = -1;
            const std::vector<Down> downs = play(keys, raws, delay, &pending);
            EXPECT_EQ(downs.size(), 7u);
            EXPECT_EQ(downs, expectedDowns(keys, raws));
            EXPECT_EQ(pending, 0);
        }
    }
}

TEST(KeyStream, AnEarlierReleaseOfTheSameKeyLeavesALaterPressWaiting) {
    Recorder r;
    // a is typed twice while the input method is stalled; the first answer comes.
    r.stream.rawPress(A, 38, 0, holding(A));
    r.stream.rawRelease(38, 20);
    r.stream.rawPress(A, 38, 40, holding(A));
    r.stream.rawRelease(38, 60);
    r.stream.keyEventArrived(A, 38, 300, KeySnapshot());
    r.stream.keyReleaseArrived(38, 300);
    // The second press is still to be answered: its release has not come back yet.
    EXPECT_EQ(r.stream.pendingCount(), 1);
    r.stream.keyEventArrived(A, 38, 301, KeySnapshot());
    const std::vector<Down> expected = {{A, A}, {A, A}};
    EXPECT_EQ(r.downs, expected);
}

TEST(KeyStream, ACharacterTypedOverAConversionIsOneKeyForTwoEvents) {
    Recorder r;
    // 人民は、 is on the candidate list; w commits it and starts ｗ, then a is pressed before
    // either answer has come.
    r.stream.rawPress(W, 25, 0, holding(W));
    r.stream.rawPress(A, 38, 30, holding(A));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Commits, 100));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Composes, 100)); // the new composition ｗ
    EXPECT_EQ(r.downs.size(), 1u);
    EXPECT_EQ(r.stream.pendingCount(), 1);
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Composes, 101)); // わ answers a
    const std::vector<Down> expected = {{ProcessKeyCode, W}, {ProcessKeyCode, A}};
    EXPECT_EQ(r.downs, expected);
    // Enter's commit is followed by no composition of its own: the next key's comes on its own.
    r.stream.rawPress(Enter, 36, 200, holding(Enter));
    r.stream.rawPress(W, 25, 210, holding(W));
    r.stream.inputMethodEventArrived(Commits, 220);
    r.stream.inputMethodEventArrived(Composes, 230);
    EXPECT_EQ(r.downs.size(), 4u);
    EXPECT_EQ(r.stream.pendingCount(), 0);
}

TEST(KeyStream, ClearForgetsWaitingPressesAndTheirReleases) {
    Recorder r;
    r.stream.rawPress(A, 38, 0, holding(A));
    r.stream.rawRelease(38, 10);
    r.stream.clear();
    EXPECT_EQ(r.stream.pendingCount(), 0);
    r.stream.keyReleaseArrived(38, 20);
    r.stream.keyEventArrived(A, 38, 21, KeySnapshot());
    ASSERT_EQ(r.downs.size(), 1u);
    EXPECT_EQ(r.downs[0], Down(A, A));
}

TEST(KeyStream, AKeyDownThatResetsTheStreamLeavesItConsistent) {
    // Esc retries the attempt, which clears the stream from inside the key-down.
    std::vector<Down> downs;
    KeyStream* self = nullptr;
    KeyStream stream([&](int code, int own, quint32, const KeyState&) {
        downs.emplace_back(code, own);
        if (code == 27) self->clear();
    });
    self = &stream;
    stream.rawPress(Muhenkan, 102, 0, holding(Muhenkan));
    stream.rawPress(27, 9, 10, holding(27));
    stream.rawPress(A, 38, 20, holding(A));
    stream.keyEventArrived(27, 9, 30, KeySnapshot());
    const std::vector<Down> expected = {{ProcessKeyCode, Muhenkan}, {27, 27}};
    EXPECT_EQ(downs, expected);
    EXPECT_EQ(stream.pendingCount(), 0);
}

TEST(KeyStream, LostAnswersDoNotGrowTheQueueWithoutBound) {
    Recorder r;
    const int presses = KeyStream::MaxPending + 100;
    for (int i = 0; i < presses; ++i)
        r.stream.rawPress(A, 38, quint32(i), holding(A));
    EXPECT_LE(r.stream.pendingCount(), KeyStream::MaxPending);
    EXPECT_EQ(int(r.downs.size()) + r.stream.pendingCount(), presses);
}

TEST(KeyStream, WithoutARawStreamKeyEventsAreTheirOwnKeyDowns) {
    Recorder r;
    r.stream.keyEventArrived(A, 38, 0, KeySnapshot());
    EXPECT_FALSE(r.stream.inputMethodEventArrived(Composes, 1));
    r.stream.keyReleaseArrived(38, 2);
    ASSERT_EQ(r.downs.size(), 1u);
    EXPECT_EQ(r.downs[0], Down(A, A));
}

TEST(KeyStream, ClockWrapGivesAShortWait) {
    Recorder r;
    r.stream.rawPress(A, 38, 0xFFFFFFF0u, holding(A));
    r.stream.keyEventArrived(A, 38, 0x00000010u, KeySnapshot());
    ASSERT_EQ(r.waited.size(), 1u);
    EXPECT_EQ(r.waited[0], 0x20u);
}
