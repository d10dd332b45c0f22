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

class FakeInputMethod final : public InputMethod {
public:
    int currentStatus = 2;
    int closed = 0;
    int lastMode = -1;
    int status() const override { return currentStatus; }
    void close() override {
        ++closed;
        currentStatus = std::min(currentStatus, 2);
    }
    void setInputMode(int mode) override {
        lastMode = mode;
        if (mode == 2) currentStatus = 2;
        if (mode >= 4) currentStatus = 4;
    }
};

/** Held keys are the ones pressed and not released; `raw` reports presses before their outcome. */
class FakeKeyboard final : public KeyboardMonitor {
public:
    bool raw = true;
    bool isHeld(int keyCode) const override { return m_keys.isHeld(keyCode); }
    bool reportsRawPresses() const override { return raw; }
    void noteKeyEvent(int keyCode, bool pressed) override {
        if (!raw) m_keys.set(keyCode, pressed);
    }
    void press(int keyCode, quint32 nativeKey) {
        m_keys.set(keyCode, true);
        if (raw && m_rawPress) m_rawPress(keyCode, nativeKey, m_keys);
    }
    /** With the key's own number the release is reported like a display reports it. */
    void release(int keyCode, quint32 nativeKey = 0) {
        m_keys.set(keyCode, false);
        if (raw && nativeKey != 0 && m_rawRelease) m_rawRelease(nativeKey);
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
