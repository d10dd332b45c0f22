#include "core/records/ProgressChart.h"

#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"
#include "core/texts/SampleTexts.h"
#include "core/texts/TextCatalogue.h"
#include "core/texts/TextStats.h"
#include "core/util/AtomicFile.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace ProgressChart {

namespace {

constexpr qint64 DayMsecs = 24 * 60 * 60 * 1000;
// More guides than this crowd their labels; every second (third ...) one is kept.
constexpr size_t MaxGuides = 12;
// SCR is weighted keystrokes per minute; the own level is graded on seconds per 400 of them.
constexpr double ScoreTimesSeconds = 400.0 * 60.0;
// The own levels whose guides stand on the rank axis: the lowest of each group and "XX".
constexpr QStringView OwnLevelGuides[] = {u"J", u"SJ", u"XJ", u"XX", u"ZJ"};
// The head of a text's file (source, date, title, statistics, best times) fits in this.
constexpr qint64 HeadBytes = 4096;

bool keeps(const LogEntries::Entry& e, const Choice& c) {
    if (e.japanese != c.japanese) return false;
    if (c.kind == WholeText && e.paragraph != 0) return false;
    if (c.kind == Paragraphs && e.paragraph == 0) return false;
    return c.textId.isEmpty() || e.id == c.textId;
}

// The axis range: the values shown, the band the lowest lies in and the next grade above the highest.
void fitRange(Model& model, int measure, const std::vector<Guide>& all) {
    if (model.points.empty() && model.exams.empty()) {
        model.low = 0;
        model.high = measure == OwnLevel ? LogEntries::ownLevelTop() : 100;
        return;
    }
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    for (const std::vector<Point>* shown : {&model.points, &model.exams})
        for (const Point& p : *shown) {
            lowest = std::min(lowest, p.value);
            highest = std::max(highest, p.value);
        }
    if (measure == OwnLevel) {
        model.low = std::max(0.0, lowest - 2);
        model.high = std::min(double(LogEntries::ownLevelTop()), highest + 2);
        return;
    }
    model.low = std::floor(std::min(lowest * 0.9, lowest));
    model.high = std::ceil(std::max({highest * 1.1, highest, lowest + 1}));
    const auto above = std::find_if(all.begin(), all.end(), [&](const Guide& g) { return g.value > highest; });
    if (above != all.end() && above->value <= highest * 1.5) model.high = std::ceil(above->value * 1.02);
}

// Whether the statistics line (the fourth line) of a text says it is Japanese; nullopt when there is none.
std::optional<bool> japaneseByStatistics(const QString& statistics) {
    const CharCounts counts = parseStatisticsLine(statistics);
    if (counts.total <= 0) return std::nullopt;
    return isJapaneseText(counts);
}

// The language of a text that no attempt names: its file's (or the sample's) statistics line.
bool languageOfText(const ExamLog::Entry& exam, const QString& fileBox) {
    constexpr QStringView SamplePrefix = u"sample:";
    if (exam.textFile.startsWith(SamplePrefix)) {
        const QStringList lines = SampleTexts::sampleLines(exam.textFile.mid(SamplePrefix.size()).toInt());
        return japaneseByStatistics(lines.value(3)).value_or(true);
    }
    if (exam.textFile.isEmpty() || exam.textFile.contains(u'/') || exam.textFile.contains(u'\\')) return true;
    QByteArray head;
    const ReadStatus status = readRegularFile(fileBox + u'/' + exam.textFile, HeadBytes, &head);
    if (status != ReadStatus::Read && status != ReadStatus::TooLarge) return true;
    return japaneseByStatistics(TextCatalogue::headFromBytes(head).statistics).value_or(true);
}

} // namespace

std::vector<qint64> attemptTimes(std::span<const LogEntries::Entry> entries) {
    std::vector<qint64> times(entries.size());
    size_t run = 0;
    while (run < entries.size()) {
        size_t end = run + 1;
        while (end < entries.size() && entries[end].date == entries[run].date)
            ++end;
        const qint64 day = QDateTime(entries[run].date, QTime(0, 0)).toMSecsSinceEpoch();
        const qint64 count = qint64(end - run);
        for (size_t i = run; i < end; ++i)
            times[i] = day + (2 * qint64(i - run) + 1) * DayMsecs / (2 * count);
        run = end;
    }
    return times;
}

std::vector<Point> forDrawing(const std::vector<Point>& points, size_t count) {
    if (points.size() <= count || count < 2) return points;
    const size_t run = (points.size() + count / 2 - 1) / (count / 2);
    std::vector<Point> out;
    out.reserve(count + 2);
    for (size_t start = 0; start < points.size(); start += run) {
        const auto first = points.begin() + qsizetype(start);
        const auto end = points.begin() + qsizetype(std::min(start + run, points.size()));
        auto [low, high] =
            std::minmax_element(first, end, [](const Point& a, const Point& b) { return a.value < b.value; });
        if (low > high) std::swap(low, high);
        out.push_back(*low);
        if (high != low) out.push_back(*high);
    }
    return out;
}

double valueOf(const LogEntries::Entry& entry, int measure) {
    switch (measure) {
    case Score:
        return entry.scr;
    case OwnLevel:
        return entry.ownLevelRank >= 0 ? double(entry.ownLevelRank) : std::numeric_limits<double>::quiet_NaN();
    default:
        return entry.cpm;
    }
}

std::vector<Guide> guides(int measure, bool japanese, int standard) {
    const LanguageClass language = japanese ? LanguageClass::Japanese : LanguageClass::English;
    std::vector<Guide> out;
    if (measure == Cpm) {
        if (const GradeScale* scale = standardScale(standard, language))
            for (size_t i = 0; i < scale->bounds.size(); ++i)
                out.push_back({scale->bounds[i], scale->labels[i + 1].trimmed().toString()});
    } else if (measure == Score) {
        // Fewer seconds is a higher level: the bounds read backwards are the SCR needed for each label.
        const GradeScale* scale = ownLevelScale(language);
        for (size_t i = scale->bounds.size(); i-- > 0;)
            out.push_back({ScoreTimesSeconds / scale->bounds[i], scale->labels[i].toString()});
    } else {
        for (QStringView label : OwnLevelGuides)
            out.push_back({double(LogEntries::ownLevelRank(label)), label.toString()});
    }
    return out;
}

Model build(std::span<const LogEntries::Entry> entries, std::span<const qint64> times, const Choice& choice,
            std::span<const Exam> exams) {
    Model model;
    double sum = 0;
    for (size_t i = 0; i < entries.size() && i < times.size(); ++i) {
        if (!keeps(entries[i], choice)) continue;
        const double value = valueOf(entries[i], choice.measure);
        if (std::isnan(value)) continue;
        model.points.push_back({times[i], value, qsizetype(i)});
        sum += value;
        const size_t n = model.points.size();
        if (n > size_t(AverageLength)) sum -= model.points[n - 1 - AverageLength].value;
        model.average.push_back({times[i], sum / double(std::min(n, size_t(AverageLength))), qsizetype(i)});
    }
    if (choice.measure == Cpm && choice.kind != Paragraphs) {
        for (size_t i = 0; i < exams.size(); ++i) {
            const Exam& x = exams[i];
            if (x.japanese == choice.japanese && (choice.textId.isEmpty() || x.textId == choice.textId) &&
                std::isfinite(x.netCpm) && x.netCpm >= 0)
                model.exams.push_back({x.msecs, x.netCpm, qsizetype(i)});
        }
        // The log is written as exams end, but a clock set back would put a line out of order.
        std::stable_sort(model.exams.begin(), model.exams.end(),
                         [](const Point& a, const Point& b) { return a.msecs < b.msecs; });
    }

    const std::vector<Guide> all = guides(choice.measure, choice.japanese, choice.standard);
    fitRange(model, choice.measure, all);
    std::vector<Guide> within;
    for (const Guide& g : all)
        if (g.value >= model.low && g.value <= model.high) within.push_back(g);
    const size_t step = (within.size() + MaxGuides - 1) / MaxGuides;
    for (size_t i = 0; i < within.size(); i += std::max<size_t>(step, 1))
        model.guides.push_back(within[i]);

    if (model.points.empty() && model.exams.empty()) {
        model.last = QDateTime::currentMSecsSinceEpoch();
        model.first = model.last - 7 * DayMsecs;
    } else {
        qint64 first = std::numeric_limits<qint64>::max(), last = std::numeric_limits<qint64>::min();
        for (const std::vector<Point>* shown : {&model.points, &model.exams})
            if (!shown->empty()) {
                first = std::min(first, shown->front().msecs);
                last = std::max(last, shown->back().msecs);
            }
        const qint64 margin = std::max((last - first) / 50, DayMsecs / 2);
        model.first = first - margin;
        model.last = last + margin;
    }
    model.dateFormat = dateFormat(model.last - model.first);
    return model;
}

QString dateFormat(qint64 spanMsecs) {
    if (spanMsecs <= 62 * DayMsecs) return u"MM/dd"_s;
    if (spanMsecs <= 3 * 366 * DayMsecs) return u"yyyy/MM"_s;
    return u"yyyy"_s;
}

QStringList textIds(std::span<const LogEntries::Entry> entries, bool japanese) {
    QStringList out;
    QSet<QString> seen;
    for (const LogEntries::Entry& e : entries)
        if (e.japanese == japanese && !seen.contains(e.id)) {
            seen.insert(e.id);
            out.append(e.id);
        }
    return out;
}

QString describe(const LogEntries::Entry& e, const QString& title) {
    const LogEntries::Figures& f = e.figures;
    const QString kind = e.paragraph == 0 ? u"通し 全体"_s : u"第"_s + QString::number(e.paragraph) + u"段落"_s;
    return e.date.toString(u"yyyy/MM/dd"_s) + u"  "_s + title + u'\n' + kind + u"  字数 "_s +
           QString::number(f.characters) + u"  CPM "_s + f.cpm + u"  LVL "_s + f.grade + u"  SCR "_s + f.scr +
           u"  RV "_s + f.ownLevel;
}

QString examTextId(const ExamLog::Entry& exam) {
    constexpr QStringView SamplePrefix = u"sample:";
    if (exam.textFile.startsWith(SamplePrefix)) {
        const int menuIndex = exam.textFile.mid(SamplePrefix.size()).toInt();
        return RecordFiles::sampleTextId(SampleTexts::isSample(menuIndex) ? menuIndex : 0);
    }
    return RecordFiles::textIdForFileName(exam.textFile);
}

std::vector<Exam> exams(const QList<ExamLog::Entry>& log, std::span<const LogEntries::Entry> entries,
                        const QString& fileBox) {
    std::vector<Exam> out;
    out.reserve(size_t(log.size()));
    QHash<QString, std::optional<bool>> languages; // of the examined texts only
    for (const ExamLog::Entry& x : log) {
        const QString id = examTextId(x);
        // Lines that carry their language need no search.
        if (!x.japanese && !languages.contains(id)) languages.insert(id, std::nullopt);
        // The figure as the log writes it, not its float, so the chart shows what the result showed.
        bool ok = false;
        double netCpm = x.figures.netCpmText.toDouble(&ok);
        if (!ok) netCpm = double(x.figures.netCpm);
        out.push_back({x.when.toMSecsSinceEpoch(), netCpm, id, true});
    }
    // The newest attempt on a text tells its language; the search ends once every text has one.
    qsizetype pending = languages.size();
    for (auto e = entries.rbegin(); e != entries.rend() && pending > 0; ++e) {
        const auto language = languages.find(e->id);
        if (language == languages.end() || language->has_value()) continue;
        *language = e->japanese;
        --pending;
    }
    for (size_t i = 0; i < out.size(); ++i) {
        if (const std::optional<bool> own = log[qsizetype(i)].japanese) {
            out[i].japanese = *own;
            continue;
        }
        std::optional<bool>& language = languages[out[i].textId];
        if (!language) language = languageOfText(log[qsizetype(i)], fileBox);
        out[i].japanese = *language;
    }
    return out;
}

QString describeExam(const ExamLog::Entry& x, const QString& title) {
    const ExamResult::Figures& f = x.figures;
    const QString netCpm = f.netCpmText.isEmpty() ? QString::number(double(f.netCpm), 'f', 1) : f.netCpmText;
    return x.when.toString(u"yyyy/MM/dd HH:mm"_s) + u"  "_s + title + u'\n' + u"試験 %1分"_s.arg(f.minutes) +
           (f.timeUp ? QString() : u"（%1秒で完了）"_s.arg(f.elapsedMs / 1000)) + u"  純字数/分 "_s + netCpm +
           u"  入力 "_s + QString::number(f.tally.typed) + u"  誤り残り "_s + QString::number(f.tally.errorsLeft);
}

} // namespace ProgressChart
