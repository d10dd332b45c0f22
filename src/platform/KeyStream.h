#pragma once

#include "platform/KeyState.h"

#include <QtGlobal>

#include <deque>
#include <functional>

/**
 * Turns the keyboard's physical key presses and what the program then receives into the
 * key-down stream the counting expects: one key-down per press (auto-repeats included),
 * with the key's own code when the input method ignored the key (it arrived as an ordinary
 * key event) or ProcessKeyCode when the input method used it (an input-method event, or
 * nothing at all). Presses are matched to their outcomes in order, and every key-down is
 * delivered before the character and the text change the key caused.
 */
class KeyStream {
public:
    /** A press with no outcome after this long was used by the input method without a trace. */
    static constexpr quint32 SilentAfterMs = 80;

    /**
     * `keyDown` receives the key code or ProcessKeyCode, the press's own key code, the
     * milliseconds since the press and the keys held at the press (a quick tap may be
     * released before the input method answers, yet it was down when it was pressed).
     */
    using KeyDown = std::function<void(int code, int ownCode, quint32 waitedMs, const KeyState& heldAtPress)>;
    explicit KeyStream(KeyDown keyDown) : m_keyDown(std::move(keyDown)) {}

    /** A physical press seen on the raw keyboard stream, before its outcome, with the keys held then. */
    void rawPress(int keyCode, quint32 nativeKey, quint32 nowMs, const KeySnapshot& held);

    /**
     * An ordinary key event reached the program: the input method ignored that key. Earlier
     * presses still waiting were used silently. Without a waiting press (no raw keyboard
     * stream) the event is its own key-down, with the keys `heldNow` holds.
     */
    void keyEventArrived(int keyCode, quint32 nativeKey, quint32 nowMs, const KeyState& heldNow);

    /**
     * An input-method event reached the program. `changesInput` is false for the empty
     * follow-up events (a bare cursor update, switching the input method on or off), which
     * answer no key. Returns true when it was the outcome of a waiting press.
     */
    bool inputMethodEventArrived(bool changesInput, quint32 nowMs);

    /** Presses that waited longer than SilentAfterMs are taken as used silently. */
    void tick(quint32 nowMs);

    /** Forgets waiting presses (focus left the window). */
    void clear() { m_pending.clear(); }

    int pendingCount() const { return int(m_pending.size()); }

private:
    struct Press {
        int keyCode;
        quint32 nativeKey;
        quint32 timeMs;
        KeySnapshot held;
    };
    void emitUsed(const Press& press, quint32 nowMs);

    KeyDown m_keyDown;
    std::deque<Press> m_pending;
};
