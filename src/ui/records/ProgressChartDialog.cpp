#include "ui/records/ProgressChartDialog.h"

#include "core/settings/ExtraSettings.h"
#include "core/settings/Options.h"
#include "core/util/AtomicFile.h"
#include "ui/common/PlainText.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Markers on every attempt only while they stay apart; beyond that the line alone.
constexpr size_t MaxMarkedPoints = 1500;
// More points than a wide window has pixels only cost time: runs of them are drawn as their extremes.
constexpr size_t MaxDrawnPoints = 4000;
// Own-level labels on the axis at most; a wider range labels every second (third ...) level.
constexpr int MaxLevelLabels = 16;
const QColor AttemptColour(110, 150, 210);
const QColor AverageColour(200, 60, 40);
const QColor GuideColour(150, 120, 40);
const QColor ExamColour(30, 150, 60);
// An exam log beyond this is not one the program wrote (a line is about a hundred bytes).
constexpr qint64 MaxExamLogBytes = 64 * 1024 * 1024;

QString key(const char16_t* name) {
    return u"progressChart/"_s + QString::fromUtf16(name);
}

QComboBox* addCombo(QHBoxLayout* row, QWidget* parent, const QString& name, const QString& caption,
                    const QStringList& items) {
    auto* label = new QLabel(caption, parent);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    label->setBuddy(combo);
    row->addWidget(label);
    row->addWidget(combo);
    row->addSpacing(8);
    return combo;
}

// 1, 2 or 5 times a power of ten: about five ticks over `span`.
double roundStep(double span) {
    const double power = std::pow(10.0, std::floor(std::log10(std::max(span, 1.0) / 5)));
    for (double factor : {1.0, 2.0, 5.0})
        if (span / (power * factor) <= 8) return power * factor;
    return power * 10;
}

void setCurrent(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

} // namespace

ProgressChartDialog::ProgressChartDialog(Session& session, QWidget* owner)
    : QDialog(owner), m(session), m_titles(session.fileBoxPath()) {
    setObjectName(u"ProgressChartDialog"_s);
    setWindowTitle(u"上達グラフ"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    m_measureCombo =
        addCombo(choices, this, u"measureCombo"_s, u"項目(&M)"_s, {u"CPM"_s, u"SCR"_s, u"自己レベル (RV)"_s});
    m_languageCombo = addCombo(choices, this, u"languageCombo"_s, u"言語(&L)"_s, {u"和文"_s, u"英文"_s});
    m_kindCombo = addCombo(choices, this, u"kindCombo"_s, u"種類(&K)"_s, {u"すべて"_s, u"通し"_s, u"段落別"_s});
    m_textCombo = addCombo(choices, this, u"textCombo"_s, u"テキスト(&T)"_s, {});
    m_textCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_textCombo->setMinimumContentsLength(24);
    m_averageCheck = new QCheckBox(u"移動平均(&A)"_s, this);
    m_averageCheck->setObjectName(u"averageCheck"_s);
    m_averageCheck->setToolTip(u"直前の%1回を含む平均"_s.arg(ProgressChart::AverageLength));
    choices->addWidget(m_averageCheck);
    choices->addStretch();
    layout->addLayout(choices);

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(u"chartView"_s);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(720, 400);
    layout->addWidget(m_chartView, 1);

    auto* bottom = new QHBoxLayout;
    m_summaryLabel = new QLabel(this);
    m_summaryLabel->setObjectName(u"summaryLabel"_s);
    bottom->addWidget(m_summaryLabel, 1);
    auto* close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"closeButton"_s);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    plaintext::makeLabelsPlain(this);

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_reading = LogEntries::readAllMonths(m.logBoxPath());
    m_times = ProgressChart::attemptTimes(m_reading.entries);
    QByteArray examBytes;
    const QString examPath = m.logBoxPath() + u'/' + QString::fromUtf16(ExamLog::FileName);
    QString examProblem;
    const ReadStatus examStatus = readRegularFile(examPath, MaxExamLogBytes, &examBytes, &examProblem);
    if (examStatus == ReadStatus::Read) {
        m_examLog = ExamLog::parse(examBytes);
        m_exams = ProgressChart::exams(m_examLog, m_reading.entries, m.fileBoxPath());
    } else if (examStatus != ReadStatus::Missing) {
        m_reading.problems.append(examPath + u"（試験の記録）: "_s +
                                  (examProblem.isEmpty() ? u"大きすぎるため読み込みませんでした"_s : examProblem));
    }
    QGuiApplication::restoreOverrideCursor();

    const ExtraSettings extra(m.programFolder);
    m_filling = true;
    setCurrent(m_measureCombo, extra.value(key(u"measure"), 0).toInt());
    setCurrent(m_languageCombo, extra.value(key(u"language"), 0).toInt());
    setCurrent(m_kindCombo, extra.value(key(u"kind"), 0).toInt());
    m_averageCheck->setChecked(extra.value(key(u"average"), true).toBool());
    m_filling = false;
    fillTexts();

    auto changed = [this] {
        if (m_filling) return;
        storeChoices();
        redraw();
    };
    for (QComboBox* combo : {m_measureCombo, m_kindCombo, m_textCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
    connect(m_languageCombo, &QComboBox::currentIndexChanged, this, [this, changed] {
        fillTexts();
        changed();
    });
    connect(m_averageCheck, &QCheckBox::toggled, this, changed);
    redraw();
    m_measureCombo->setFocus();

    if (!m_reading.problems.isEmpty()) {
        const QString text = u"読み込めなかった練習ログがあります。\n"_s + m_reading.problems.join(u'\n');
        QTimer::singleShot(0, this,
                           [this, text] { plaintext::message(this, QMessageBox::Warning, windowTitle(), text); });
    }
}

void ProgressChartDialog::open(Session& session, QWidget* owner) {
    ProgressChartDialog(session, owner).exec();
}

void ProgressChartDialog::fillTexts() {
    const QString chosen = m_textCombo->currentData().toString();
    m_filling = true;
    m_textCombo->clear();
    m_textCombo->addItem(u"すべてのテキスト"_s, QString());
    const bool japanese = m_languageCombo->currentIndex() == 0;
    for (const QString& id : ProgressChart::textIds(m_reading.entries, japanese))
        m_textCombo->addItem(m_titles.forId(id) + u"  ("_s + id + u')', id);
    setCurrent(m_textCombo, std::max(0, m_textCombo->findData(chosen)));
    m_filling = false;
}

void ProgressChartDialog::storeChoices() {
    ExtraSettings extra(m.programFolder);
    extra.setValue(key(u"measure"), m_measureCombo->currentIndex());
    extra.setValue(key(u"language"), m_languageCombo->currentIndex());
    extra.setValue(key(u"kind"), m_kindCombo->currentIndex());
    extra.setValue(key(u"average"), m_averageCheck->isChecked());
}

QString ProgressChartDialog::describeNearest(qint64 msecs) const {
    const auto& points = m_model.points;
    if (points.empty()) return {};
    auto at = std::lower_bound(points.begin(), points.end(), msecs,
                               [](const ProgressChart::Point& p, qint64 t) { return p.msecs < t; });
    if (at == points.end() || (at != points.begin() && msecs - (at - 1)->msecs < at->msecs - msecs)) --at;
    const LogEntries::Entry& entry = m_reading.entries[size_t(at->entry)];
    return ProgressChart::describe(entry, m_titles.forId(entry.id));
}

QString ProgressChartDialog::describeNearestExam(qint64 msecs) const {
    const auto& exams = m_model.exams;
    if (exams.empty()) return {};
    auto at = std::lower_bound(exams.begin(), exams.end(), msecs,
                               [](const ProgressChart::Point& p, qint64 t) { return p.msecs < t; });
    if (at == exams.end() || (at != exams.begin() && msecs - (at - 1)->msecs < at->msecs - msecs)) --at;
    const ExamLog::Entry& exam = m_examLog[at->entry];
    const QString title =
        exam.title.trimmed().isEmpty() ? m_titles.forId(m_exams[size_t(at->entry)].textId) : exam.title;
    return ProgressChart::describeExam(exam, title);
}

void ProgressChartDialog::redraw() {
    ProgressChart::Choice choice;
    choice.measure = m_measureCombo->currentIndex();
    choice.japanese = m_languageCombo->currentIndex() == 0;
    choice.kind = m_kindCombo->currentIndex();
    choice.textId = m_textCombo->currentData().toString();
    const qint32 standard = m.settings.number(Options::Standard);
    choice.standard = standard >= 0 && standard < Options::StandardCount ? int(standard) : 0;
    m_model = ProgressChart::build(m_reading.entries, m_times, choice, m_exams);

    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }

    auto* attempts = new QLineSeries;
    attempts->setName(u"各回"_s);
    attempts->setPen(QPen(AttemptColour, 1));
    attempts->setPointsVisible(m_model.points.size() <= MaxMarkedPoints);
    QList<QPointF> values;
    for (const ProgressChart::Point& p : ProgressChart::forDrawing(m_model.points, MaxDrawnPoints))
        values.append(QPointF(double(p.msecs), p.value));
    attempts->replace(values);
    QList<QXYSeries*> shown{attempts};
    if (m_averageCheck->isChecked()) {
        auto* average = new QLineSeries;
        average->setName(u"移動平均（%1回）"_s.arg(ProgressChart::AverageLength));
        average->setPen(QPen(AverageColour, 2.5));
        values.clear();
        for (const ProgressChart::Point& p : ProgressChart::forDrawing(m_model.average, MaxDrawnPoints))
            values.append(QPointF(double(p.msecs), p.value));
        average->replace(values);
        shown.append(average);
    }

    auto* time = new QDateTimeAxis;
    time->setFormat(m_model.dateFormat);
    time->setTickCount(7);
    time->setRange(QDateTime::fromMSecsSinceEpoch(m_model.first), QDateTime::fromMSecsSinceEpoch(m_model.last));
    m_chart->addAxis(time, Qt::AlignBottom);

    // Own levels are whole steps: half a step more on each side keeps the outermost labels in view.
    const double pad = choice.measure == ProgressChart::OwnLevel ? 0.5 : 0.0;
    const double low = m_model.low - pad, high = m_model.high + pad;
    QAbstractAxis* value = nullptr;
    if (choice.measure == ProgressChart::OwnLevel) {
        auto* levels = new QCategoryAxis;
        levels->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const int lowest = int(m_model.low), highest = int(m_model.high);
        const int step = std::max(1, (highest - lowest + MaxLevelLabels) / MaxLevelLabels);
        levels->setStartValue(low);
        for (int rank = lowest; rank <= highest; rank += step)
            levels->append(LogEntries::ownLevelLabel(rank), rank);
        value = levels;
    } else {
        auto* numbers = new QValueAxis;
        numbers->setLabelFormat(u"%.0f"_s);
        // Ticks on round figures, the range kept tight around the attempts and their grades.
        numbers->setTickType(QValueAxis::TicksDynamic);
        numbers->setTickAnchor(0);
        numbers->setTickInterval(roundStep(m_model.high - m_model.low));
        numbers->setTitleText(choice.measure == ProgressChart::Cpm ? u"CPM"_s : u"SCR"_s);
        value = numbers;
    }
    value->setRange(low, high);
    m_chart->addAxis(value, Qt::AlignLeft);

    // The grade bands: a dashed line at the least figure of each grade, labelled on the right.
    auto* bands = new QCategoryAxis;
    bands->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bands->setRange(low, high);
    bands->setGridLinePen(QPen(GuideColour, 1, Qt::DashLine));
    bands->setLabelsColor(GuideColour);
    bands->setLineVisible(false);
    for (const ProgressChart::Guide& g : m_model.guides)
        bands->append(g.label, g.value);
    m_chart->addAxis(bands, Qt::AlignRight);

    // The exams stand apart from the practice: their own markers, not joined by a line.
    QScatterSeries* exams = nullptr;
    if (!m_model.exams.empty()) {
        exams = new QScatterSeries;
        exams->setObjectName(u"examSeries"_s);
        exams->setName(u"試験（純字数/分）"_s);
        exams->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
        exams->setMarkerSize(11);
        exams->setColor(ExamColour);
        exams->setBorderColor(ExamColour.darker(150));
        values.clear();
        for (const ProgressChart::Point& p : m_model.exams)
            values.append(QPointF(double(p.msecs), p.value));
        exams->replace(values);
        shown.append(exams);
    }

    for (QXYSeries* series : shown) {
        m_chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(value);
        const bool isExam = series == exams;
        connect(series, &QXYSeries::hovered, this, [this, isExam](const QPointF& point, bool state) {
            if (!state) {
                QToolTip::hideText();
                return;
            }
            const qint64 at = qint64(point.x());
            QToolTip::showText(QCursor::pos(),
                               plaintext::toolTip(isExam ? describeNearestExam(at) : describeNearest(at)), m_chartView);
        });
    }

    if (m_model.points.empty() && m_model.exams.empty()) {
        m_summaryLabel->setText(u"表示できる記録がありません"_s);
        return;
    }
    const auto day = [](qint64 msecs) { return QDateTime::fromMSecsSinceEpoch(msecs).toString(u"yyyy/MM/dd"_s); };
    qint64 first = std::numeric_limits<qint64>::max(), last = std::numeric_limits<qint64>::min();
    for (const std::vector<ProgressChart::Point>* points : {&m_model.points, &m_model.exams})
        if (!points->empty()) {
            first = std::min(first, points->front().msecs);
            last = std::max(last, points->back().msecs);
        }
    QString summary = u"%1 回"_s.arg(m_model.points.size());
    if (!m_model.exams.empty()) summary += u"、試験 %1 回"_s.arg(m_model.exams.size());
    summary += u"（%1 ～ %2）"_s.arg(day(first), day(last));
    if (m_reading.damaged > 0) summary += u"　読めない行 %1 行は除きました"_s.arg(m_reading.damaged);
    m_summaryLabel->setText(summary);
}
