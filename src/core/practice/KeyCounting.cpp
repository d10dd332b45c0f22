#include "core/practice/KeyCounting.h"

#include "core/util/BasicFunctions.h"
#include "core/util/Clock.h"
#include "core/util/Cp932.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int VkBackspace = 8, VkShift = 16, VkDelete = 46;

struct HeldKey {
    int keyCode;
    char16_t mark; ///< the mark of its first key-down; 0 for keys that never mark
};

// The keys whose held state the counting follows. The first ten mark only on the key-down
// that finds them newly held, in this order (a later one wins); Backspace and Delete mark
// on every key-down; the arrows are only released. Every one is released on key-up.
constexpr std::array<HeldKey, 16> HeldKeys{{
    {117, OperationMark::Conversion}, // F6 .. F10
    {118, OperationMark::Conversion},
    {119, OperationMark::Conversion},
    {120, OperationMark::Conversion},
    {121, OperationMark::Conversion},
    {32, OperationMark::Conversion},   // Space
    {13, OperationMark::Confirmation}, // Enter
    {29, OperationMark::Conversion},   // Non-convert
    {28, OperationMark::Conversion},   // Convert
    {27, OperationMark::Revision},     // Esc
    {VkBackspace, 0},
    {VkDelete, 0},
    {38, 0}, // Up, Down, Right, Left
    {40, 0},
    {39, 0},
    {37, 0},
}};
constexpr int MarkingKeys = 10;

QString logEntry(char16_t kind, QChar c, int inputMethodStatus) {
    QString entry;
    entry.reserve(4);
    entry += QChar(kind);
    entry += c;
    entry += QString::number(inputMethodStatus);
    return entry;
}

struct LogEntry {
    char16_t kind;
    char16_t c;
    int status;
    bool doubleByte;
};

bool isSpace(char16_t c) {
    return c == u' ' || c == u'　';
}

} // namespace

char16_t KeyCounting::keyMark(const KeyState& keys) {
    for (int k = 0; k < MarkingKeys; ++k) {
        if (!m_held[size_t(k)] && keys.isHeld(HeldKeys[size_t(k)].keyCode)) {
            m_held[size_t(k)] = true;
            m_lastMark = HeldKeys[size_t(k)].mark;
        }
    }
    // A held Backspace or Delete deletes again with every repeat, so each key-down marks.
    if (keys.isHeld(VkBackspace)) m_lastMark = OperationMark::Revision;
    if (keys.isHeld(VkDelete)) m_lastMark = OperationMark::Revision;
    return m_lastMark;
}

bool KeyCounting::keyDown(int keyCode, const KeyState& keys, int inputMethodStatus, bool inputEmpty) {
    keyMark(keys);
    const bool processed = keyCode == ProcessKeyCode;
    if (m_lastMark == OperationMark::Conversion && processed) {
        ++m_counters.conversions;
        ++m_counters.segmentConversions;
    }
    if (m_lastMark == OperationMark::Confirmation && processed) {
        ++m_counters.confirmations;
        ++m_counters.segmentConfirmations;
    }
    // A deletion the input method did not take acts on committed text.
    if (m_lastMark == OperationMark::Revision && !processed) m_lastMark = OperationMark::Correction;
    if (m_lastMark == OperationMark::Revision) {
        ++m_counters.revisionCount;
        ++m_counters.segmentRevisions;
    }
    if (m_lastMark == OperationMark::Correction) {
        if (inputEmpty) {
            // Nothing to delete: the key did nothing and is no keystroke either.
            m_lastMark = 0;
            return false;
        }
        ++m_counters.correctionCount;
        ++m_counters.segmentCorrections;
    }
    if (keyCode == VkShift) {
        // Shift alone is never a keystroke; it only changes the next key.
        m_lastMark = 0;
        return false;
    }
    ++m_counters.keystrokes;
    ++m_counters.segmentKeystrokes;
    if (m_lastMark != 0) m_operationList.append(logEntry(u'd', QChar(m_lastMark), inputMethodStatus));
    m_lastMark = 0;
    return true;
}

void KeyCounting::keyUp(const KeyState& keys) {
    for (size_t k = 0; k < HeldKeys.size(); ++k)
        if (!keys.isHeld(HeldKeys[k].keyCode)) m_held[k] = false;
}

void KeyCounting::keyPress(QChar c, int inputMethodStatus) {
    if (c == u'\r') return;   // Enter belongs to the segment check
    if (c == u'\x7f') return; // Delete arrives with the text DEL, yet it types nothing
    if (isSpace(c.unicode())) {
        // The space key that produced a space converted nothing.
        --m_counters.conversions;
        --m_counters.segmentConversions;
    }
    if (c != u'\b') m_operationList.append(logEntry(u'p', c, inputMethodStatus));
}

void KeyCounting::reset() {
    m_operationList.clear();
    m_lastMark = 0;
}

QString KeyCounting::operationString() {
    const QString s = buildOperationString(m_operationList);
    m_operationList.clear();
    return s;
}

QString KeyCounting::buildOperationString(const QStringList& log) {
    // The working copy of the key log without the conversion mark of a space key that typed a space.
    std::vector<LogEntry> entries;
    entries.reserve(size_t(log.size()));
    for (qsizetype i = 0; i < log.size(); ++i) {
        const QString& e = log[i];
        if (e.size() < 2) continue;
        const char16_t c = e[1].unicode();
        if (c == OperationMark::Conversion && i + 1 < log.size() && log[i + 1].size() >= 2 &&
            isSpace(log[i + 1][1].unicode()))
            continue;
        const QChar last = e.back();
        entries.push_back({e[0].unicode(), c, last.isDigit() ? last.digitValue() : 0, cp932::isDoubleByte(c)});
    }
    if (entries.empty()) return QString();

    QString s;
    s.reserve(qsizetype(entries.size()));
    QString pending; // the marks of a composition, waiting for the characters it produces
    const auto flush = [&] {
        s += pending;
        pending.clear();
    };
    const auto place = [&](const LogEntry& e) {
        if (e.kind == u'p' || e.c == OperationMark::Correction)
            s += QChar(e.c);
        else
            pending += QChar(e.c);
    };

    place(entries[0]);
    int q = entries[0].doubleByte ? 4 : 2;
    bool imeOff = false;
    for (size_t j = 1; j < entries.size(); ++j) {
        const LogEntry& e = entries[j];
        const LogEntry& previous = entries[j - 1];
        if (e.c == u'　' && !pending.isEmpty()) flush();
        if (e.status == 2 && q > 3)
            imeOff = true;
        else if (e.status > 3 && q == 2)
            imeOff = false;
        if (imeOff && previous.doubleByte && !e.doubleByte && !pending.isEmpty()) flush();
        if (e.kind != previous.kind && e.kind == u'd' && !pending.isEmpty()) flush();
        place(e);
        q = e.status;
    }
    flush();
    return s;
}

LiveFigures liveFigures(const LiveFigureInput& in) {
    LiveFigures out;
    const double typed = double(in.doneChars) + double(in.correctPrefix);
    const double width = std::max(0, in.trackWidth);
    const auto toWidth = [width](double w) { return int(std::lround(std::clamp(w, 0.0, width))); };

    const double length = double(in.total) + double(in.extra);
    out.progressWidth = length > 0 ? toWidth(typed * width / length) : 0;

    const qint32 elapsed = std::max<qint32>(10, elapsedMs(in.attemptStart, in.lastTick));
    out.typedChars = QString::number(qint64(typed));
    out.cpm = basic::Format(typed * 60000.0 / elapsed, u"#0.0");

    float r = 0.0f;
    if (in.targetSpeed > 0) {
        // The gauge shows the speed as displayed; its colour is judged on the exact ratio, so
        // 80 % and 100 % of the target fall on the thresholds whatever the track's width.
        const double ratio = basic::Val(out.cpm) / (double(in.targetSpeed) * 1.2);
        out.gaugeWidth = toWidth(width * ratio);
        r = float(ratio);
    } else {
        out.gaugeWidth = in.gaugeWidth;
        if (width > 0) r = float(in.gaugeWidth) / float(width);
    }
    out.gaugeColour = r < 4.0f / 6.0f ? GaugeColour::Red : r < 5.0f / 6.0f ? GaugeColour::Yellow : GaugeColour::Blue;
    return out;
}

qint32 extraCharacters(const CharCounts& counts, qint32 endSpaceSetting, bool paragraphPractice, int lineCount) {
    if (isJapaneseText(counts) || endSpaceSetting != 1) return 0;
    return paragraphPractice ? 1 : std::max(0, lineCount - 5);
}

int initialInputMode(int entry66, int firstCellWidthTwips) {
    if (entry66 != 0) return entry66;
    return firstCellWidthTwips >= 180 ? 4 : 2;
}

bool inputMethodGuardCloses(bool runTimerOn, bool countdownTimerOn, int inputMethodStatus) {
    return !runTimerOn && !countdownTimerOn && inputMethodStatus > 2;
}
