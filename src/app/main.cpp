#include "app/Application.h"
#include "ui/common/QtJapanese.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fprintf(stderr, "rinvale: no display (DISPLAY or WAYLAND_DISPLAY is not set); start it from a desktop "
                             "session or under Xvfb.\n");
        return 1;
    }
    // On a Wayland desktop the program runs through XWayland: only the X server shows it every
    // physical key before the input method takes it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"RinvaleQX"_s);
    QFont uiFont(u"IPAPGothic"_s, 9);
    uiFont.setFamilies({u"IPAPGothic"_s, u"IPAGothic"_s, u"Noto Sans CJK JP"_s});
    QApplication::setFont(uiFont);
    // Qt's standard texts (the input box's context menu, dialog buttons) in Japanese.
    qtjapanese::install(app);

    Application program(app);
    return program.run();
}
