#pragma once

#include "core/practice/TextLoading.h"

class QFrame;
class QLabel;
class QWidget;

/** What the loaded text is: its title, the practice mode, its statistics and whether it can be graded. */
class TextInfoPanel {
public:
    explicit TextInfoPanel(QWidget* form);

    void show(const TextLoading::TextView& view);
    /** The statistics give way to the last attempt's result while one is shown. */
    void setStatisticsVisible(bool visible);

private:
    QLabel* m_title;
    QLabel* m_mode;
    QFrame* m_paragraphNotice;
    QFrame* m_statistics;
    QLabel* m_charCount;
    QLabel* m_kanjiRatio;
    QLabel* m_halfWidthRatio;
    QLabel* m_eligibility;
};
