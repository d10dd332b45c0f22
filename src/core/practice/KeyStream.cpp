#include "core/practice/KeyStream.h"

#include "core/util/Clock.h"

#include <algorithm>

namespace {

quint32 waited(quint32 from, quint32 now) {
    return quint32(std::max<qint32>(0, elapsedMs(from, now)));
}

// Keys that type a character: typed over a finished conversion they commit it and start a
// composition of their own (letters, digits, punctuation, the numeric keypad).
bool typesCharacter(int keyCode) {
    return (keyCode >= 0x30 && keyCode <= 0x5A) || (keyCode >= 0x60 && keyCode <= 0x6F) ||
           (keyCode >= 0xBA && keyCode <= 0xE2);
}

} // namespace

void KeyStream::emit(int code, const Entry& press, quint32 nowMs) {
    m_keyDown(code, press.keyCode, waited(press.timeMs, nowMs), press.held);
}

void KeyStream::resolveSilently(Queue::iterator end, quint32 nowMs) {
    // Emitting may not touch the queue (the handler only counts), but take each entry off
    // before handing it on so that a re-entrant clear() finds a consistent queue.
    const auto count = std::distance(m_pending.begin(), end);
    for (qsizetype i = 0; i < count && !m_pending.empty(); ++i) {
        const Entry entry = m_pending.front();
        m_pending.pop_front();
        if (!entry.release) emit(ProcessKeyCode, entry, nowMs);
    }
}

void KeyStream::limit(quint32 nowMs) {
    if (int(m_pending.size()) > MaxPending)
        resolveSilently(m_pending.begin() + (int(m_pending.size()) - MaxPending), nowMs);
}

void KeyStream::rawPress(int keyCode, quint32 nativeKey, quint32 nowMs, const KeySnapshot& held) {
    m_pending.push_back({false, keyCode, nativeKey, nowMs, held});
    limit(nowMs);
}

void KeyStream::rawRelease(quint32 nativeKey, quint32 nowMs) {
    // Kept even with nothing waiting: the forwarded release must find its own mark, not the
    // mark of a later release of the same key (that would give up presses still answered).
    // A mark whose twin never comes only ever proves less than it could.
    m_pending.push_back({true, 0, nativeKey, nowMs, {}});
    limit(nowMs);
}

void KeyStream::keyEventArrived(int keyCode, quint32 nativeKey, quint32 nowMs, const KeyState& heldNow) {
    m_newCompositionFollows = false;
    const auto match = std::find_if(m_pending.begin(), m_pending.end(),
                                    [nativeKey](const Entry& e) { return !e.release && e.nativeKey == nativeKey; });
    if (match == m_pending.end()) {
        m_keyDown(keyCode, keyCode, 0, heldNow);
        return;
    }
    resolveSilently(match, nowMs);
    const Entry press = m_pending.front();
    m_pending.pop_front();
    emit(keyCode, press, nowMs);
}

void KeyStream::keyReleaseArrived(quint32 nativeKey, quint32 nowMs) {
    m_newCompositionFollows = false;
    const auto mark = std::find_if(m_pending.begin(), m_pending.end(),
                                   [nativeKey](const Entry& e) { return e.release && e.nativeKey == nativeKey; });
    if (mark == m_pending.end()) return;
    resolveSilently(mark + 1, nowMs);
}

bool KeyStream::inputMethodEventArrived(const InputMethodChange& change, quint32 nowMs) {
    if (!change.changesInput) return false;
    if (m_newCompositionFollows) {
        m_newCompositionFollows = false;
        // The composition that the committing key itself started.
        if (!change.commits && change.composing) return true;
    }
    const auto press = std::find_if(m_pending.begin(), m_pending.end(), [](const Entry& e) { return !e.release; });
    if (press == m_pending.end()) return false;
    resolveSilently(press, nowMs);
    const Entry entry = m_pending.front();
    m_pending.pop_front();
    m_newCompositionFollows = change.commits && !change.composing && typesCharacter(entry.keyCode);
    emit(ProcessKeyCode, entry, nowMs);
    return true;
}

void KeyStream::clear() {
    m_pending.clear();
    m_newCompositionFollows = false;
}

int KeyStream::pendingCount() const {
    return int(std::count_if(m_pending.begin(), m_pending.end(), [](const Entry& e) { return !e.release; }));
}
