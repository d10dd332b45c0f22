#pragma once

#include <Qt>

/** Key codes as the practice logic knows them: the Windows virtual-key numbers of the options and counting. */
namespace KeyCodes {

/** The virtual-key number of a Qt key (0 for keys the practice never looks at). */
int virtualKeyCode(int qtKey);

/** Shift state bits of a key: 1 Shift, 2 Ctrl, 4 Alt. */
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace KeyCodes
