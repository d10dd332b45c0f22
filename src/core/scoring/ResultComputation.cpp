#include "core/scoring/ResultComputation.h"

#include "core/practice/AttemptControl.h"
#include "core/practice/CurrentText.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "core/util/BasicFunctions.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ResultComputation {
namespace {

// A ratio bound as a fraction, so that count ÷ characters is compared without rounding.
struct Fraction {
    qint64 numerator;
    qint64 denominator;
};

// Upper bounds of "☆", "◎", "○" and "△" for each row; above the last bound is "×".
constexpr Fraction Bounds[OperationCount][4] = {
    {{1, 20}, {1, 10}, {1, 5}, {3, 10}},   // 変換: 0.05, 0.1, 0.2, 0.3
    {{1, 100}, {1, 50}, {1, 25}, {3, 50}}, // 確定: 0.01, 0.02, 0.04, 0.06
    {{0, 1}, {1, 50}, {1, 20}, {1, 10}},   // 訂正: 0, 0.02, 0.05, 0.1
    {{0, 1}, {1, 50}, {1, 20}, {1, 10}},   // 修正: the same
};

constexpr const char16_t* MarksBestFirst[] = {MarkBest, MarkGood, MarkFair, MarkPoor, MarkBad};

// count ÷ characters > bound. Without characters any count above zero is above every bound.
bool ratioAbove(qint32 count, qint32 characters, Fraction bound) {
    if (characters <= 0) return count > 0;
    return qint64(count) * bound.denominator > bound.numerator * qint64(characters);
}

QString ownLevelOf(LanguageClass language, double seconds400Numerator, double weighted, const QString& start) {
    // A text without weighted keystrokes (empty or damaged counts) has nothing to grade.
    if (!(weighted > 0.0)) return start;
    return ownLevel(language, float(seconds400Numerator / weighted), start);
}

bool isFilledTime(float t) {
    return std::isfinite(t) && t > 0.0f && t <= 99999.0f;
}

} // namespace

bool greyGrades(Eligibility eligibility) {
    return eligibility != Eligibility::Available;
}

QString operationRate(qint32 count, qint32 characters) {
    if (characters <= 0) return count > 0 ? QString::fromUtf16(Overflow) : u"0.0"_s;
    if (count >= characters) return QString::fromUtf16(Overflow);
    return basic::Format(double(count) * 100.0 / double(characters), u"#0.0");
}

QString operationMark(Operation row, qint32 count, qint32 characters, qint32 paragraphExemption) {
    if ((row == Conversion || row == Confirmation) && (count <= 1 || count <= paragraphExemption))
        return QString::fromUtf16(MarkBest);
    // From "×" towards "☆": the first bound the ratio lies above decides.
    for (int band = 3; band >= 0; --band)
        if (ratioAbove(count, characters, Bounds[row][band])) return QString::fromUtf16(MarksBestFirst[band + 1]);
    return QString::fromUtf16(MarkBest);
}

ResultFigures computeResult(const ResultInput& in) {
    ResultFigures f;
    const CharCounts& c = in.counts;
    const LanguageClass language = languageClass(c);
    f.elapsedMs = std::max(in.elapsedMs, MinimumElapsedMs);
    const double elapsed = f.elapsedMs;

    f.keystrokes = QString::number(in.keystrokes);
    for (int r = 0; r < OperationCount; ++r) {
        const qint32 count = in.operations[size_t(r)];
        f.rows[size_t(r)] = {QString::number(count), operationRate(count, c.total),
                             operationMark(Operation(r), count, c.total, in.paragraphExemption)};
    }

    const double cpm = double(c.total) * 60000.0 / elapsed;
    f.cpm = basic::Format(cpm, u"#0.0");
    f.cpmValue = float(cpm);
    f.grade = gradeForStandard(in.standard, language, f.cpmValue);

    const double weighted = weightedKeystrokes(c);
    f.scr = basic::Format(weighted * 60000.0 / elapsed, u"#0.0");
    f.ownLevel = ownLevelOf(language, elapsed * 0.4, weighted, in.ownLevelStart);

    f.japaneseOperations = language == LanguageClass::Japanese;
    if (!f.japaneseOperations) {
        // Only corrections of committed text mean the same without an input method.
        const QString dash = QString::fromUtf16(NotCounted);
        for (int r : {Conversion, Confirmation, Revision})
            f.rows[size_t(r)] = {dash, dash, dash};
    }
    f.greyGrades = greyGrades(in.eligibility);
    return f;
}

BestTimesUpdate updateBestTimes(const BestTimes& times, qint32 elapsedMs) {
    BestTimesUpdate u;
    u.times = times;
    u.seconds = float(double(std::max(elapsedMs, MinimumElapsedMs)) / 1000.0);
    u.newBest = u.seconds < times[0];
    for (int i = 0; i < 10; ++i) {
        if (u.seconds < times[size_t(i)]) {
            u.row = i;
            break;
        }
    }
    if (u.row < 0) return u;
    for (int i = 9; i > u.row; --i)
        u.times[size_t(i)] = u.times[size_t(i - 1)];
    u.times[size_t(u.row)] = u.seconds;
    return u;
}

AttemptResult computeAttempt(const CurrentText& text, const SettingsTable& settings, const AttemptSummary& s) {
    AttemptResult r;
    r.wholeText = s.practiceMode == 0;
    ResultInput in;
    in.counts = text.counts;
    in.elapsedMs = s.elapsedMs;
    in.keystrokes = s.counters.keystrokes;
    in.operations = {s.counters.conversions, s.counters.confirmations, s.counters.correctionCount,
                     s.counters.revisionCount};
    in.standard = settings.number(Options::Standard);
    in.paragraphExemption = r.wholeText ? text.paragraphCount() : 0;
    in.eligibility = eligibility(text.counts);
    r.figures = computeResult(in);
    r.best.times = text.bestTimes;
    if (r.wholeText) r.best = updateBestTimes(text.bestTimes, s.elapsedMs);
    return r;
}

QString regrade(const CharCounts& counts, qint32 elapsedMs, int standard) {
    const double cpm = double(counts.total) * 60000.0 / double(std::max(elapsedMs, MinimumElapsedMs));
    return gradeForStandard(standard, languageClass(counts), float(cpm));
}

BestList bestList(const BestListInput& in) {
    BestList list;
    const LanguageClass language = languageClass(in.counts);
    const double weighted = weightedKeystrokes(in.counts);
    const bool grey = greyGrades(in.eligibility);
    for (int i = 0; i < 10; ++i) {
        BestListRow& row = list[size_t(i)];
        row.red = i == in.redRow;
        row.greyGrades = grey;
        const float t = in.times[size_t(i)];
        if (!isFilledTime(t)) continue;
        row.filled = true;
        const double seconds = t;
        const double cpm = double(in.counts.total) * 60.0 / seconds;
        row.cpm = basic::Format(cpm, u"0");
        row.cpmTip = basic::Format(cpm, u"0.00");
        row.grade = gradeForStandard(in.standard, language, float(cpm));
        const double scr = weighted * 60.0 / seconds;
        row.scr = basic::Format(scr, u"0");
        row.scrTip = basic::Format(scr, u"0.00");
        row.ownLevel = ownLevelOf(language, seconds * 400.0, weighted, in.ownLevelStart);
    }
    return list;
}

} // namespace ResultComputation
