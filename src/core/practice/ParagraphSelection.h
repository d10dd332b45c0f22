#pragma once

#include "core/practice/CurrentText.h"

#include <QStringList>

/** The rows of the paragraph selection list: number, then the opening words in 42 display columns. */
namespace ParagraphSelection {

inline constexpr int RowColumns = 42;

/** One row: the number right-aligned in 3, a space, the paragraph without readings cut to 42 columns, ".." when cut. */
QString row(int paragraphNumber, QStringView line);

/** Rows of every paragraph of the text, up to its first empty paragraph line. */
QStringList rows(const CurrentText& text);

} // namespace ParagraphSelection
