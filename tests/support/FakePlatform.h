#pragma once

#include "core/util/Clock.h"
#include "platform/AlertSound.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardMonitor.h"
#include "platform/Platform.h"
#include "platform/ShellOpen.h"

#include <QStringList>

#include <algorithm>

// Platform services a test drives by hand and inspects afterwards.

class FakeClock final : public Clock {
public:
    quint32 now = 0;
    quint32 nowMs() const override { return now; }
    void advance(quint32 ms) { now += ms; }
};

class FakeShellOpen final : public ShellOpen {
public:
    QStringList opened;
    bool succeed = true;
    bool open(const QString& fileOrAddress) override {
        opened.append(fileOrAddress);
        return succeed;
    }
};

class FakeAlertSound final : public AlertSound {
public:
    int played = 0;
    void play() override { ++played; }
};

/** An input method the program switches: 2 off, 4 on. */
class FakeInputMethod final : public InputMethod {
public:
    int currentStatus = 2;
    int status() const override { return currentStatus; }
    void close() override { currentStatus = std::min(currentStatus, 2); }
    void setInputMode(int mode) override {
        if (mode == 2) currentStatus = 2;
        if (mode >= 4) currentStatus = 4;
    }
};

/** A keyboard that reports each physical press before its outcome, as the X display does. */
class FakeKeyboard final : public KeyboardMonitor {
public:
    bool isHeld(int keyCode) const override { return m_keys.isHeld(keyCode); }
    bool reportsRawPresses() const override { return true; }
    void noteKeyEvent(int, bool) override {}
    void press(int keyCode, quint32 nativeKey) {
        m_keys.set(keyCode, true);
        if (m_rawPress) m_rawPress(keyCode, nativeKey, m_keys);
    }
    /** With the key's own number the release is reported like a display reports it. */
    void release(int keyCode, quint32 nativeKey = 0) {
        m_keys.set(keyCode, false);
        if (nativeKey != 0 && m_rawRelease) m_rawRelease(nativeKey);
    }

private:
    KeySnapshot m_keys;
};

struct FakePlatform {
    FakeClock clock;
    FakeShellOpen shell;
    FakeAlertSound sound;
    FakeKeyboard keyboard;
    FakeInputMethod inputMethod;
    Platform platform{clock, shell, sound, keyboard, inputMethod};
};
