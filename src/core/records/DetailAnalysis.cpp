#include "core/records/DetailAnalysis.h"

#include "core/util/BasicFunctions.h"

using namespace Qt::StringLiterals;

namespace DetailAnalysis {

namespace {

bool isConversionOrConfirmation(QChar c) {
    return c == ConvertMark || c == ConfirmMark;
}

bool isDigit(QStringView caption) {
    if (caption.size() != 1) return false;
    const char16_t c = caption[0].unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

// Characters that should follow a conversion or a confirmation only when the input method is
// used well: they are typed with the word before them, not converted or confirmed on their own.
bool isPunctuationAfterOperation(QStringView caption) {
    static const QString After = u"を』」・）。、"_s;
    return caption.size() == 1 && After.contains(caption[0]);
}

bool isNarrow(const DetailCell& cell) {
    return cell.width < NarrowWidth;
}

bool isSpace(const DetailCell& cell) {
    return cell.caption == u" ";
}

Paint darkPaint(CellKind kind) {
    switch (kind) {
    case CellKind::Confirmation:
        return Paint::Black;
    case CellKind::Conversion:
        return Paint::Grey;
    case CellKind::Fix:
        return Paint::Blue;
    case CellKind::Correction:
        return Paint::Red;
    case CellKind::Typed:
        break;
    }
    return Paint::WindowBackground;
}

Tip typeTip(CellKind kind) {
    switch (kind) {
    case CellKind::Confirmation:
        return Tip::Confirmation;
    case CellKind::Conversion:
        return Tip::Conversion;
    case CellKind::Fix:
        return Tip::Fix;
    case CellKind::Correction:
        return Tip::Correction;
    case CellKind::Typed:
        break;
    }
    return Tip::None;
}

int captionWidth(const QString& caption, const CellMetrics& metrics) {
    int width = 0;
    for (const QChar c : caption)
        width += metrics.cellWidth(c);
    return width;
}

// Pass 1: one cell per typed character and per run of operation marks.
void buildCells(DetailGrid& grid, QStringView operations, const CellMetrics& metrics) {
    for (DetailCell& cell : grid.cells)
        cell = DetailCell{};
    grid.cellsInUse = 0;
    grid.truncated = false;
    grid.hasCorrection = false;
    if (operations.isEmpty()) return;

    // The first character is always shown as typed: an operation string starts with typing.
    DetailCell& first = grid.cells[0];
    first.caption = operations.first(1).toString();
    first.width = captionWidth(first.caption, metrics);
    first.visible = true;
    first.left = FirstLeft;
    first.top = FirstTop;

    int k = 1;
    const qsizetype n = operations.size();
    for (qsizetype p = 1; p < n;) {
        if (k >= DetailGrid::DrawableCells) {
            grid.truncated = true;
            break;
        }
        DetailCell& cell = grid.cells[size_t(k)];
        const QChar c = operations[p];
        if (c == ConfirmMark) {
            cell.caption = u"E"_s;
            cell.kind = CellKind::Confirmation;
            cell.count = 1;
            ++p;
        } else if (c == ConvertMark || c == FixMark || c == CorrectionMark) {
            qsizetype end = p;
            while (end < n && operations[end] == c)
                ++end;
            cell.count = int(qMin<qsizetype>(end - p, 999999));
            cell.caption = QString::number(cell.count);
            cell.kind = c == ConvertMark ? CellKind::Conversion : c == FixMark ? CellKind::Fix : CellKind::Correction;
            if (cell.kind == CellKind::Correction) grid.hasCorrection = true;
            p = end;
        } else {
            cell.caption = QString(c);
            ++p;
        }
        cell.background = darkPaint(cell.kind);
        cell.text = cell.kind == CellKind::Typed ? Paint::WindowText : Paint::White;
        cell.width = captionWidth(cell.caption, metrics);
        cell.visible = true;
        ++k;
    }
    grid.cellsInUse = k;
}

void markNeedlessConfirmation(DetailGrid& grid, int i) {
    DetailCell& cell = grid.cells[size_t(i)];
    const DetailCell& before = grid.cells[size_t(i - 1)];
    const DetailCell& next = grid.cells[size_t(i + 1)];
    if (cell.kind != CellKind::Confirmation || next.caption.isEmpty() || next.caption == u"　" ||
        next.kind == CellKind::Correction)
        return;
    if (before.kind == CellKind::Conversion) cell.caption = before.count == 1 ? u"X"_s : u"?"_s;
    // A number is confirmed before the digits typed after it, so that confirmation is needed.
    if (next.kind == CellKind::Typed && isDigit(next.caption)) cell.caption = u"E"_s;
}

// Where the row that would start at cell i should start instead: before the word of half-width
// characters that cell i belongs to, when the word began on this row.
int rowStart(const DetailGrid& grid, int i) {
    const DetailCell& cell = grid.cells[size_t(i)];
    const DetailCell& before = grid.cells[size_t(i - 1)];
    if (!isNarrow(cell) || !isNarrow(before) || isSpace(before)) return i;
    for (int k = 1; k <= 100; ++k) {
        const int j = i - k;
        if (j <= 0 || grid.cells[size_t(j)].top != cell.top) break;
        const DetailCell& candidate = grid.cells[size_t(j)];
        if (isSpace(candidate) || candidate.caption.isEmpty() || !isNarrow(candidate)) return j + 1;
    }
    return i;
}

void attachTips(DetailGrid& grid, int i) {
    DetailCell& cell = grid.cells[size_t(i)];
    if (cell.kind != CellKind::Typed) cell.tip = typeTip(cell.kind);
    if (cell.caption == u"X" || cell.caption == u"?") {
        cell.tip = Tip::NeedlessConfirmation;
    } else if (cell.count >= 4) {
        if (cell.kind == CellKind::Conversion) cell.tip = Tip::ManyConversions;
        if (cell.kind == CellKind::Fix) cell.tip = Tip::ManyFixes;
        if (cell.kind == CellKind::Correction) cell.tip = Tip::ManyCorrections;
    }
    DetailCell& next = grid.cells[size_t(i + 1)];
    if (!isPunctuationAfterOperation(next.caption)) return;
    if (cell.kind == CellKind::Conversion) next.tip = Tip::ConversionPosition;
    if (cell.kind == CellKind::Confirmation) next.tip = Tip::ConfirmationPosition;
}

// Pass 2: the analysis and the final layout.
void analyseAndPlace(DetailGrid& grid) {
    for (int i = 1; i < grid.cellsInUse; ++i) {
        DetailCell& cell = grid.cells[size_t(i)];
        const DetailCell& before = grid.cells[size_t(i - 1)];
        cell.top = before.top;
        cell.left = before.left + before.width;
        markNeedlessConfirmation(grid, i);
        if (cell.left + cell.width + RightMargin >= ViewportWidth && !isSpace(cell)) {
            const int start = rowStart(grid, i);
            DetailCell& first = grid.cells[size_t(start)];
            first.top = grid.cells[size_t(start - 1)].top + RowPitch;
            first.left = FirstLeft;
            // The cells after the new row's first one are placed again behind it.
            i = start;
        }
        attachTips(grid, i);
    }
    if (grid.cellsInUse == 0) {
        grid.rowCount = 0;
        grid.scrollEnabled = false;
        grid.scrollMaximum = 0;
        return;
    }
    const int lastRow = (grid.cells[size_t(grid.cellsInUse - 1)].top - FirstTop) / RowPitch;
    grid.rowCount = lastRow + 1;
    grid.scrollEnabled = grid.rowCount > VisibleRows;
    grid.scrollMaximum = grid.scrollEnabled ? (grid.rowCount - VisibleRows) * RowPitch : 0;
}

// Swaps a cell between its dark colour (light text) and light grey (black text).
void swapPhase(DetailCell& cell, Paint dark) {
    if (cell.background == dark) {
        cell.background = Paint::LightGrey;
        cell.text = Paint::Black;
    } else {
        cell.background = dark;
        cell.text = Paint::WindowBackground;
    }
}

} // namespace

bool isMark(QChar c) {
    return c == ConfirmMark || c == ConvertMark || c == FixMark || c == CorrectionMark;
}

ConversionStats conversionStats(QStringView operations) {
    ConversionStats stats;
    const qsizetype n = operations.size();
    for (qsizetype p = 0; p < n;) {
        if (!isMark(operations[p])) {
            ++stats.characters;
            ++p;
            continue;
        }
        // A run of marks is one batch conversion when it converts or confirms anything at all.
        bool converts = false;
        for (; p < n && isMark(operations[p]); ++p)
            converts = converts || isConversionOrConfirmation(operations[p]);
        if (converts) ++stats.groups;
    }
    return stats;
}

QString averageCharacters(const ConversionStats& stats) {
    if (stats.groups < 1) return {};
    return basic::Format(double(stats.characters) / stats.groups, u"#0.0");
}

QString tipText(Tip tip) {
    switch (tip) {
    case Tip::None:
        break;
    case Tip::Confirmation:
        return u"確定"_s;
    case Tip::Conversion:
        return u"変換"_s;
    case Tip::Fix:
        return u"変換前修正"_s;
    case Tip::Correction:
        return u"訂正"_s;
    case Tip::NeedlessConfirmation:
        return u"この確定は必要？"_s;
    case Tip::ManyConversions:
        return u"変換が少なくなるよう工夫しましょう"_s;
    case Tip::ManyFixes:
        return u"修正が多めです"_s;
    case Tip::ManyCorrections:
        return u"訂正が多めです"_s;
    case Tip::ConversionPosition:
        return u"変換の位置に注意"_s;
    case Tip::ConfirmationPosition:
        return u"確定の位置に注意"_s;
    }
    return {};
}

void buildGrid(DetailGrid& grid, QStringView operations, const CellMetrics& metrics) {
    buildCells(grid, operations, metrics);
    analyseAndPlace(grid);
}

bool isFlagged(const DetailCell& cell) {
    return cell.caption == u"X" || cell.caption == u"?" || cell.tip == Tip::ManyConversions ||
           cell.tip == Tip::ManyFixes || cell.tip == Tip::ManyCorrections;
}

void blinkTick(DetailGrid& grid, std::vector<int>& changed) {
    const int used = grid.cellsInUse;
    for (int k = 0; k < used; ++k) {
        DetailCell& cell = grid.cells[size_t(k)];
        if (isFlagged(cell)) {
            swapPhase(cell, darkPaint(cell.kind));
            changed.push_back(k);
        }
        DetailCell& next = grid.cells[size_t(k + 1)];
        const bool operationCell =
            cell.background == Paint::Black || cell.background == Paint::Grey || cell.background == Paint::LightGrey;
        if (!operationCell || !isPositionTip(next.tip)) continue;
        // The character after a misplaced conversion or confirmation blinks with it.
        if (next.background == Paint::WindowBackground) {
            next.background = Paint::PaleGrey;
            next.text = Paint::WindowBackground;
        } else {
            next.background = Paint::WindowBackground;
            next.text = Paint::WindowText;
        }
        changed.push_back(k + 1);
        if (cell.tip == Tip::Confirmation || cell.tip == Tip::Conversion) {
            swapPhase(cell, darkPaint(cell.kind));
            changed.push_back(k);
        }
    }
}

} // namespace DetailAnalysis
