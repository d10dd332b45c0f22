#include "platform/x11/X11KeyboardMonitor.h"

#include "platform/x11/Keysyms.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

X11KeyboardMonitor* X11KeyboardMonitor::create() {
    if (QGuiApplication::platformName() != u"xcb") return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    auto* monitor = new X11KeyboardMonitor(x11->connection());
    qApp->installNativeEventFilter(monitor);
    return monitor;
}

X11KeyboardMonitor::X11KeyboardMonitor(xcb_connection_t* connection) : m_connection(connection) {
    loadKeyboardMapping();
}

X11KeyboardMonitor::~X11KeyboardMonitor() {
    if (qApp) qApp->removeNativeEventFilter(this);
}

void X11KeyboardMonitor::loadKeyboardMapping() {
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    m_minKeycode = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    m_virtualKeys.assign(size_t(count), 0);
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, quint8(count)), nullptr);
    if (!reply) return;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perKeycode = reply->keysyms_per_keycode;
    for (int k = 0; k < count && perKeycode > 0; ++k) {
        // The unshifted symbol names the key; a letter key's shifted symbol is only its capital.
        int vk = 0;
        for (int level = 0; level < perKeycode && vk == 0; ++level)
            vk = virtualKeyFromKeysym(keysyms[k * perKeycode + level]);
        m_virtualKeys[size_t(k)] = vk;
    }
    std::free(reply);
}

int X11KeyboardMonitor::keyCodeOf(quint8 xKeycode) const {
    const int index = int(xKeycode) - int(m_minKeycode);
    return index >= 0 && index < int(m_virtualKeys.size()) ? m_virtualKeys[size_t(index)] : 0;
}

bool X11KeyboardMonitor::isHeld(int keyCode) const {
    return keyCode >= 0 && keyCode < int(m_held.size()) && m_held[size_t(keyCode)];
}

bool X11KeyboardMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        loadKeyboardMapping();
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    const int vk = keyCodeOf(key->detail);
    const bool pressed = type == XCB_KEY_PRESS;
    // An auto-repeat is a release and a press in a row: the press marks the key held again
    // before anything reads the state, so the key stays held across the pair.
    if (vk > 0 && vk < int(m_held.size())) m_held[size_t(vk)] = pressed;
    if (pressed && m_rawPress) m_rawPress(vk, key->detail, KeySnapshot::of(*this));
    if (!pressed && m_rawRelease) m_rawRelease(key->detail);
    return false;
}
