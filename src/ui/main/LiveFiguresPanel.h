#pragma once

#include "core/practice/KeyCounting.h"

class QFrame;
class QLabel;
class QWidget;

/** The running attempt's figures: time, keystrokes, characters typed, speed, progress and speed gauge. */
class LiveFiguresPanel {
public:
    explicit LiveFiguresPanel(QWidget* form);

    void reset();
    void show(const LiveFigures& figures);
    void setElapsed(const QString& seconds);
    void setKeystrokes(int keystrokes);
    void setTypedChars(const QString& chars);
    void setSpeed(const QString& cpm);
    /** The progress bar at its full width (the text is done). */
    void fillProgress();

    /** "詳細[F3]..": opens the last attempt's details while its result is shown. */
    QLabel* detailsLink() const { return m_detailsLink; }

    /** Widths in pixels that core scales the bars to. */
    int trackWidth() const;
    int gaugeWidth() const;

private:
    QLabel* m_elapsed;
    QLabel* m_keystrokes;
    QLabel* m_typedChars;
    QLabel* m_speed;
    QLabel* m_detailsLink;
    QFrame* m_progressBar;
    QFrame* m_speedGauge;
};
