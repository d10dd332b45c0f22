#pragma once

#include "core/practice/KeyState.h"

#include <QtGlobal>

#include <deque>
#include <functional>

/**
 * Turns the keyboard's physical key presses and what the program then receives into the
 * key-down stream the counting expects: one key-down per press (auto-repeats included),
 * with the key's own code when the input method ignored the key (it arrived as an ordinary
 * key event) or ProcessKeyCode when the input method used it (an input-method event, or
 * nothing at all). Every key-down is delivered before the character and the text change the
 * key caused.
 *
 * The input method answers the keys in the order they were pressed, but may answer late
 * (a busy machine, a stalled input method): presses are matched to their outcomes by order,
 * never by time.
 *  - An ordinary key press resolves the oldest waiting press of that key; the presses before
 *    it were used silently.
 *  - An input-method event that commits or changes the composition resolves the oldest
 *    waiting press.
 *  - An ordinary key release proves that every press before that physical release has had
 *    its outcome: those still waiting were used silently.
 */
class KeyStream {
public:
    /** More waiting entries than this means outcomes are being lost: the oldest are given up. */
    static constexpr int MaxPending = 512;

    /**
     * `keyDown` receives the key code or ProcessKeyCode, the press's own key code, the
     * milliseconds since the press and the keys held at the press (a quick tap may be
     * released before the input method answers, yet it was down when it was pressed).
     */
    using KeyDown = std::function<void(int code, int ownCode, quint32 waitedMs, const KeyState& heldAtPress)>;
    explicit KeyStream(KeyDown keyDown) : m_keyDown(std::move(keyDown)) {}

    /** A physical press seen on the raw keyboard stream, before its outcome, with the keys held then. */
    void rawPress(int keyCode, quint32 nativeKey, quint32 nowMs, const KeySnapshot& held);

    /** A physical release seen on the raw keyboard stream (auto-repeat sends a release before each repeat). */
    void rawRelease(quint32 nativeKey, quint32 nowMs);

    /**
     * An ordinary key press reached the program: the input method ignored that key. Earlier
     * presses still waiting were used silently. Without a waiting press (no raw keyboard
     * stream) the event is its own key-down, with the keys `heldNow` holds.
     */
    void keyEventArrived(int keyCode, quint32 nativeKey, quint32 nowMs, const KeyState& heldNow);

    /** An ordinary key release reached the program: presses made before it was released were all answered. */
    void keyReleaseArrived(quint32 nativeKey, quint32 nowMs);

    /** What an input-method event did to the input. */
    struct InputMethodChange {
        bool changesInput = false; ///< it commits or changes the composition (empty follow-ups do not)
        bool commits = false;      ///< it carries committed text
        bool composing = false;    ///< a composition remains after it
    };

    /**
     * An input-method event reached the program. Returns true when it was the outcome of a
     * waiting press. A character key typed over a finished conversion commits the conversion
     * and starts a new composition in two events; both answer that one key.
     */
    bool inputMethodEventArrived(const InputMethodChange& change, quint32 nowMs);

    /** Forgets waiting presses (focus left the window, the attempt was reset). */
    void clear();

    /** Presses still waiting for their outcome. */
    int pendingCount() const;

private:
    struct Entry {
        bool release;
        int keyCode;
        quint32 nativeKey;
        quint32 timeMs;
        KeySnapshot held;
    };
    using Queue = std::deque<Entry>;

    /** Drops every entry before `end`; presses among them were used silently. */
    void resolveSilently(Queue::iterator end, quint32 nowMs);
    void emit(int code, const Entry& press, quint32 nowMs);
    void limit(quint32 nowMs);

    KeyDown m_keyDown;
    Queue m_pending;
    bool m_newCompositionFollows = false; ///< the last commit came from a character key: its new composition follows
};
