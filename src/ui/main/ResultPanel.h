#pragma once

#include "core/scoring/ResultComputation.h"

#include <array>

class QLabel;
class QWidget;

/** The last attempt's result: speed, grade, score, own level, keystrokes and the operation rows. */
class ResultPanel {
public:
    explicit ResultPanel(QWidget* form);

    /** Empties every figure but the text's character count. */
    void clear();
    void show(const ResultComputation::ResultFigures& figures);
    /** The grade again, under another standard. */
    void setGrade(const QString& grade);
    void setTotalChars(const QString& chars);

private:
    enum Value { Cpm, Grade, Score, OwnLevel, Keystrokes, TextChars, ValueCount };
    std::array<QLabel*, ValueCount> m_values{};
    /** Count, rate and mark of conversions, confirmations, corrections and revisions. */
    std::array<std::array<QLabel*, 3>, 4> m_rows{};
};
