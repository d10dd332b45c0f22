#pragma once

#include "platform/KeyboardMonitor.h"

#include <QAbstractNativeEventFilter>

#include <array>
#include <vector>

struct xcb_connection_t;

/**
 * Physical key presses and releases read from the X server's own key events, which reach
 * the program before the input method has decided whether it uses a key. Keeps a key held
 * across the release/press pairs of auto-repeat.
 */
class X11KeyboardMonitor final : public KeyboardMonitor, public QAbstractNativeEventFilter {
public:
    /** A monitor for the running X11 display, or nullptr on any other platform. */
    static X11KeyboardMonitor* create();
    ~X11KeyboardMonitor() override;

    bool isHeld(int keyCode) const override;
    bool reportsRawPresses() const override { return true; }
    void noteKeyEvent(int, bool) override {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    explicit X11KeyboardMonitor(xcb_connection_t* connection);
    void loadKeyboardMapping();
    int keyCodeOf(quint8 xKeycode) const;

    xcb_connection_t* m_connection;
    quint8 m_minKeycode = 8;
    std::vector<int> m_virtualKeys; ///< by X keycode − minimum keycode
    std::array<bool, 256> m_held{}; ///< by virtual-key code
};
