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
    /** The exam's time left in place of the elapsed time ("1:00"); `final` marks the last seconds. */
    void setRemaining(const QString& remaining, bool final);
    /** Elapsed time ("タイム") or, for an exam, the time left ("残り"). */
    void showRemainingTime(bool exam);
    void setKeystrokes(int keystrokes);
    void setTypedChars(const QString& chars);
    void setSpeed(const QString& cpm);
    /** The progress bar at its full width (the text is done). */
    void fillProgress();

    /** "詳細[F3]..": opens the last attempt's details while its result is shown. */
    QLabel* detailsLink() const { return m_detailsLink; }
    /** The bars at the same share of their tracks after the tracks grew by `factor` (a new zoom). */
    void rescaleBars(double factor);

    /** Widths in pixels that core scales the bars to. */
    int trackWidth() const;
    int gaugeWidth() const;

    /** Whether the last seconds of an exam are marked on the clock. */
    bool finalSecondsMarked() const { return m_finalSeconds; }

private:
    void markFinalSeconds(bool final);

    bool m_finalSeconds = false;
    QLabel* m_elapsedCaption;
    QLabel* m_elapsed;
    QLabel* m_keystrokes;
    QLabel* m_typedChars;
    QLabel* m_speed;
    QLabel* m_detailsLink;
    QFrame* m_progressBar;
    QFrame* m_speedGauge;
};
