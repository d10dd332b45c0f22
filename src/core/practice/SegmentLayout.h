#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

/** Judgement state of a character cell; it picks the cell's colour. */
enum class CellState { Untyped, Correct, Wrong };

/** One character cell (`cellView`); geometry in twips relative to the inner panel textCanvas. */
struct CharCell {
    QString caption;
    CellState state = CellState::Untyped;
    bool underline = false;
    bool visible = false;
    int left = 0, top = 0, width = 0, height = 0;
};

/** Size of the character cells at the current font size, in twips. */
class CellMetrics {
public:
    virtual ~CellMetrics() = default;
    /** Advance of the cell that shows `c`. */
    virtual int cellWidth(QChar c) const = 0;
    /** Height of every cell; a row's pitch is this plus 30. */
    virtual int cellHeight() const = 0;
};

/** Metrics without a font: double-byte characters of code page 932 are full-width, the rest half of that. */
class FixedCellMetrics : public CellMetrics {
public:
    FixedCellMetrics(int fullWidth, int height) : m_fullWidth(fullWidth), m_height(height) {}
    /** The design cell advance and height of a font size. */
    static FixedCellMetrics forPointSize(int pointSize);

    int cellWidth(QChar c) const override;
    int cellHeight() const override { return m_height; }

private:
    int m_fullWidth;
    int m_height;
};

/** Width of the text panel textPanel in twips: the row break is measured against it. */
inline constexpr int TextPanelWidth = 9930;

/**
 * The advance of a full-width cell at a font size (330, 300, 240, 240, 210 twips for 16, 14,
 * 12, 11, 10 points; 12 points for anything else). With TextPanelWidth a row then holds
 * exactly CharsPerLine full-width cells.
 */
int designCellAdvance(int pointSize);
/** The height of a cell at a font size: the row pitch of the size less the 30 twips between rows. */
int designCellHeight(int pointSize);

/** The target display of the main window: its cells, readings, segment text, scroll range and preview. */
struct TargetDisplay {
    static constexpr int CellCount = 801;

    std::array<CharCell, CellCount> cells;
    /** Character k is the target of cell k; its size is the number of cells in use. */
    QString targetChars;
    /** The readings of the segment in order (at most CellCount). */
    QStringList rubyTexts;
    /** For each reading, the cell that the next displayed character takes. */
    QList<int> rubyPositions;
    QString segmentText;
    int rowCount = 0;
    /** textScrollBar: enabled when the segment has more rows than the panel shows. */
    bool scrollEnabled = false;
    int scrollMaximum = 0;
    /** nextParagraphLabel: the next paragraph without its readings. */
    QString previewText;

    int cellsInUse() const { return int(targetChars.size()); }
    /** Sets cell k's state, underlining exactly the wrong cells; true when the cell looks different. */
    bool setCellState(int k, CellState state);
};

/**
 * layoutSegment: lays out `line` one character per cell, wrapping rows at the panel edge
 * (English words move whole to the next row), takes 《reading》 out into rubyTexts and
 * rubyPositions, and sets segmentText, the preview of `nextLine` (empty in paragraph
 * practice) and the scroll range. Characters beyond CellCount are not shown.
 */
void layoutSegment(TargetDisplay& display, QStringView line, QStringView nextLine, bool paragraphMode,
                   const CellMetrics& metrics, int panelWidthTwips, int visibleRows);

/**
 * The value textScrollBar takes after an input change of `inputLength` characters, keeping the
 * next character on the row that settings entry 70 asks for (0 last visible row, 1 second
 * from the bottom, 2 third); nullopt when this change leaves the scroll bar alone.
 */
std::optional<int> scrollWhileTyping(const TargetDisplay& display, int inputLength, int scrollPosition,
                                     int visibleRows);

/** Top of textCanvas inside textPanel for a textScrollBar value at a font size: whole rows up. */
int scrollOffsetTwips(int scrollValue, int pointSize);

/** The ruby box rubyBox with its label rubyLabel; geometry in twips in the window's client area. */
struct RubyBox {
    bool visible = false;
    int reading = -1; ///< index into rubyTexts, -1 when no reading is placed
    int left = 0, top = 0, width = 0;
};

/** Where the ruby box is placed from: the panels' positions and the label's width for a reading. */
struct RubyFrame {
    int textPanelLeft = 0, textPanelTop = 0, textPanelHeight = 0;
    int textCanvasLeft = 0, textCanvasTop = 0; ///< inside textPanel, the scroll offset included
    int windowInnerWidth = 0;
    std::function<int(const QString&)> labelWidth; ///< rubyLabel's width for a reading, twips
};

/** The box over reading `reading`, hidden; a reading out of range gives a hidden box without one. */
RubyBox placeRuby(const TargetDisplay& display, int reading, const RubyFrame& frame);

/** Start of typing and a segment advance: reading 0 when it is near, shown when settings entry 8 is 0. */
RubyBox rubyAtStart(const TargetDisplay& display, int charsPerLine, int rubyDisplay, const RubyFrame& frame);

/** An input change of `inputLength` characters: the next reading ahead, shown when near and entry 8 is 0. */
RubyBox rubyOnInput(const TargetDisplay& display, int inputLength, int charsPerLine, int rubyDisplay,
                    const RubyFrame& frame);

/** F5 with entry 8 = 1 shows the box over a near reading; nullopt when F5 changes nothing. */
std::optional<RubyBox> rubyOnF5(const TargetDisplay& display, int inputLength, int charsPerLine, int rubyDisplay,
                                const RubyFrame& frame);

/**
 * A textScrollBar change while typing: the box over a near reading follows the rows and is hidden
 * when it leaves the text panel; nullopt when no reading is near (the box stays as it is).
 */
std::optional<RubyBox> rubyOnScroll(const TargetDisplay& display, int inputLength, int charsPerLine,
                                    const RubyFrame& frame);
