#pragma once

#include "platform/AlertSound.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/ShellOpen.h"

#include <QStringList>

/** A clock the test moves by hand. */
class FakeClock final : public Clock {
public:
    quint32 now = 0;
    quint32 timeGetTime() const override { return now; }
    void advance(quint32 ms) { now += ms; }
};

/** Records what would have been opened; `succeed` decides the answer. */
class FakeShellOpen final : public ShellOpen {
public:
    QStringList opened;
    bool succeed = true;
    bool open(const QString& fileOrAddress) override {
        opened.append(fileOrAddress);
        return succeed;
    }
};

/** Counts alert sounds. */
class FakeAlertSound final : public AlertSound {
public:
    int played = 0;
    void play() override { ++played; }
};

/** All fakes together, handed to a window as its Platform. */
struct FakePlatform {
    FakeClock clock;
    FakeShellOpen shell;
    FakeAlertSound sound;
    Platform platform{clock, shell, sound};
};
