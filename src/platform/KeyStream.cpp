#include "platform/KeyStream.h"

#include "platform/Clock.h"

#include <algorithm>

namespace {
quint32 waited(quint32 from, quint32 now) { return quint32(std::max<qint32>(0, elapsedMs(from, now))); }
} // namespace

void KeyStream::emitUsed(const Press& press, quint32 nowMs) {
    m_keyDown(ProcessKeyCode, press.keyCode, waited(press.timeMs, nowMs), press.held);
}

void KeyStream::rawPress(int keyCode, quint32 nativeKey, quint32 nowMs, const KeySnapshot& held) {
    tick(nowMs);
    m_pending.push_back({keyCode, nativeKey, nowMs, held});
}

void KeyStream::keyEventArrived(int keyCode, quint32 nativeKey, quint32 nowMs, const KeyState& heldNow) {
    const auto match = std::find_if(m_pending.begin(), m_pending.end(),
                                    [nativeKey](const Press& p) { return p.nativeKey == nativeKey; });
    if (match == m_pending.end()) {
        m_keyDown(keyCode, keyCode, 0, heldNow);
        return;
    }
    // Outcomes come in the order of the presses: whatever waited before this key got none.
    while (m_pending.begin() != match) {
        emitUsed(m_pending.front(), nowMs);
        m_pending.pop_front();
    }
    const Press press = m_pending.front();
    m_pending.pop_front();
    m_keyDown(keyCode, press.keyCode, waited(press.timeMs, nowMs), press.held);
}

bool KeyStream::inputMethodEventArrived(bool changesInput, quint32 nowMs) {
    if (!changesInput || m_pending.empty()) return false;
    const Press press = m_pending.front();
    m_pending.pop_front();
    emitUsed(press, nowMs);
    return true;
}

void KeyStream::tick(quint32 nowMs) {
    while (!m_pending.empty() && elapsedMs(m_pending.front().timeMs, nowMs) > qint32(SilentAfterMs)) {
        emitUsed(m_pending.front(), nowMs);
        m_pending.pop_front();
    }
}
