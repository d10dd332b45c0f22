#include "core/practice/SegmentLayout.h"

#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/util/Cp932.h"

#include <algorithm>
#include <cmath>

namespace {

// Cells narrower than this are half-width characters: the English word rule looks at them only.
constexpr int HalfWidthBelow = 180;
// Space kept free at the right edge of a row, and the gap between rows.
constexpr int RightMargin = 300;
constexpr int RowGap = 30;
constexpr int FirstRowTop = 15;
// The word rule looks back at most this many cells for the start of a word.
constexpr int LongestWord = 100;

// The ruby box sits this far above the top of its cell and is this much wider than its label.
constexpr int RubyAbove = 210;
constexpr int RubyPadding = 30;
constexpr int RubyRightMargin = 90;
// Bounds of the ruby box's top while scrolling: above or below them it is out of the panel.
constexpr int RubyTopLimit = 90;
constexpr int RubyBottomMargin = 300;

bool isBlank(QChar c) {
    return c == u' ';
}

// The characters shown in cells, and the readings with the cell each one precedes. A "《" opens a
// reading (also inside one: the earlier one ends there), a "》" closes it and is never shown, as in
// the paragraph-length check, so that what is counted there is what is laid out here.
struct ParsedLine {
    QString chars;
    QStringList readings;
    QList<int> positions;
};

ParsedLine parseLine(QStringView line) {
    ParsedLine parsed;
    parsed.chars.reserve(std::min<qsizetype>(line.size(), TargetDisplay::CellCount));
    bool reading = false;
    bool keepReading = false;
    for (QChar c : line) {
        if (c == u'《') {
            reading = true;
            // A reading after the last cell that can be shown has no cell to stand over.
            const int position = int(parsed.chars.size());
            keepReading = position < TargetDisplay::CellCount && parsed.readings.size() < TargetDisplay::CellCount;
            if (keepReading) {
                parsed.readings.append(QString());
                parsed.positions.append(position);
            }
        } else if (c == u'》') {
            reading = false;
        } else if (reading) {
            if (keepReading) parsed.readings.last() += c;
        } else if (parsed.chars.size() < TargetDisplay::CellCount) {
            parsed.chars += c;
        }
    }
    return parsed;
}

bool nearReading(int position, int inputLength, int charsPerLine) {
    // position + 1 - n < CharsPerLine / 2, kept in whole numbers for odd row lengths.
    return 2 * (position + 1 - inputLength) < charsPerLine;
}

// The first reading the input has not passed yet, or -1.
int nextReading(const TargetDisplay& display, int inputLength) {
    for (int r = 0; r < display.rubyPositions.size(); ++r)
        if (inputLength < display.rubyPositions[r] + 1) return r;
    return -1;
}

} // namespace

FixedCellMetrics FixedCellMetrics::forPointSize(int pointSize) {
    return FixedCellMetrics(designCellAdvance(pointSize), designCellHeight(pointSize));
}

int FixedCellMetrics::cellWidth(QChar c) const {
    return cp932::isDoubleByte(c.unicode()) ? m_fullWidth : m_fullWidth / 2;
}

int designCellAdvance(int pointSize) {
    switch (pointSize) {
    case 16:
        return 330;
    case 14:
        return 300;
    case 10:
        return 210;
    default:
        return 240;
    }
}

int designCellHeight(int pointSize) {
    return Options::fontLayout(pointSize).rowPitch - RowGap;
}

bool TargetDisplay::setCellState(int k, CellState state) {
    if (k < 0 || k >= CellCount) return false;
    CharCell& cell = cells[size_t(k)];
    const bool underline = state == CellState::Wrong;
    if (cell.state == state && cell.underline == underline) return false;
    cell.state = state;
    cell.underline = underline;
    return cell.visible;
}

void layoutSegment(TargetDisplay& display, QStringView line, QStringView nextLine, bool paragraphMode,
                   const CellMetrics& metrics, int panelWidthTwips, int visibleRows) {
    for (CharCell& cell : display.cells)
        cell = CharCell{};

    ParsedLine parsed = parseLine(line);
    const QString& chars = parsed.chars;
    const int count = int(chars.size());
    // Rows must go down, or the word rule could find the row it just left and move back forever.
    const int height = std::max(0, metrics.cellHeight());
    auto& cells = display.cells;

    int rows = count > 0 ? 1 : 0;
    for (int k = 0; k < count; ++k) {
        CharCell& cell = cells[size_t(k)];
        cell.caption = QString(chars[k]);
        cell.visible = true;
        cell.width = std::max(0, metrics.cellWidth(chars[k]));
        cell.height = height;
        if (k == 0) {
            cell.top = FirstRowTop;
            continue; // the first cell opens the first row, whatever its width
        }
        const CharCell& previous = cells[size_t(k - 1)];
        cell.top = previous.top;
        cell.left = previous.left + previous.width;
        if (isBlank(chars[k]) || cell.left + cell.width + RightMargin < panelWidthTwips) continue;

        // An English word that crosses the edge starts the next row whole. The search stops at the
        // first cell of this row, so a word longer than a row breaks at the edge instead of moving
        // back again on every row.
        if (cell.width < HalfWidthBelow && previous.width < HalfWidthBelow && !isBlank(chars[k - 1])) {
            for (int j = 1; j <= LongestWord; ++j) {
                const int before = k - j;
                if (before < 1 || cells[size_t(before)].top != cell.top) break;
                if (isBlank(chars[before]) || cells[size_t(before)].width >= HalfWidthBelow) {
                    k = before + 1;
                    break;
                }
            }
        }
        CharCell& rowStart = cells[size_t(k)];
        const CharCell& above = cells[size_t(k - 1)];
        rowStart.top = above.top + above.height + RowGap;
        rowStart.left = 0;
        ++rows;
    }

    // The cell after the text keeps the place the next character would take: scrolling and the
    // ruby box of a reading at the end of the line look at it.
    if (count < TargetDisplay::CellCount) {
        CharCell& after = cells[size_t(count)];
        after.height = height;
        if (count == 0) {
            after.top = FirstRowTop;
        } else {
            const CharCell& last = cells[size_t(count - 1)];
            after.top = last.top;
            after.left = last.left + last.width;
        }
    }

    display.targetChars = chars;
    display.segmentText = chars;
    display.rubyTexts = std::move(parsed.readings);
    display.rubyPositions = std::move(parsed.positions);
    display.rowCount = rows;
    display.previewText = paragraphMode ? QString() : TextLoading::withoutReadings(nextLine);
    display.scrollEnabled = rows > visibleRows;
    display.scrollMaximum = display.scrollEnabled ? rows - visibleRows : 0;
}

std::optional<int> scrollWhileTyping(const TargetDisplay& display, int inputLength, int scrollPosition,
                                     int visibleRows) {
    // Input beyond the cell after the text has no row to follow.
    if (!display.scrollEnabled || inputLength < 0 || inputLength > display.cellsInUse() ||
        inputLength >= TargetDisplay::CellCount)
        return std::nullopt;
    const CharCell& cell = display.cells[size_t(inputLength)];
    const int pitch = cell.height + RowGap;
    if (pitch <= 0) return std::nullopt;
    // Rounded half to even, as the row number always was; with whole rows the quotient is exact anyway.
    const int row = int(std::lrint(double(cell.top - FirstRowTop) / pitch + scrollPosition + 1));
    if (row >= visibleRows && row - visibleRows <= display.scrollMaximum) return row - visibleRows;
    return std::nullopt;
}

int scrollOffsetTwips(int scrollValue, int pointSize) {
    return -(scrollValue * Options::fontLayout(pointSize).rowPitch);
}

RubyBox placeRuby(const TargetDisplay& display, int reading, const RubyFrame& frame) {
    RubyBox box;
    if (reading < 0 || reading >= display.rubyPositions.size() || reading >= display.rubyTexts.size()) return box;
    const int position = display.rubyPositions[reading];
    if (position < 0 || position >= TargetDisplay::CellCount) return box;
    const CharCell& cell = display.cells[size_t(position)];
    const int labelWidth = frame.labelWidth ? frame.labelWidth(display.rubyTexts[reading]) : 0;
    box.reading = reading;
    box.left = frame.textPanelLeft + frame.textCanvasLeft + cell.left;
    box.top = frame.textPanelTop + frame.textCanvasTop + cell.top - RubyAbove;
    box.width = labelWidth + RubyPadding;
    if (box.left + box.width > frame.windowInnerWidth - RubyRightMargin)
        box.left = frame.windowInnerWidth - box.width - RubyRightMargin;
    return box;
}

RubyBox rubyAtStart(const TargetDisplay& display, int charsPerLine, int rubyDisplay, const RubyFrame& frame) {
    if (display.rubyPositions.isEmpty() || charsPerLine <= 2 * display.rubyPositions[0]) return {};
    RubyBox box = placeRuby(display, 0, frame);
    box.visible = box.reading == 0 && rubyDisplay == 0;
    return box;
}

RubyBox rubyOnInput(const TargetDisplay& display, int inputLength, int charsPerLine, int rubyDisplay,
                    const RubyFrame& frame) {
    const int r = nextReading(display, inputLength);
    if (r < 0) return {};
    RubyBox box = placeRuby(display, r, frame);
    box.visible =
        box.reading == r && rubyDisplay == 0 && nearReading(display.rubyPositions[r], inputLength, charsPerLine);
    return box;
}

std::optional<RubyBox> rubyOnF5(const TargetDisplay& display, int inputLength, int charsPerLine, int rubyDisplay,
                                const RubyFrame& frame) {
    if (rubyDisplay != 1) return std::nullopt;
    // Positions never decrease, so the first reading ahead is also the nearest one.
    const int r = nextReading(display, inputLength);
    if (r < 0 || !nearReading(display.rubyPositions[r], inputLength, charsPerLine)) return std::nullopt;
    RubyBox box = placeRuby(display, r, frame);
    box.visible = box.reading == r;
    return box;
}

std::optional<RubyBox> rubyOnScroll(const TargetDisplay& display, int inputLength, int charsPerLine,
                                    const RubyFrame& frame) {
    const int r = nextReading(display, inputLength);
    if (r < 0 || !nearReading(display.rubyPositions[r], inputLength, charsPerLine)) return std::nullopt;
    RubyBox box = placeRuby(display, r, frame);
    box.visible = box.reading == r && box.top >= RubyTopLimit &&
                  box.top <= frame.textPanelTop + frame.textPanelHeight - RubyBottomMargin;
    return box;
}
