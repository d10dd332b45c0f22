#pragma once

#include "platform/AlertSound.h"
#include "platform/ShellOpen.h"

struct ca_context;

/** Opens files and addresses through the desktop (xdg-open and friends, via Qt). */
class DesktopShellOpen final : public ShellOpen {
public:
    bool open(const QString& fileOrAddress) override;
};

/**
 * The desktop's alert sound: the freedesktop "bell" event sound through libcanberra
 * (PulseAudio, PipeWire or ALSA), or the X bell when no sound can be played.
 */
class DesktopAlertSound final : public AlertSound {
public:
    DesktopAlertSound();
    ~DesktopAlertSound() override;
    DesktopAlertSound(const DesktopAlertSound&) = delete;
    DesktopAlertSound& operator=(const DesktopAlertSound&) = delete;

    void play() override;

private:
    ca_context* m_context = nullptr;
    bool m_canberraFailed = false;
};
