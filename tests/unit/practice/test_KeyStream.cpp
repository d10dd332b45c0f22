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
    bool heldAtEachPress = true; // a key answered after its release still reports the keys held at its press
    KeyStream stream{[this](int code, int own, quint32 waitedMs, const KeyState& held) {
        downs.emplace_back(code, own);
        waited.push_back(waitedMs);
        heldAtEachPress = heldAtEachPress && held.isHeld(own);
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

// What the input method makes of a key: an ordinary key event passed on (input method off, Backspace on committed
// text), an input-method event changing the composition, or nothing at all (Muhenkan with nothing composed).
enum class Outcome { Ignored, Composes, Silent };
using Key = std::tuple<int, quint32, Outcome>; // code, native code, outcome
using Raw = std::tuple<quint32, bool, size_t>; // a physical event: time, press (or release), index into the keys

// Plays a keyboard and a slow input method against the stream. The display reports each physical event at once;
// the input method handles them one after the other, each no earlier than `delay` after it happened (and never
// before the one before it), and then delivers the press's outcome or passes the release on. Returns the key-downs
// and leaves the presses still waiting in `pending`.
std::vector<Down> play(const std::vector<Key>& keys, const std::vector<Raw>& raws, quint32 delay, int& pending) {
    std::vector<std::tuple<quint32, bool, size_t, Raw>> events; // time, the input method's answer, order, event
    quint32 busyUntil = 0;
    for (const Raw& raw : raws) {
        busyUntil = std::max(busyUntil, std::get<0>(raw) + delay);
        events.emplace_back(std::get<0>(raw), false, events.size(), raw); // the display reports before the answer
        events.emplace_back(busyUntil, true, events.size(), raw);
    }
    std::sort(events.begin(), events.end());
    Recorder r;
    for (const auto& [time, answer, order, raw] : events) {
        const auto& [code, native, outcome] = keys[std::get<2>(raw)];
        const bool press = std::get<1>(raw);
        if (!answer) {
            press ? r.stream.rawPress(code, native, time, holding(code)) : r.stream.rawRelease(native, time);
        } else if (!press) {
            r.stream.keyReleaseArrived(native, time);
        } else if (outcome == Outcome::Ignored) {
            r.stream.keyEventArrived(code, native, time, KeySnapshot());
        } else if (outcome == Outcome::Composes) {
            r.stream.inputMethodEventArrived(Composes, time);
            EXPECT_FALSE(r.stream.inputMethodEventArrived(NoChange, time)); // the empty follow-up answers no key
        }
    }
    pending = r.stream.pendingCount();
    EXPECT_TRUE(r.heldAtEachPress);
    return r.downs;
}

// Each press exactly once, in press order, with its own code when it was ignored.
std::vector<Down> expectedDowns(const std::vector<Key>& keys, const std::vector<Raw>& raws) {
    std::vector<Down> expected;
    for (const auto& [time, press, index] : raws) {
        const auto& [code, native, outcome] = keys[index];
        if (press) expected.emplace_back(outcome == Outcome::Ignored ? code : ProcessKeyCode, code);
    }
    return expected;
}

// Taps keys[0], keys[1], ... `gap` ms apart, each held `hold` ms (overlapping when hold > gap).
std::vector<Raw> taps(size_t count, quint32 gap, quint32 hold) {
    std::vector<Raw> raws;
    for (size_t k = 0; k < count; ++k) {
        raws.emplace_back(quint32(k * gap), true, k);
        raws.emplace_back(quint32(k * gap + hold), false, k);
    }
    std::stable_sort(raws.begin(), raws.end(),
                     [](const Raw& a, const Raw& b) { return std::get<0>(a) < std::get<0>(b); });
    return raws;
}

} // namespace

// The input method answering 0 to 1000 ms late, with the keys typed 40 ms apart: every press
// is counted once, with its own code exactly when the input method ignored it.
TEST(KeyStream, LateAnswersCountEachPressOnceWithItsCode) {
    using enum Outcome;
    const std::vector<Key> englishDef = {{D, 40, Ignored}, {E, 26, Ignored}, {F, 41, Ignored}};
    const std::vector<Key> returnBackspace = {{Enter, 36, Ignored}, {Backspace, 22, Ignored}};
    const std::vector<Key> romaji = {
        {W, 25, Composes}, {A, 38, Composes}, {Space, 65, Composes}, {Enter, 36, Composes}, {Backspace, 22, Ignored}};
    const std::vector<Key> mixed = {{Muhenkan, 102, Silent}, {A, 38, Ignored}, {A, 38, Composes},
                                    {Muhenkan, 102, Silent}, {A, 38, Ignored}, {Backspace, 22, Ignored}};
    // The same key with different outcomes: the scan code alone cannot tell the presses apart.
    const std::vector<Key> sameKey = {{A, 38, Composes}, {A, 38, Ignored}, {A, 38, Composes}, {A, 38, Ignored}};
    const std::tuple<const char*, const std::vector<Key>*, quint32, quint32> cases[] = {
        {"d e f, input method off", &englishDef, 40, 20},        {"d e f held over each other", &englishDef, 40, 90},
        {"Return then Backspace", &returnBackspace, 40, 20},     {"romaji, conversion, confirmation", &romaji, 40, 20},
        {"romaji typed fast and rolled", &romaji, 15, 50},       {"silent, ignored and composed mixed", &mixed, 40, 20},
        {"silent, ignored and composed rolled", &mixed, 20, 70}, {"one key, different outcomes", &sameKey, 40, 20}};
    for (const quint32 delay : {0u, 79u, 81u, 300u, 1000u}) {
        for (const auto& [name, keys, gap, hold] : cases) {
            SCOPED_TRACE(std::string(name) + ", answers " + std::to_string(delay) + " ms late");
            const std::vector<Raw> raws = taps(keys->size(), gap, hold);
            int pending = -1;
            EXPECT_EQ(play(*keys, raws, delay, pending), expectedDowns(*keys, raws));
            EXPECT_EQ(pending, 0);
        }
    }
}

TEST(KeyStream, AutoRepeatCountsEveryRepeatHoweverLate) {
    // A held key repeats as a release and a press at the same moment.
    for (const Outcome outcome : {Outcome::Ignored, Outcome::Composes}) {
        const std::vector<Key> keys = {{Backspace, 22, outcome}, {A, 38, Outcome::Ignored}};
        std::vector<Raw> raws = {{0, true, 0}};
        for (quint32 t = 660; t <= 660 + 4 * 40; t += 40)
            raws.insert(raws.end(), {{t, false, 0}, {t, true, 0}});
        raws.insert(raws.end(), {{900, false, 0}, {950, true, 1}, {980, false, 1}});
        for (const quint32 delay : {0u, 81u, 300u, 1000u}) {
            SCOPED_TRACE("answers " + std::to_string(delay) + " ms late");
            int pending = -1;
            const std::vector<Down> downs = play(keys, raws, delay, pending);
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
    EXPECT_EQ(r.downs, (std::vector<Down>{{A, A}, {A, A}}));
}

TEST(KeyStream, ACharacterTypedOverAConversionIsOneKeyForTwoEvents) {
    Recorder r;
    // 人民は、 is on the candidate list; w commits it and starts ｗ, then a is pressed before
    // either answer has come.
    r.stream.rawPress(W, 25, 0, holding(W));
    r.stream.rawPress(A, 38, 30, holding(A));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Commits, 100));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Composes, 100)); // the new composition ｗ
    EXPECT_EQ(std::pair(r.downs.size(), r.stream.pendingCount()), std::pair(size_t(1), 1));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(Composes, 101)); // わ answers a
    EXPECT_EQ(r.downs, (std::vector<Down>{{ProcessKeyCode, W}, {ProcessKeyCode, A}}));
    // Enter's commit is followed by no composition of its own: the next key's comes on its own.
    r.stream.rawPress(Enter, 36, 200, holding(Enter));
    r.stream.rawPress(W, 25, 210, holding(W));
    r.stream.inputMethodEventArrived(Commits, 220);
    r.stream.inputMethodEventArrived(Composes, 230);
    EXPECT_EQ(std::pair(r.downs.size(), r.stream.pendingCount()), std::pair(size_t(4), 0));
}

TEST(KeyStream, ClearForgetsWaitingPressesAndTheirReleases) {
    Recorder r;
    r.stream.rawPress(A, 38, 0, holding(A));
    r.stream.rawRelease(38, 10);
    r.stream.clear();
    EXPECT_EQ(r.stream.pendingCount(), 0);
    r.stream.keyReleaseArrived(38, 20);
    r.stream.keyEventArrived(A, 38, 21, KeySnapshot());
    EXPECT_EQ(r.downs, std::vector<Down>{Down(A, A)});
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
    EXPECT_EQ(downs, (std::vector<Down>{{ProcessKeyCode, Muhenkan}, {27, 27}}));
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
    EXPECT_EQ(r.downs, std::vector<Down>{Down(A, A)});
}

TEST(KeyStream, ClockWrapGivesAShortWait) {
    Recorder r;
    r.stream.rawPress(A, 38, 0xFFFFFFF0u, holding(A));
    r.stream.keyEventArrived(A, 38, 0x00000010u, KeySnapshot());
    EXPECT_EQ(r.waited, std::vector<quint32>{0x20u});
}
