#pragma once

#include "core/practice/KeyState.h"

#include <QSet>
#include <QtGlobal>

#include <functional>

/**
 * The keyboard as the practice window needs it: which keys are held
 * and, where the display server allows it, every physical key press before the input
 * method decides what becomes of it.
 */
class KeyboardMonitor : public KeyState {
public:
    /** Receives (virtual-key code, the display's own key number, the keys held then) for each physical press. */
    using RawPressHandler = std::function<void(int keyCode, quint32 nativeKey, const KeySnapshot& held)>;

    /** Receives the display's own key number of each physical release (auto-repeat sends one before each repeat). */
    using RawReleaseHandler = std::function<void(quint32 nativeKey)>;

    void setRawPressHandler(RawPressHandler handler) { m_rawPress = std::move(handler); }
    void setRawReleaseHandler(RawReleaseHandler handler) { m_rawRelease = std::move(handler); }
    /** True when physical presses are reported before their outcome. */
    virtual bool reportsRawPresses() const = 0;
    /** A key event the program received (releases only when not auto-repeated). */
    virtual void noteKeyEvent(int keyCode, bool pressed) = 0;

protected:
    RawPressHandler m_rawPress;
    RawReleaseHandler m_rawRelease;
};

/** Held keys taken from the program's own key events: for displays without a raw key stream, and for tests. */
class EventKeyboardMonitor final : public KeyboardMonitor {
public:
    bool isHeld(int keyCode) const override { return m_down.contains(keyCode); }
    bool reportsRawPresses() const override { return false; }
    void noteKeyEvent(int keyCode, bool pressed) override {
        if (pressed)
            m_down.insert(keyCode);
        else
            m_down.remove(keyCode);
    }

private:
    QSet<int> m_down;
};
