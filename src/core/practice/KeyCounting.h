#pragma once

#include "core/practice/AttemptControl.h"
#include "core/practice/KeyState.h"
#include "core/texts/TextStats.h"

#include <QString>
#include <QStringList>

#include <array>

/** The marks of the key log and of the operation strings the details window replays. */
namespace OperationMark {
inline constexpr char16_t Conversion = u'□';   ///< a conversion key (変換)
inline constexpr char16_t Confirmation = u'■'; ///< Enter in a composition (確定)
inline constexpr char16_t Revision = u'＜';    ///< a correction while composing (修正)
inline constexpr char16_t Correction = u'≪';   ///< a deletion of committed input (訂正)
} // namespace OperationMark

/**
 * Counts the keystrokes of an attempt and recognises the input method's operations from
 * the key-downs, with the held state of each operation key, because the input method
 * swallows the keys of a composition: they arrive as the process-key code 229, not as
 * their own codes. Every recognised operation and every typed character goes into the
 * key log (operationList()), from which the operation string of a completed paragraph is built.
 *
 * The window calls keyDown before the key's keyPress and before the text change the key
 * causes, and only while the attempt runs; keyUp on every key-up. The counters belong to
 * the attempt, which resets them.
 */
class KeyCounting {
public:
    /** Counts into `counters` (the attempt's, kept by reference for the life of the window). */
    explicit KeyCounting(AttemptCounters& counters) : m_counters(counters) {}

    /** keyMark: sets and returns LastMark from the operation keys held now (0 when none is new). */
    char16_t keyMark(const KeyState& keys);

    /**
     * A key-down while the attempt runs. `keyCode` is the key's own code, or 229 when the
     * input method used the key; `inputEmpty` says whether the input box is empty before
     * the key acts. Returns whether the key was counted as a keystroke (Shift alone and
     * a deletion in an empty box are not).
     */
    bool keyDown(int keyCode, const KeyState& keys, int inputMethodStatus, bool inputEmpty);

    /** A key-up: every operation key that is no longer held may mark again. */
    void keyUp(const KeyState& keys);

    /** A typed character (never Enter): a space takes back the conversion its key counted. */
    void keyPress(QChar c, int inputMethodStatus);

    /** The attempt reset: empties the key log. Held keys stay held; only their release clears them. */
    void reset();

    /**
     * The operation string of the paragraph just completed, built from the key log, which
     * it consumes: the next paragraph starts with an empty log.
     */
    QString operationString();

    /**
     * The operation string of a key log: typed characters in order with "≪" in place; the
     * marks of a composition wait and follow the characters it produced.
     */
    static QString buildOperationString(const QStringList& log);

    /** The key log: "d" + mark + status for an operation, "p" + character + status for a character. */
    const QStringList& operationList() const { return m_operationList; }

private:
    static constexpr int HeldKeyCount = 16;

    AttemptCounters& m_counters;
    std::array<bool, HeldKeyCount> m_held{};
    char16_t m_lastMark = 0; ///< LastMark; 0 is the empty mark
    QStringList m_operationList;
};

/** The colours of the speed gauge. */
enum class GaugeColour { Red, Yellow, Blue };

/** The gauge colour as 0xRRGGBB (red below 80 % of the target, yellow below 100 %, blue from there). */
constexpr quint32 gaugeRgb(GaugeColour colour) {
    return colour == GaugeColour::Red ? 0xFF0000u : colour == GaugeColour::Yellow ? 0xFFFF00u : 0x0000FFu;
}

/** What the live figures are computed from on an input change. */
struct LiveFigureInput {
    qint32 doneChars = 0;
    qint32 correctPrefix = 0;
    qint32 total = 0; ///< characters of the practised text
    qint32 extra = 0; ///< the appended paragraph-end spaces (extraCharacters)
    quint32 lastTick = 0;
    quint32 attemptStart = 0;
    int trackWidth = 0;     ///< width of the bars' track (progressTrack), pixels
    qint32 targetSpeed = 0; ///< the active target speed, characters per minute; 0 means no gauge
    int gaugeWidth = 0;     ///< the gauge's present width, kept when there is no target
};

/** The live figures to show. */
struct LiveFigures {
    QString typedChars;    ///< characters typed correctly so far
    QString cpm;           ///< characters per minute, "#0.0"
    int progressWidth = 0; ///< progress bar
    int gaugeWidth = 0;    ///< speed gauge; the full track stands for 120 % of the target
    GaugeColour gaugeColour = GaugeColour::Red;
};

/** The live figures of the running attempt (elapsed time wrap-safe, at least 10 ms). */
LiveFigures liveFigures(const LiveFigureInput& in);

/**
 * Characters the attempt types beyond the text: the space at each paragraph end of an
 * English text when settings entry 13 is 1 (lineCount - 5 of them in whole-text
 * practice, one in paragraph practice), otherwise 0.
 */
qint32 extraCharacters(const CharCounts& counts, qint32 endSpaceSetting, bool paragraphPractice, int lineCount);

/** The input mode of inputEdit at the start of typing: entry 66 when set, else hiragana (4) for full-width cells. */
int initialInputMode(int entry66, int firstCellWidthTwips);

/** inputMethodGuardTimer: whether the input method must be closed (no countdown or attempt running and a mode active).
 */
bool inputMethodGuardCloses(bool runTimerOn, bool countdownTimerOn, int inputMethodStatus);
