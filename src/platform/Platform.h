#pragma once

class AlertSound;
class Clock;
class InputMethod;
class KeyboardMonitor;
class ShellOpen;

/** The platform services the windows use; main hands in the real ones, tests the fakes. */
struct Platform {
    Clock& clock;
    ShellOpen& shell;
    AlertSound& sound;
    KeyboardMonitor& keyboard;
    InputMethod& inputMethod;
};
