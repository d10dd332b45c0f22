#pragma once

#include "core/practice/SegmentLayout.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

/**
 * The replay of a paragraph's operation string as a grid of cells: every typed character is a
 * cell, every run of input-method operations one coloured cell with the run's length, and the
 * analysis that attaches advice to the cells showing wasteful input. Geometry is in twips
 * inside the viewport of the details window.
 */
namespace DetailAnalysis {

// The marks of an operation string.
inline constexpr char16_t ConfirmMark = u'■';    ///< Enter while composing
inline constexpr char16_t ConvertMark = u'□';    ///< a conversion key while composing
inline constexpr char16_t FixMark = u'＜';       ///< a correction before conversion
inline constexpr char16_t CorrectionMark = u'≪'; ///< a correction of committed text

bool isMark(QChar c);

/** Characters typed and batch conversions made in an operation string. */
struct ConversionStats {
    int characters = 0; ///< characters that are not marks
    int groups = 0;     ///< runs of marks holding a conversion or a confirmation
};

/** Counts an operation string's characters and conversion groups (a run of marks counts once). */
ConversionStats conversionStats(QStringView operations);
/** "#0.0" characters per group; empty when there is no group. */
QString averageCharacters(const ConversionStats& stats);

/** What a cell stands for. */
enum class CellKind : std::uint8_t { Typed, Confirmation, Conversion, Fix, Correction };

/** Colours of the cells; the window maps the two system ones to the desktop's window colours. */
enum class Paint : std::uint8_t {
    WindowBackground,
    WindowText,
    Black,
    White,
    Grey,      ///< 128, 128, 128: conversions
    Blue,      ///< corrections before conversion
    Red,       ///< corrections
    LightGrey, ///< 238, 238, 238: the light phase of a blinking cell
    PaleGrey,  ///< 170, 170, 170: the marked phase of a character after a misplaced operation
};

/** The tooltip of a cell: its type, or advice. */
enum class Tip : std::uint8_t {
    None,
    Confirmation,
    Conversion,
    Fix,
    Correction,
    NeedlessConfirmation,
    ManyConversions,
    ManyFixes,
    ManyCorrections,
    ConversionPosition,
    ConfirmationPosition,
};
/** The tooltip's words ("確定", "この確定は必要？", "変換の位置に注意" ...); empty for None. */
QString tipText(Tip tip);
/** True for the advice placed on the character after a conversion or a confirmation. */
inline bool isPositionTip(Tip tip) {
    return tip == Tip::ConversionPosition || tip == Tip::ConfirmationPosition;
}

struct DetailCell {
    QString caption;
    CellKind kind = CellKind::Typed;
    int count = 0; ///< the run's length for an operation cell
    Paint background = Paint::WindowBackground;
    Paint text = Paint::WindowText;
    Tip tip = Tip::None;
    bool visible = false;
    int left = 0, top = 0, width = 0;
};

/** The grid's measures in twips. */
inline constexpr int ViewportWidth = 8055;
inline constexpr int ViewportHeight = 1410;
inline constexpr int CellHeight = 195;
inline constexpr int RowPitch = CellHeight + 30;
inline constexpr int FirstLeft = 30;
inline constexpr int FirstTop = 15;
/** A cell whose right edge comes within this of the viewport's starts a new row. */
inline constexpr int RightMargin = 300;
/** Cells narrower than this hold half-width characters; words of them wrap whole. */
inline constexpr int NarrowWidth = 180;
/** Rows the viewport shows without scrolling. */
inline constexpr int VisibleRows = 6;

struct DetailGrid {
    /** Cells 0..1599 can be drawn; the last one always stays empty. */
    static constexpr int CellCount = 1601;
    static constexpr int DrawableCells = CellCount - 1;

    std::array<DetailCell, CellCount> cells;
    int cellsInUse = 0;         ///< cells 0 .. cellsInUse-1 are drawn
    bool truncated = false;     ///< the string needs more cells than the grid has ("一部表示不可")
    bool hasCorrection = false; ///< a correction run was drawn
    bool scrollEnabled = false; ///< more than VisibleRows rows
    int scrollMaximum = 0;      ///< twips
    int rowCount = 0;
};

/**
 * Draws an operation string into the grid and analyses it: operation runs become counted cells,
 * confirmations "E", needless ones "X" (after a single conversion) or "?" (after several) unless
 * a digit follows, rows wrap at the viewport's edge (words of half-width characters whole), and
 * cells get their type or advice tooltip. `metrics` gives a character's width in twips.
 */
void buildGrid(DetailGrid& grid, QStringView operations, const CellMetrics& metrics);

/** True when the cell blinks: needless confirmations and runs of four or more. */
bool isFlagged(const DetailCell& cell);

/**
 * One blink tick (every 600 ms): flagged cells, and the characters after a misplaced conversion
 * or confirmation with their operation cell, swap between their dark and light phases. The cells
 * that changed are appended to `changed`.
 */
void blinkTick(DetailGrid& grid, std::vector<int>& changed);

} // namespace DetailAnalysis
