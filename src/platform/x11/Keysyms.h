#pragma once

#include <QtGlobal>

/** The virtual-key code of an X keysym (0 for keys the practice never looks at). */
int virtualKeyFromKeysym(quint32 keysym);
