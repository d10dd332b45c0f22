#pragma once

#include "core/practice/KeyState.h"
#include "core/practice/KeyStream.h"
#include "platform/Platform.h"

#include <QObject>
#include <QString>

class InputBox;
class MainMenus;
class PracticeController;
class QKeyEvent;
class QWidget;
class SettingsTable;

/**
 * Every key the main window sees, before its controls: physical presses from the display,
 * key events and input-method events. It pairs each press with its outcome, counts it, and
 * turns the practice's keys (start, retry, pause, F5) into the controller's commands.
 */
class KeyRouter : public QObject {
    Q_OBJECT

public:
    KeyRouter(QWidget* window, InputBox* box, PracticeController& practice, MainMenus& menus,
              const SettingsTable& settings, Platform& platform);
    ~KeyRouter() override;

    /** A key as the window sees it before its controls; true when the window used it. */
    bool handleKey(QKeyEvent* event);
    /** A key-down of the key-down stream: the key's own code, or 229 when the input method used it. */
    void keyDown(int keyCode, int ownCode, quint32 waitedMs, const KeyState& heldAtPress);
    /** Forgets presses still waiting for their outcome (and, for a new attempt, the composition). */
    void resetPendingKeys(bool starting);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Drops the composition under way without committing it (for a menu shortcut typed while composing). */
    void dropComposition();
    void traceCounts();
    /** The key's first receiver in the window: a key passed on to a parent is the same key. */
    bool firstReceiver(QObject* watched) const;

    QWidget* m_window;
    InputBox* m_box;
    PracticeController& m_practice;
    MainMenus& m_menus;
    const SettingsTable& m_settings;
    Platform& m_platform;
    KeyStream m_keyStream;
    QString m_lastPreedit;                ///< the composition as the last input-method event left it
    Qt::KeyboardModifiers m_keyModifiers; ///< of the key being handled
    bool m_keyConsumed = false;           ///< the key-down just handled was a command
    bool m_droppingComposition = false;   ///< inside dropComposition: the commit it causes is not the user's
    bool m_ownInputMethodEvent = false;   ///< an input-method event the router sends the box itself
};
