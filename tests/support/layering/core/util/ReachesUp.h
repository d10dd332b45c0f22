// A core unit that reaches up into the user interface: the layering check must refuse it.
#include "ui/common/Twips.h"
