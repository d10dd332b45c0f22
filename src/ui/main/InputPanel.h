#pragma once

#include "core/practice/AttemptControl.h"
#include "core/settings/Options.h"

#include <QColor>

class InputBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

/**
 * Where the user types: the input box, and over it the start panel (countdown, hints, target
 * line) between attempts and the pause panel during a pause.
 */
class InputPanel {
public:
    explicit InputPanel(QWidget* form);

    void applyFontLayout(const Options::FontLayout& layout, int top);
    void setColours(const QColor& systemText, const QColor& inputText, const QColor& inputBackground);
    /** What the attempt's state shows: the box enabled or not, the start or the pause panel. */
    void applyControls(const StateControls& controls);
    /** After an attempt: the start panel with its hints, the target line when one is set. */
    void showFinished(bool targetLine);

    void setCountdown(const QString& digit);
    void setRetryHint(const QString& hint);
    /** The target line of the loaded text; empty hides it. */
    void setTargetLine(const QString& line);
    /** Hides the start panel while `work` runs, then shows it again. */
    template <typename F> void withoutStartPanel(F work) {
        hideStartPanel(true);
        work();
        hideStartPanel(false);
    }

    InputBox* box() const { return m_box; }
    QPushButton* resumeButton() const { return m_resumeButton; }

private:
    void hideStartPanel(bool hidden);

    QFrame* m_panel;
    InputBox* m_box;
    QFrame* m_startPanel;
    QLabel* m_countdownLabel;
    QLabel* m_startHint;
    QLabel* m_retryHint;
    QLabel* m_targetLabel;
    QFrame* m_pausePanel;
    QPushButton* m_resumeButton;
};
