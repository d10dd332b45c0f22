#pragma once

#include "core/practice/Session.h"
#include "core/records/LogEntries.h"
#include "core/records/ProgressChart.h"
#include "core/records/TextTitles.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineSeries;
class QChart;
class QChartView;

/**
 * "上達グラフ": every attempt of the month logs over time, one figure (CPM, SCR or the own level)
 * of one language, kind and text, with its moving average and the grade bands of the judgement
 * standard as guides; the timed exams of ExamLog.tsv are a series of their own on the CPM view.
 * Hovering an attempt or an exam shows its date, text and figures. The choices are kept
 * in the program's INI file; the record files are only read.
 */
class ProgressChartDialog : public QDialog {
    Q_OBJECT

public:
    ProgressChartDialog(Session& session, QWidget* owner);

    /** Opens the window modally over `owner`. */
    static void open(Session& session, QWidget* owner);

    /** What the chart shows now. */
    const ProgressChart::Model& model() const { return m_model; }
    /** The hover text of the attempt nearest to `msecs` among those shown; empty when none is. */
    QString describeNearest(qint64 msecs) const;
    /** The hover text of the exam nearest to `msecs` among those shown; empty when none is. */
    QString describeNearestExam(qint64 msecs) const;

private:
    void fillTexts();
    void redraw();
    void storeChoices();

    Session& m;
    const TextTitles m_titles;
    LogEntries::Reading m_reading;
    std::vector<qint64> m_times;
    QList<ExamLog::Entry> m_examLog;
    std::vector<ProgressChart::Exam> m_exams;
    ProgressChart::Model m_model;
    bool m_filling = false;

    QComboBox* m_measureCombo = nullptr;
    QComboBox* m_languageCombo = nullptr;
    QComboBox* m_kindCombo = nullptr;
    QComboBox* m_textCombo = nullptr;
    QCheckBox* m_averageCheck = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QLabel* m_summaryLabel = nullptr;
};
