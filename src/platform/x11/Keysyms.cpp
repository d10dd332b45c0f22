#include "platform/x11/Keysyms.h"

int virtualKeyFromKeysym(quint32 keysym) {
    if (keysym >= 0x61 && keysym <= 0x7a) return int(keysym - 0x61 + 65);        // a..z
    if (keysym >= 0x41 && keysym <= 0x5a) return int(keysym);                    // A..Z
    if (keysym >= 0x30 && keysym <= 0x39) return int(keysym);                    // 0..9
    if (keysym >= 0xffbe && keysym <= 0xffd5) return int(keysym - 0xffbe + 112); // F1..F24
    switch (keysym) {
    case 0xff08:
        return 8; // BackSpace
    case 0xff09:
        return 9; // Tab
    case 0xff0d:  // Return
    case 0xff8d:
        return 13; // KP_Enter
    case 0xffe1:
    case 0xffe2:
        return 16; // Shift
    case 0xffe3:
    case 0xffe4:
        return 17; // Control
    case 0xffe9:
    case 0xffea:
    case 0xff7e:
        return 18; // Alt, Mode_switch
    case 0xff13:
        return 19; // Pause
    case 0xff1b:
        return 27; // Escape
    case 0xff23:
        return 28; // Henkan
    case 0xff22:
        return 29; // Muhenkan
    case 0x20:
        return 32; // space
    case 0xff51:
        return 37; // Left
    case 0xff52:
        return 38; // Up
    case 0xff53:
        return 39; // Right
    case 0xff54:
        return 40; // Down
    case 0xffff:
        return 46; // Delete
    case 0xff2a:
        return 243; // Zenkaku_Hankaku
    default:
        return 0;
    }
}
