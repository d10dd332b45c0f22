#include "core/scoring/GradeScales.h"

#include "core/util/BasicFunctions.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// NoGrade as a view with its length given: a view built from the array itself has to search
// it for the terminator, which GCC does not accept in a constant expression under
// -fsanitize=undefined.
constexpr QStringView NoGradeLabel{NoGrade, std::size(NoGrade) - 1};

// Both languages of a standard share one ladder of labels and differ only in their bounds,
// so each ladder is written once.

constexpr QStringView Standard0Labels[] = {
    u"10E", u"10D", u"10C", u"10B", u"10A", u"9級", u"8級", u"7級", u"6級", u"5級", u"4級", u"3級", u"準2",
    u"2級", u"準1", u"1級", u"S段", u"2段", u"3段", u"4段", u"5段", u"6段", u"7段", u"8段", u"9段", u"Z段",
};
constexpr float Standard0JapaneseBounds[] = {8,  12,  15,  18,  20,  23,  25,  27,  29,  31,  33,  41, 50,
                                             66, 104, 150, 167, 183, 200, 217, 233, 250, 267, 283, 300};
constexpr float Standard0EnglishBounds[] = {17, 24,  31,  34,  38,  41,  44,  47,  49,  52,  54,  63, 73,
                                            92, 165, 233, 300, 367, 433, 500, 567, 633, 700, 767, 833};

constexpr QStringView Standard1Labels[] = {u"D級", u"C級", u"B級", u"A級", u"S級"};
constexpr float Standard1JapaneseBounds[] = {40, 60, 80, 90};
constexpr float Standard1EnglishBounds[] = {150, 200, 250, 300};

constexpr QStringView Standard2Labels[] = {NoGradeLabel, u"5級", u"4級", u"3級", u"2級", u"1級", u"S段"};
constexpr float Standard2JapaneseBounds[] = {10, 30, 50, 70, 100, 150};
constexpr float Standard2EnglishBounds[] = {20, 60, 100, 140, 200, 300};

constexpr QStringView Standard3Labels[] = {NoGradeLabel, u"4級", u"3級", u"2級", u"1級"};
constexpr float Standard3JapaneseBounds[] = {20, 30, 45, 70};

constexpr QStringView Standard4Labels[] = {NoGradeLabel, u"4級", u"3級", u"準2", u"2級", u"準1", u"1級", u"S段"};
constexpr float Standard4JapaneseBounds[] = {20, 30, 40, 50, 60, 70, 80};

// Own level: seconds per 400 weighted keystrokes, so the best label comes first.
constexpr QStringView OwnLevelLabels[] = {
    u"ZS", u"ZA", u"ZB", u"ZC", u"ZD", u"ZE", u"ZF", u"ZG", u"ZH", u"ZI", u"ZJ", u"XX", u"XS", u"XA", u"XB",
    u"XC", u"XD", u"XE", u"XF", u"XG", u"XH", u"XI", u"XJ", u"SS", u"SA", u"SB", u"SC", u"SD", u"SE", u"SF",
    u"SG", u"SH", u"SI", u"SJ", u"A",  u"B",  u"C",  u"D",  u"E",  u"F",  u"G",  u"H",  u"I",  u"J",  u"-",
};
constexpr float OwnLevelJapaneseBounds[] = {
    10, 12, 14, 16,  18,  20,  22,  24,  26,  28,  30,     // ZS..ZJ
    32, 34, 36, 38,  40,  42,  44,  46,  48,  50,  52, 54, // XX, XS..XJ
    56, 58, 60, 62,  64,  66,  68,  70,  72,  74,  76,     // SS..SJ
    80, 86, 94, 104, 116, 130, 146, 164, 184, 206,         // A..J
};
constexpr float OwnLevelEnglishBounds[] = {
    14, 16, 18, 20,  22,  24,  26,  28,  30,  32,  34,     // ZS..ZJ
    36, 38, 40, 42,  44,  46,  48,  50,  52,  54,  56, 58, // XX, XS..XJ
    60, 62, 64, 66,  68,  70,  72,  74,  76,  78,  80,     // SS..SJ
    84, 90, 98, 108, 120, 134, 150, 168, 188, 210,         // A..J
};

template <size_t B, size_t L> constexpr bool isWellFormed(const float (&bounds)[B], const QStringView (&)[L]) {
    if (L != B + 1) return false;
    for (size_t i = 1; i < B; ++i)
        if (!(bounds[i - 1] < bounds[i])) return false;
    return true;
}

// A bound out of order would make the lookup skip a band silently, so the build checks them.
static_assert(isWellFormed(Standard0JapaneseBounds, Standard0Labels));
static_assert(isWellFormed(Standard0EnglishBounds, Standard0Labels));
static_assert(isWellFormed(Standard1JapaneseBounds, Standard1Labels));
static_assert(isWellFormed(Standard1EnglishBounds, Standard1Labels));
static_assert(isWellFormed(Standard2JapaneseBounds, Standard2Labels));
static_assert(isWellFormed(Standard2EnglishBounds, Standard2Labels));
static_assert(isWellFormed(Standard3JapaneseBounds, Standard3Labels));
static_assert(isWellFormed(Standard4JapaneseBounds, Standard4Labels));
static_assert(isWellFormed(OwnLevelJapaneseBounds, OwnLevelLabels));
static_assert(isWellFormed(OwnLevelEnglishBounds, OwnLevelLabels));

constexpr GradeScale Standard0Japanese{Standard0JapaneseBounds, Standard0Labels};
constexpr GradeScale Standard0English{Standard0EnglishBounds, Standard0Labels};
constexpr GradeScale Standard1Japanese{Standard1JapaneseBounds, Standard1Labels};
constexpr GradeScale Standard1English{Standard1EnglishBounds, Standard1Labels};
constexpr GradeScale Standard2Japanese{Standard2JapaneseBounds, Standard2Labels};
constexpr GradeScale Standard2English{Standard2EnglishBounds, Standard2Labels};
constexpr GradeScale Standard3Japanese{Standard3JapaneseBounds, Standard3Labels};
constexpr GradeScale Standard4Japanese{Standard4JapaneseBounds, Standard4Labels};
constexpr GradeScale OwnLevelJapanese{OwnLevelJapaneseBounds, OwnLevelLabels};
constexpr GradeScale OwnLevelEnglish{OwnLevelEnglishBounds, OwnLevelLabels};

// Indexed by standard; standards 3 and 4 certify Japanese word processing only.
constexpr const GradeScale* JapaneseScales[StandardCount] = {&Standard0Japanese, &Standard1Japanese, &Standard2Japanese,
                                                             &Standard3Japanese, &Standard4Japanese};
constexpr const GradeScale* EnglishScales[StandardCount] = {&Standard0English, &Standard1English, &Standard2English,
                                                            nullptr, nullptr};

QString gradeOnScale(const GradeScale& scale, float value) {
    // upper_bound finds the first bound with value < bound, so a value on a bound lands in the next band.
    const auto band = std::upper_bound(scale.bounds.begin(), scale.bounds.end(), value);
    return scale.labels[size_t(band - scale.bounds.begin())].toString();
}

/** A grade label's half-width forms. */
struct ShortForm {
    QStringView label;     ///< as trimmed from a record line
    QStringView shortForm; ///< always three characters
    int width;             ///< characters the label fills in a record line
};

// The one list of short forms. A two-character label is two full-width characters, four
// columns wide, which is why the log window pads its three-character short form to four.
constexpr ShortForm ShortForms[] = {
    {u"-", NoGradeLabel, 3}, {u"10E", u"10E", 3}, {u"10D", u"10D", 3}, {u"10C", u"10C", 3}, {u"10B", u"10B", 3},
    {u"10A", u"10A", 3},     {u"9級", u"9ky", 2}, {u"8級", u"8ky", 2}, {u"7級", u"7ky", 2}, {u"6級", u"6ky", 2},
    {u"5級", u"5ky", 2},     {u"4級", u"4ky", 2}, {u"3級", u"3ky", 2}, {u"準2", u"2k*", 2}, {u"2級", u"2ky", 2},
    {u"準1", u"1k*", 2},     {u"1級", u"1ky", 2}, {u"S段", u"Sda", 2}, {u"2段", u"2da", 2}, {u"3段", u"3da", 2},
    {u"4段", u"4da", 2},     {u"5段", u"5da", 2}, {u"6段", u"6da", 2}, {u"7段", u"7da", 2}, {u"8段", u"8da", 2},
    {u"9段", u"9da", 2},     {u"Z段", u"Zda", 2}, {u"D級", u"Dky", 2}, {u"C級", u"Cky", 2}, {u"B級", u"Bky", 2},
    {u"A級", u"Aky", 2},
};
// Anything else: in practice "S級", the top grade of standard 1.
constexpr ShortForm UnlistedShortForm{u"", u"Sky", 2};

const ShortForm& shortFormOf(QStringView label) {
    const QString trimmed = basic::Trim(label);
    const auto found = std::find_if(std::begin(ShortForms), std::end(ShortForms),
                                    [&](const ShortForm& form) { return form.label == trimmed; });
    return found != std::end(ShortForms) ? *found : UnlistedShortForm;
}

} // namespace

LanguageClass languageClass(const CharCounts& counts) {
    if (counts.total <= 0) return LanguageClass::Mixed;
    // part / total >= 0.8 in whole numbers, so no rounding can move a text across the line.
    const auto reaches80Percent = [&](qint32 part) { return 5 * qint64(part) >= 4 * qint64(counts.total); };
    // English is tested first. Both tests can hold only for damaged counts whose full-width
    // and half-width parts add up to more than the total.
    if (reaches80Percent(counts.half)) return LanguageClass::English;
    if (reaches80Percent(counts.full)) return LanguageClass::Japanese;
    return LanguageClass::Mixed;
}

const GradeScale* standardScale(int standard, LanguageClass language) {
    // A standard index out of range (a damaged settings file) has no table rather than a wrong one.
    if (standard < 0 || standard >= StandardCount) return nullptr;
    switch (language) {
    case LanguageClass::Japanese:
        return JapaneseScales[standard];
    case LanguageClass::English:
        return EnglishScales[standard];
    case LanguageClass::Mixed:
        break;
    }
    return nullptr;
}

const GradeScale* ownLevelScale(LanguageClass language) {
    switch (language) {
    case LanguageClass::Japanese:
        return &OwnLevelJapanese;
    case LanguageClass::English:
        return &OwnLevelEnglish;
    case LanguageClass::Mixed:
        break;
    }
    return nullptr;
}

QString gradeForStandard(int standard, LanguageClass language, float cpm) {
    const GradeScale* scale = standardScale(standard, language);
    // A value that is not a number passes no bound and would otherwise earn the top grade.
    if (!scale || std::isnan(cpm)) return QString::fromUtf16(NoGrade);
    return gradeOnScale(*scale, cpm);
}

QString ownLevel(LanguageClass language, float secondsPer400, QStringView ungraded) {
    const GradeScale* scale = ownLevelScale(language);
    if (!scale || std::isnan(secondsPer400)) return ungraded.toString();
    return gradeOnScale(*scale, secondsPer400);
}

QString shortGrade(QStringView label) {
    return shortFormOf(label).shortForm.toString();
}

int gradeLabelWidth(QStringView label) {
    return shortFormOf(label).width;
}

QString shortGradeForBestList(QStringView line) {
    // A damaged line that ends before the grade has nothing to shorten; appending a form would only add noise.
    if (line.size() < 44) return line.toString();
    const QString label = basic::Mid(line, 44, 3);
    const ShortForm& form = shortFormOf(label);
    return basic::Left(line, 43) + form.shortForm.toString() + basic::Mid(line, 44 + form.width);
}

QString shortGradeForLog(QStringView gradeField) {
    const ShortForm& form = shortFormOf(gradeField);
    QString logForm = form.shortForm.toString();
    if (form.width == 2) logForm += u' ';
    return logForm;
}
