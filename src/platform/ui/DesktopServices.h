#pragma once

#include "platform/AlertSound.h"
#include "platform/ShellOpen.h"

/** Opens files and addresses through the desktop (xdg-open and friends, via Qt). */
class DesktopShellOpen final : public ShellOpen {
public:
    bool open(const QString& fileOrAddress) override;
};

/** The desktop's alert sound. */
class DesktopAlertSound final : public AlertSound {
public:
    void play() override;
};
