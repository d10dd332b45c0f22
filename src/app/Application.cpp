#include "app/Application.h"

#include "core/practice/SessionFiles.h"

#include "platform/NoInputMethod.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClock.h"
#include "platform/desktop/DesktopServices.h"
#include "platform/fcitx5/Fcitx5InputMethod.h"
#include "platform/x11/X11KeyboardMonitor.h"
#include "ui/common/PlainText.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Reports the moment the main window is first on screen, then closes the program.
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

Application::Application(QApplication& qt) : m_qt(qt) {
    m_session.programFolder = programFolder();
}

int Application::run() {
    SingleInstance instance;
    if (!instance.tryAcquire(m_session.programFolder)) {
        plaintext::message(nullptr, QMessageBox::Information, QString::fromUtf16(MainWindow::Caption),
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
    InputMethod* inputMethod = Fcitx5InputMethod::create(&m_qt);
    if (!inputMethod) inputMethod = &noInputMethod;
    Platform platform{clock, shell, sound, *keyboard, *inputMethod};

    // The session's files are read before the window shows them, and the settings written
    // when it closes; every problem is said in the window's words.
    MainWindow window(m_session, platform);
    for (const QString& problem : SessionFiles::open(m_session))
        window.message(problem);
    QObject::connect(&window, &MainWindow::closing, &window, [this, &window] {
        QString error;
        if (!SessionFiles::save(m_session, &error)) window.message(error);
    });
    window.startUp();
    window.show();

    // Start-up measurement: RINVALE_STARTUP_PROBE=1 prints the wall-clock time (ms since
    // the epoch) once the window is exposed and painted, then closes the program.
    std::unique_ptr<StartupProbe> probe;
    if (qEnvironmentVariableIntValue("RINVALE_STARTUP_PROBE") == 1) probe = std::make_unique<StartupProbe>(window);
    return m_qt.exec();
}
