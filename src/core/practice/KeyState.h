#pragma once

#include <bitset>
#include <cstddef>

/** Whether a key is held down now, by its virtual-key number. */
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool isHeld(int keyCode) const = 0;
};

/** The keys held at one moment (the moment of a key press), by virtual-key number 0..255. */
class KeySnapshot final : public KeyState {
public:
    bool isHeld(int keyCode) const override { return keyCode >= 0 && keyCode < 256 && m_down.test(size_t(keyCode)); }
    void set(int keyCode, bool down) {
        if (keyCode >= 0 && keyCode < 256) m_down.set(size_t(keyCode), down);
    }
    /** The keys `state` holds now. */
    static KeySnapshot of(const KeyState& state) {
        KeySnapshot held;
        for (int k = 0; k < 256; ++k)
            held.set(k, state.isHeld(k));
        return held;
    }

private:
    std::bitset<256> m_down;
};

/** The key code of a key the input method used (the process-key code). */
inline constexpr int ProcessKeyCode = 229;
