#pragma once

#include "core/practice/Session.h"

#include <QString>
#include <QStringList>

#include <array>

/**
 * Loading the current practice text (a file of FileBox or a built-in sample), the
 * end-of-paragraph space option, whole-text and paragraph practice and the steps
 * between paragraphs. The main window calls these and shows `view()`.
 */
namespace TextLoading {

/** Largest practice-text file read (a valid text is far smaller). */
inline constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

/** The whole text's counts from its statistics line, counted from the paragraphs when the line is unreadable. */
CharCounts wholeTextCounts(const CurrentText& text);

/** True for a plain file name (no folder part, no "." or ".."), the only kind ever opened in FileBox. */
bool isPlainFileName(const QString& name);

/** Character cells a line takes on screen: every character outside 《reading》 brackets. */
int segmentCellCount(QStringView line);

/**
 * Reads a practice-text file of FileBox: code page 932, lines ended by CR LF (a lone CR
 * or LF is accepted too), blank lines after the last paragraph ignored. Returns the
 * lines, or an empty list with a message saying why the text cannot be practised.
 */
QStringList readPracticeFile(const QString& fileBox, const QString& name, QString* error);

/**
 * The lines of a practice-text file's bytes (code page 932; CR LF, CR or LF), checked.
 * Returns an empty list and *problem when the bytes cannot be practised, among them a
 * blank line between paragraphs (the problem names the line).
 */
QStringList practiceLinesFromBytes(QByteArrayView bytes, QString* problem);

/** Why these lines cannot be practised, or an empty string when they can. */
QString checkPracticeLines(const QStringList& lines);

/**
 * loadOwnText: loads the file named in settings entry 200. On failure nothing changes
 * and *error says why (the caller falls back to the chosen sample).
 */
bool loadOwnText(Session& m, QString* error);

/** loadSampleText: loads sample `menuIndex` (an index that holds no sample loads sample 0). */
void loadSampleText(Session& m, int menuIndex);

/**
 * The sample menu: makes sample `menuIndex` the current text from its first paragraph,
 * forgetting the current file name.
 */
void chooseSample(Session& m, int menuIndex);

/** What loadCurrentText loaded. */
enum class LoadResult {
    OwnText,  ///< the file of entry 200
    Sample,   ///< the chosen sample, no file being current
    Missing,  ///< the chosen sample: the file of entry 200 no longer exists
    Unusable, ///< the chosen sample: the file of entry 200 exists but cannot be practised
};

/**
 * Start-up and fallback: loads the file of entry 200, or the chosen sample when there is
 * none or it cannot be practised. On a fallback entry 200 is cleared and *error says why.
 */
LoadResult loadCurrentText(Session& m, QString* error);

/** Whole-text practice (wholeTextAction): the text is not reloaded; spaces appended earlier stay. */
void wholeTextPractice(Session& m);

/** Paragraph practice of paragraph `index` (from the paragraph selection). */
void paragraphPractice(Session& m, int index);

/** Next / previous paragraph in paragraph practice; nothing happens at the ends. */
void nextParagraph(Session& m);
void previousParagraph(Session& m);

/** Which menu items the loaded text and mode enable and check (ready state). */
struct MenuState {
    bool wholeChecked = true;            ///< wholeTextAction
    bool paragraphChecked = false;       ///< paragraphsAction
    bool paragraphEnabled = true;        ///< paragraphsAction
    bool chooseParagraphEnabled = false; ///< chooseParagraphAction
    bool previousEnabled = false;        ///< previousParagraphAction
    bool nextEnabled = false;            ///< nextParagraphAction
    bool detailsEnabled = true;          ///< bestDetailsAction, lastDetailsAction
    bool editCurrentEnabled = false;     ///< editCurrentTextAction
    std::array<bool, 5> standardEnabled{true, true, true, true, true};
    int standardChecked = 0;
    int sampleChecked = -1; ///< checked item of sampleActions, -1 for none
};

/** Captions of the main window for the loaded text. */
struct TextView {
    QString title;               ///< titleLabel (shown as plain text, so "&" needs no doubling)
    QString modeLine;            ///< modeLabel
    bool paragraphPanel = false; ///< paragraphNoticePanel
    QString totalChars;          ///< 文字数 of the result panel
    QString countCaption;        ///< charCountLabel
    QString kanjiCaption;        ///< kanjiRatioLabel
    QString halfCaption;         ///< halfWidthRatioLabel
    Eligibility eligibility = Eligibility::Available;
    QString eligibilityCaption; ///< eligibilityLabel
    QString targetLine;         ///< targetLabel; empty when no target is set
    MenuState menus;
};

TextView view(const Session& m);

/** The active target: the Japanese target for a text at least half full-width, else the English one. */
void updateActiveTarget(Session& m);

/** The target line: "目標：13分20秒 150CPM" for 2000 characters at 150 CPM; empty below 1 CPM. */
QString targetLine(qint32 totalChars, qint32 target);

/** The line with every reading 《...》 left out, brackets included (an unclosed 《 leaves out the rest). */
QString withoutReadings(QStringView line);

} // namespace TextLoading
