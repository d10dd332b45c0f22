#include "core/texts/TextStats.h"

#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

void CharCounts::sumUp() {
    full = kanji + kana + fullOther;
    half = halfAlnum + halfKana + halfOther;
    total = full + half;
}

CharCounts& CharCounts::operator+=(const CharCounts& other) {
    kanji += other.kanji;
    kana += other.kana;
    fullOther += other.fullOther;
    halfAlnum += other.halfAlnum;
    halfKana += other.halfKana;
    halfOther += other.halfOther;
    sumUp();
    return *this;
}

CharClass classifyCode(quint16 code) {
    if (code <= 0xFF) {
        if ((code >= 0x30 && code <= 0x39) || (code >= 0x41 && code <= 0x5A) || (code >= 0x61 && code <= 0x7A))
            return CharClass::HalfAlnum;
        if (code >= 0xA6 && code <= 0xDD) return CharClass::HalfKana;
        // Includes the half-width punctuation ｡｢｣､･ and the sound marks ﾞﾟ, which are not kana.
        return CharClass::HalfOther;
    }
    // 0xFA40..0xFA5B (IBM extension symbols such as ⅰ and ＂) sit inside the kanji rows.
    if (code >= 0xFA40 && code <= 0xFA5B) return CharClass::FullOther;
    if (code >= 0x889F) return CharClass::Kanji;
    if (code >= 0x839F) return CharClass::FullOther;
    if (code >= 0x829F) return CharClass::Kana;
    // The long-vowel mark is typed as part of a kana word, unlike 々 or the iteration marks.
    if (code == 0x815B) return CharClass::Kana;
    return CharClass::FullOther;
}

CharClass classifyChar(char16_t c) {
    return classifyCode(cp932::code(c));
}

namespace {

void addOne(CharCounts& counts, CharClass cls) {
    switch (cls) {
    case CharClass::Kanji:
        ++counts.kanji;
        break;
    case CharClass::Kana:
        ++counts.kana;
        break;
    case CharClass::FullOther:
        ++counts.fullOther;
        break;
    case CharClass::HalfAlnum:
        ++counts.halfAlnum;
        break;
    case CharClass::HalfKana:
        ++counts.halfKana;
        break;
    case CharClass::HalfOther:
        ++counts.halfOther;
        break;
    }
}

} // namespace

CharCounts classifyChars(QStringView paragraph) {
    const QStringView text = basic::RTrimmedView(paragraph);
    const qsizetype n = text.size();
    CharCounts counts;
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i].unicode();
        if (c == u'《') {
            const qsizetype close = text.indexOf(u'》', i + 1);
            if (close >= 0) {
                // The reading is skipped together with its brackets; the character after 》
                // is counted as it is, even when it opens another reading.
                i = close + 1;
                if (i >= n) break;
                c = text[i].unicode();
            }
        }
        addOne(counts, classifyCode(cp932::code(c)));
    }
    counts.sumUp();
    return counts;
}

double weightedKeystrokes(const CharCounts& c) {
    return 4.0 * c.kanji + 2.0 * c.kana + 1.2 * c.fullOther + c.halfAlnum + 2.0 * c.halfKana + c.halfOther;
}

ParagraphSplit splitParagraphs(QStringView body) {
    ParagraphSplit split;
    const qsizetype n = body.size();
    qsizetype pos = 0;
    while (pos < n) {
        if (split.paragraphs.size() == MaxSplitParagraphs) {
            // A blank line or a further paragraph is still unread.
            split.truncated = true;
            break;
        }
        qsizetype end = pos;
        while (end < n && body[end] != u'\r' && body[end] != u'\n')
            ++end;
        const QStringView line = basic::RTrimmedView(body.mid(pos, end - pos));
        if (!line.isEmpty()) {
            split.paragraphs.append(line.toString());
            split.startOffsets.append(pos);
        }
        pos = end < n && body[end] == u'\r' && end + 1 < n && body[end + 1] == u'\n' ? end + 2 : end + 1;
    }
    return split;
}

QString countField(qint64 n) {
    return basic::RightAligned(n, 4);
}

QString countsLine(const CharCounts& c) {
    QString line;
    line.reserve(48);
    line += countField(c.total);
    line += u" (";
    line += countField(c.full);
    line += u',';
    line += countField(c.half);
    line += u")(";
    line += countField(c.kanji);
    line += u',';
    line += countField(c.kana);
    line += u',';
    line += countField(c.fullOther);
    line += u")(";
    line += countField(c.halfAlnum);
    line += u',';
    line += countField(c.halfKana);
    line += u',';
    line += countField(c.halfOther);
    line += u')';
    return line;
}

QString paragraphListLine(int paragraphNumber, const CharCounts& c) {
    return countField(paragraphNumber) + u"  "_s + countsLine(c);
}

QString wholeTextLine(const CharCounts& c, bool japaneseDisplay) {
    return (japaneseDisplay ? u"全体  "_s : u" All  "_s) + countsLine(c);
}

QString listHeader(bool japaneseDisplay) {
    return japaneseDisplay ? u"段落  字数 (全角,半角)(漢字,かな,全他)(半英,半ｶﾅ,半他)"_s
                           : u"Para   No. (Full,Half)(Kanj,Kana,FuOt)(Engl,HaKa,HaOt)"_s;
}

namespace {

// A field of the statistics line: Val of the four characters, made a valid count. A damaged
// file can hold a sign, a fraction or an exponent there; none may become a negative count or
// overflow the integer.
qint32 countAt(QStringView line, qsizetype position) {
    const double value = basic::Val(basic::Mid(line, position, 4));
    if (!(value > 0.0)) return 0;
    if (value >= double(std::numeric_limits<qint32>::max())) return std::numeric_limits<qint32>::max();
    // The original conversion to a whole number rounds half to even.
    return qint32(std::nearbyint(value));
}

} // namespace

CharCounts parseStatisticsLine(QStringView line) {
    CharCounts c;
    c.total = countAt(line, 1);
    c.full = countAt(line, 7);
    c.half = countAt(line, 12);
    c.kanji = countAt(line, 18);
    c.kana = countAt(line, 23);
    c.fullOther = countAt(line, 28);
    c.halfAlnum = countAt(line, 34);
    c.halfKana = countAt(line, 39);
    c.halfOther = countAt(line, 44);
    return c;
}

namespace {

// A text without characters has no ratios; 0 keeps every caption and test defined.
double ratio(qint32 part, qint32 total) {
    return total > 0 ? double(part) / double(total) : 0.0;
}

QString percentCaption(QStringView label, qint32 part, qint32 total) {
    const double percent = total > 0 ? double(part) * 100.0 / double(total) : 0.0;
    const QString value = basic::Format(percent, u"#0.00");
    return label.toString() + basic::FormatAt(value, u"@@@@@@") + QChar(u'％');
}

} // namespace

QString characterCountCaption(const CharCounts& c) {
    return u"総文字数 "_s + QString::number(c.total) + u"文字"_s;
}

QString kanjiRatioCaption(const CharCounts& c) {
    return percentCaption(u"漢字含有率 ", c.kanji, c.total);
}

QString halfRatioCaption(const CharCounts& c) {
    return percentCaption(u"半角含有率 ", c.half, c.total);
}

bool isJapaneseText(const CharCounts& c) {
    return c.total > 0 && ratio(c.full, c.total) >= 0.5;
}

Eligibility eligibility(const CharCounts& c) {
    const double full = ratio(c.full, c.total);
    const double half = ratio(c.half, c.total);
    const double kanji = ratio(c.kanji, c.total);
    if (full < 0.8 && half < 0.8) return Eligibility::Unavailable;
    if (full >= 0.8 && c.total < 200) return Eligibility::Provisional;
    if (full >= 0.8 && kanji < 0.25) return Eligibility::Provisional;
    if (half >= 0.8 && c.total < 200) return Eligibility::Provisional;
    return Eligibility::Available;
}

QString eligibilityCaption(Eligibility e) {
    switch (e) {
    case Eligibility::Unavailable:
        return u"実務能力判定不可"_s;
    case Eligibility::Provisional:
        return u"実務能力(仮)判定"_s;
    case Eligibility::Available:
        break;
    }
    return u"実務能力判定　可"_s;
}

QString judgementAvailability(const CharCounts& c) {
    return eligibilityCaption(eligibility(c));
}

QStringList limitViolations(const CharCounts& whole, const QList<CharCounts>& paragraphs) {
    QStringList messages;
    if (whole.total > MaxTextChars) messages.append(u"全体の文字数が9999文字を超えています"_s);
    if (paragraphs.size() > MaxParagraphs) messages.append(u"段落数が200段落を超えています"_s);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (paragraphs[i].total > MaxParagraphChars)
            messages.append(u"第"_s + basic::RightAligned(i + 1, 3) + u"段落が800文字を超えています"_s);
    }
    return messages;
}
