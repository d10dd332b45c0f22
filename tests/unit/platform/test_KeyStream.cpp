#include "platform/KeyState.h"
#include "platform/KeyStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    std::vector<std::pair<int, int>> downs; // (code, own code)
    std::vector<bool> heldAtPress;          // was the key itself held when it was pressed
    KeyStream stream{[this](int code, int own, quint32, const KeyState& held) {
        downs.emplace_back(code, own);
        heldAtPress.push_back(held.isDown(own));
    }};
};

KeySnapshot holding(int keyCode) {
    KeySnapshot held;
    held.set(keyCode, true);
    return held;
}

constexpr int A = 65, Space = 32, Backspace = 8;

} // namespace

TEST(KeyStream, EachPressGetsOneKeyDownInOrder) {
    Recorder r;
    // k a (composition), Space (conversion), Backspace on an empty box (ignored by the input method).
    r.stream.rawPress(75, 45, 0, holding(75));
    EXPECT_TRUE(r.stream.inputMethodEventArrived(true, 3));
    r.stream.rawPress(A, 38, 100, holding(A));
    r.stream.inputMethodEventArrived(true, 104);
    r.stream.rawPress(Space, 65, 200, holding(Space));
    r.stream.inputMethodEventArrived(true, 203);
    EXPECT_FALSE(r.stream.inputMethodEventArrived(false, 204)); // the empty follow-up answers no key
    r.stream.rawPress(Backspace, 22, 300, holding(Backspace));
    r.stream.keyEventArrived(Backspace, 22, 304, KeySnapshot());
    const std::vector<std::pair<int, int>> expected = {
        {ProcessKeyCode, 75}, {ProcessKeyCode, A}, {ProcessKeyCode, Space}, {Backspace, Backspace}};
    EXPECT_EQ(r.downs, expected);
    EXPECT_EQ(r.stream.pendingCount(), 0);
    // A key the input method answered reports the keys held when it was pressed, even if it
    // was released before the answer came.
    EXPECT_TRUE(r.heldAtPress[2]);
}

TEST(KeyStream, SilentPressesResolveWhenALaterKeyAnswersOrTimeRunsOut) {
    Recorder r;
    r.stream.rawPress(29, 102, 0, holding(29));  // Muhenkan with nothing composed: no trace at all
    r.stream.rawPress(A, 38, 20, holding(A));
    r.stream.keyEventArrived(A, 38, 25, KeySnapshot()); // input method off: the letter arrives as a key event
    ASSERT_EQ(r.downs.size(), 2u);
    EXPECT_EQ(r.downs[0], std::make_pair(ProcessKeyCode, 29));
    EXPECT_EQ(r.downs[1], std::make_pair(A, A));

    r.stream.rawPress(29, 102, 1000, holding(29));
    r.stream.tick(1050);
    EXPECT_EQ(r.downs.size(), 2u);
    r.stream.tick(1000 + KeyStream::SilentAfterMs + 1);
    ASSERT_EQ(r.downs.size(), 3u);
    EXPECT_EQ(r.downs[2].first, ProcessKeyCode);
}

TEST(KeyStream, AutoRepeatPressesEachCount) {
    Recorder r;
    for (quint32 t = 0; t < 5 * 40; t += 40) {
        r.stream.rawPress(Space, 65, t, holding(Space));
        r.stream.inputMethodEventArrived(true, t + 3);
    }
    EXPECT_EQ(r.downs.size(), 5u);
}

TEST(KeyStream, WithoutARawStreamKeyEventsAreTheirOwnKeyDowns) {
    Recorder r;
    r.stream.keyEventArrived(A, 38, 0, KeySnapshot());
    EXPECT_FALSE(r.stream.inputMethodEventArrived(true, 1));
    ASSERT_EQ(r.downs.size(), 1u);
    EXPECT_EQ(r.downs[0], std::make_pair(A, A));
}

TEST(KeyStream, ClockWrapDoesNotStallTheQueue) {
    Recorder r;
    r.stream.rawPress(29, 102, 0xFFFFFFF0u, holding(29));
    r.stream.tick(0x00000100u);
    EXPECT_EQ(r.downs.size(), 1u);
}
