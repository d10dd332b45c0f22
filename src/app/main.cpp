#include "core/practice/Module1.h"
#include "ui/main/MainWindow.h"
#include "platform/SystemClock.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/NoInputMethod.h"
#include "platform/desktop/DesktopServices.h"
#include "platform/fcitx5/Fcitx5InputMethod.h"
#include "platform/x11/X11KeyboardMonitor.h"
#include "ui/common/PlainText.h"
#include "ui/common/QtJapanese.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// Reports the moment the main window is first on screen.
class StartupProbe : public QObject {
public:
    explicit StartupProbe(QWidget& window) : m_window(window) { window.windowHandle()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_window.windowHandle()->isExposed() && !m_reported) {
            m_reported = true;
            QTimer::singleShot(0, &m_window, [this] {
                std::printf("shown %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stdout);
                m_window.close();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    bool m_reported = false;
};

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

    Module1 module;
    module.programFolder = programFolder();

    SingleInstance instance;
    if (!instance.tryAcquire(module.programFolder)) {
        plaintext::message(nullptr, QMessageBox::Information, QString::fromUtf16(frmMain::Caption),
                           u"すでに起動しています。"_s);
        return 0;
    }

    SystemClock clock;
    DesktopShellOpen shell;
    DesktopAlertSound sound;
    // Raw key events where the display gives them (X11, also XWayland); key events otherwise.
    std::unique_ptr<KeyboardMonitor> keyboard(X11KeyboardMonitor::create());
    if (!keyboard) keyboard = std::make_unique<EventKeyboardMonitor>();
    NoInputMethod noInputMethod;
    InputMethod* inputMethod = Fcitx5InputMethod::create(&app);
    if (!inputMethod) inputMethod = &noInputMethod;
    Platform platform{clock, shell, sound, *keyboard, *inputMethod};

    frmMain window(module, platform);
    window.Form_Load();
    window.show();

    // Start-up measurement: RINVALE_STARTUP_PROBE=1 prints the wall-clock time (ms since
    // the epoch) once the window is exposed and painted, then closes the program.
    std::unique_ptr<StartupProbe> probe;
    if (qEnvironmentVariableIntValue("RINVALE_STARTUP_PROBE") == 1) probe = std::make_unique<StartupProbe>(window);
    return app.exec();
}
