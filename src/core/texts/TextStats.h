#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

/**
 * Character classification and the statistics of a practice text: the nine counts,
 * the paragraph split of a body, the fixed text formats of the counts and the figures
 * derived from them.
 */

/** The six classes every character of a paragraph falls into. */
enum class CharClass { Kanji, Kana, FullOther, HalfAlnum, HalfKana, HalfOther };

/** The nine counts of a text or paragraph. */
struct CharCounts {
    qint32 total = 0;
    qint32 full = 0;
    qint32 half = 0;
    qint32 kanji = 0;
    qint32 kana = 0;
    qint32 fullOther = 0;
    qint32 halfAlnum = 0;
    qint32 halfKana = 0;
    qint32 halfOther = 0;

    /** Recomputes full, half and total from the six class counts. */
    void sumUp();
    /** Adds another count's six classes and sums up. */
    CharCounts& operator+=(const CharCounts& other);
    bool operator==(const CharCounts&) const = default;
};

/** Class of a code page 932 code: 0..0xFF for one byte, lead byte * 256 + trail byte for two. */
CharClass classifyCode(quint16 code);
/** Class of one character from its code page 932 code (unmappable characters count as "?"). */
CharClass classifyChar(char16_t c);

/**
 * Counts a paragraph (classifyChars): trailing half-width spaces removed, ruby readings
 * written 《...》 skipped with their brackets (an unclosed 《 counts as full-width other).
 */
CharCounts classifyChars(QStringView paragraph);

/** Weighted keystroke count: 4 kanji + 2 kana + 1.2 full other + alnum + 2 half kana + half other. */
double weightedKeystrokes(const CharCounts& c);

/** A body split into paragraphs. */
struct ParagraphSplit {
    QStringList paragraphs;        ///< at most MaxSplitParagraphs, trailing spaces removed, none empty
    QList<qsizetype> startOffsets; ///< where each paragraph starts in the body as given
    bool truncated = false;        ///< something followed the 1000th paragraph
};
inline constexpr int MaxSplitParagraphs = 1000;
inline constexpr char16_t TooManyParagraphsMessage[] =
    u"段落数が1000を超えています。テキスト毎の段落数が200以内となるよう文章を分割してください。";

/** Splits a body at CR LF or lone CR (a lone LF is taken as a break too). */
ParagraphSplit splitParagraphs(QStringView body);

// ---- Text formats ------------------------------------------------------------------

/** A count right-aligned in 4 characters; more digits widen the field. */
QString countField(qint64 n);
/** " 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)": the statistics line of a text file. */
QString countsLine(const CharCounts& c);
/** Paragraph number (from 1) as a count field, two spaces, the counts line. */
QString paragraphListLine(int paragraphNumber, const CharCounts& c);
/** "全体  " or " All  " followed by the counts line. */
QString wholeTextLine(const CharCounts& c, bool japaneseDisplay);
/** Column header of the paragraph list in either display mode. */
QString listHeader(bool japaneseDisplay);

/** The nine counts read from a statistics line at their fixed positions (missing fields read 0). */
CharCounts parseStatisticsLine(QStringView line);

// ---- Derived figures ------------------------------------------------------------------

/** "総文字数 455文字". */
QString characterCountCaption(const CharCounts& c);
/** "漢字含有率  45.71％". A text without characters shows 0. */
QString kanjiRatioCaption(const CharCounts& c);
/** "半角含有率   0.00％". */
QString halfRatioCaption(const CharCounts& c);
/** Text kind: Japanese when full / total >= 0.5 (false for an empty text). */
bool isJapaneseText(const CharCounts& c);
/** Whether a text's results may be graded: fully, provisionally (short or few kanji) or not at all. */
enum class Eligibility { Available, Provisional, Unavailable };
/** The eligibility of a text with these counts. */
Eligibility eligibility(const CharCounts& c);
/** "実務能力判定　可", "実務能力(仮)判定" or "実務能力判定不可". */
QString eligibilityCaption(Eligibility e);
/** The caption of the eligibility of a text with these counts. */
QString judgementAvailability(const CharCounts& c);

// ---- Limits ---------------------------------------------------------------------------

inline constexpr int MaxTextChars = 9999;
inline constexpr int MaxParagraphs = 200;
inline constexpr int MaxParagraphChars = 800;

/** Every violated limit's message, in the order whole text, paragraph count, each long paragraph. */
QStringList limitViolations(const CharCounts& whole, const QList<CharCounts>& paragraphs);

/** Line 5 of a new text and the empty best-times line: "99999.99" ten times joined by ",". */
inline constexpr char16_t NoRecordLine[] =
    u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99";
