// A core unit that uses widgets: the layering check must refuse it.
#include <QWidget>
