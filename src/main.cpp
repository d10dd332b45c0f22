#include "app/Module1.h"
#include "app/frmMain.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/ui/DesktopServices.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"RinvaleQX"_qs);
    QFont uiFont(u"IPAPGothic"_qs, 9);
    uiFont.setFamilies({u"IPAPGothic"_qs, u"IPAGothic"_qs, u"Noto Sans CJK JP"_qs});
    QApplication::setFont(uiFont);

    Module1 module;
    module.programFolder = programFolder();

    SingleInstance instance;
    if (!instance.tryAcquire(module.programFolder)) {
        QMessageBox::information(nullptr, QString::fromUtf16(frmMain::Caption), u"すでに起動しています。"_qs,
                                 QMessageBox::Ok);
        return 0;
    }

    SystemClock clock;
    DesktopShellOpen shell;
    DesktopAlertSound sound;
    Platform platform{clock, shell, sound};

    frmMain window(module, platform);
    window.Form_Load();
    window.show();

    // Start-up measurement: RINVALE_STARTUP_PROBE=1 prints the wall-clock time (ms since
    // the epoch) when the first frame is up, then closes the program.
    if (qEnvironmentVariableIntValue("RINVALE_STARTUP_PROBE") == 1) {
        QTimer::singleShot(0, &window, [&window] {
            std::printf("shown %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            window.close();
        });
    }
    return app.exec();
}
