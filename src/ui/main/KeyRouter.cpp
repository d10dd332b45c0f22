#include "ui/main/KeyRouter.h"

#include "core/practice/KeyCodes.h"
#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "platform/InputMethod.h"
#include "platform/KeyboardMonitor.h"
#include "ui/main/InputBox.h"
#include "ui/main/MainMenus.h"
#include "ui/main/PracticeController.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

KeyRouter::KeyRouter(QWidget* window, InputBox* box, PracticeController& practice, MainMenus& menus,
                     const SettingsTable& settings, Platform& platform)
    : QObject(window), m_window(window), m_box(box), m_practice(practice), m_menus(menus), m_settings(settings),
      m_platform(platform), m_keyStream([this](int code, int ownCode, quint32 waited, const KeyState& held) {
          keyDown(code, ownCode, waited, held);
      }) {
    // The window sees every key before its controls; physical presses come first, from the
    // display, while the window itself has the keyboard.
    qApp->installEventFilter(this);
    m_platform.keyboard.setRawPressHandler([this](int keyCode, quint32 nativeKey, const KeySnapshot& held) {
        // Keys for an open menu or dialog are not the practice's keys.
        if (!m_window->isActiveWindow() || QApplication::activeModalWidget() || QApplication::activePopupWidget())
            return;
        if (keyCode != KeyCode::Alt && held.isHeld(KeyCode::Alt)) {
            // Alt+letter is a menu's. The input method would swallow the letter into a
            // composition and leave the menu bar holding the keyboard, so the composition goes
            // first (this runs before the input method sees the key).
            dropComposition();
            return;
        }
        m_keyStream.rawPress(keyCode, nativeKey, m_platform.clock.nowMs(), held);
    });
    m_platform.keyboard.setRawReleaseHandler(
        [this](quint32 nativeKey) { m_keyStream.rawRelease(nativeKey, m_platform.clock.nowMs()); });
}

KeyRouter::~KeyRouter() {
    qApp->removeEventFilter(this);
    m_platform.keyboard.setRawPressHandler({});
    m_platform.keyboard.setRawReleaseHandler({});
}

void KeyRouter::resetPendingKeys(bool starting) {
    if (starting) m_lastPreedit.clear();
    m_keyStream.clear();
}

bool KeyRouter::handleKey(QKeyEvent* event) {
    const int keyCode = KeyCodes::virtualKeyCode(event->key());
    m_platform.keyboard.noteKeyEvent(keyCode, true);
    m_keyModifiers = event->modifiers();
    m_keyConsumed = false;
    // The key-down comes first: the input method ignored this key, so it has its own code.
    m_keyStream.keyEventArrived(keyCode, event->nativeScanCode(), m_platform.clock.nowMs(), m_platform.keyboard);
    if (m_keyConsumed) return true;

    const QString text = event->text();
    if (text.size() != 1) return false;
    const QChar character = text[0];
    switch (keyPressAction(m_practice.attempt().state(), character.unicode())) {
    case KeyAction::Start:
        m_practice.startAttempt();
        return true;
    case KeyAction::CheckSegment:
        m_practice.checkSegment();
        return true;
    case KeyAction::Counting:
        m_practice.counting().keyPress(character, m_platform.inputMethod.status());
        return false;
    default:
        return false;
    }
}

void KeyRouter::keyDown(int keyCode, int ownCode, quint32 waitedMs, const KeyState& heldAtPress) {
    const AttemptState state = m_practice.attempt().state();
    switch (keyDownAction(state, keyCode, KeyCodes::shiftState(m_keyModifiers), m_settings.number(Options::RetryKey),
                          m_menus.pauseEnabled())) {
    case KeyAction::Retry:
        m_keyConsumed = true;
        m_practice.retry();
        return;
    case KeyAction::TogglePause:
        m_keyConsumed = true;
        m_practice.togglePause();
        return;
    case KeyAction::ShowRuby:
        m_keyConsumed = true;
        m_practice.showRubyOnRequest();
        return;
    case KeyAction::ShowDetails:
        m_practice.showDetailsOnRequest();
        return;
    case KeyAction::Counting: {
        const bool counted = m_practice.counting().keyDown(keyCode, heldAtPress, m_platform.inputMethod.status(),
                                                           m_box->text().isEmpty());
        m_practice.showKeystrokes();
        if (m_practice.trace().enabled()) {
            m_practice.trace().line(
                u"keydown code=%1 own=%2 waited=%3 counted=%4"_s.arg(keyCode).arg(ownCode).arg(waitedMs).arg(
                    int(counted)));
            traceCounts();
        }
        return;
    }
    default:
        return;
    }
}

void KeyRouter::traceCounts() {
    const AttemptCounters& c = m_practice.attempt().counters;
    m_practice.trace().line(
        u"counts keystrokes=%1 conversions=%2 confirmations=%3 teisei=%4 shusei=%5"_s.arg(c.keystrokes)
            .arg(c.conversions)
            .arg(c.confirmations)
            .arg(c.correctionCount)
            .arg(c.revisionCount));
}

void KeyRouter::dropComposition() {
    if (m_lastPreedit.isEmpty()) return;
    // reset() makes the input method commit the composition before forgetting it; that
    // commit is swallowed, then the box is told the composition is gone.
    m_droppingComposition = true;
    QGuiApplication::inputMethod()->reset();
    m_droppingComposition = false;
    m_lastPreedit.clear();
    QInputMethodEvent gone;
    m_ownInputMethodEvent = true;
    QCoreApplication::sendEvent(m_box, &gone);
    m_ownInputMethodEvent = false;
    m_practice.trace().line(u"composition dropped"_s);
}

bool KeyRouter::firstReceiver(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    const bool first = focus ? watched == focus : watched == m_window;
    return widget && first && widget->window() == m_window;
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod && watched == m_box) {
        if (m_ownInputMethodEvent) return false;
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (m_droppingComposition) return !im->commitString().isEmpty();
        // An input-method event is the outcome of a key the input method used: its key-down
        // is counted first, then the characters it commits, then the input box changes.
        const QString preedit = im->preeditString();
        const bool changes = !im->commitString().isEmpty() || preedit != m_lastPreedit || im->replacementLength() != 0;
        m_lastPreedit = preedit;
        if (m_practice.trace().enabled())
            m_practice.trace().line(
                u"im commit=%1 preedit=%2 changes=%3"_s.arg(im->commitString(), preedit).arg(int(changes)));
        m_keyModifiers = QGuiApplication::keyboardModifiers();
        m_keyStream.inputMethodEventArrived({changes, !im->commitString().isEmpty(), !preedit.isEmpty()},
                                            m_platform.clock.nowMs());
        if (m_practice.attempt().state() == AttemptState::Running)
            for (QChar c : im->commitString())
                if (c != u'\r') m_practice.counting().keyPress(c, m_platform.inputMethod.status());
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (firstReceiver(watched)) {
            // Every press before this key was let go has had its outcome by now.
            m_keyStream.keyReleaseArrived(key->nativeScanCode(), m_platform.clock.nowMs());
            if (!key->isAutoRepeat()) {
                m_platform.keyboard.noteKeyEvent(KeyCodes::virtualKeyCode(key->key()), false);
                m_practice.counting().keyUp(m_platform.keyboard);
            }
        }
        return false;
    }
    // Presses made for another window will never be answered here.
    if (event->type() == QEvent::WindowDeactivate && watched == m_window) m_keyStream.clear();
    if (event->type() == QEvent::KeyPress && firstReceiver(watched)) return handleKey(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}
