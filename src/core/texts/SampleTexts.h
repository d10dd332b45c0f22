#pragma once

#include <QString>
#include <QStringList>

/** The fourteen built-in practice texts of the sample menu (sampleActions, indices 0..19). */
namespace SampleTexts {

inline constexpr int MenuItemCount = 20;

/** True for the separator indices 2, 5, 8, 11, 14 and 17. */
bool isSeparator(int menuIndex);
/** True for a menu index that holds a sample. */
bool isSample(int menuIndex);
/** Menu caption, e.g. "1 国際連合憲章 前文(&A)"; empty for separators and other indices. */
QString menuCaption(int menuIndex);
/** Position 1..14 of a sample in menu order (its text identifier is that number); 0 for others. */
int sampleNumber(int menuIndex);

/**
 * sampleLines: the sample's lines as a practice-text file holds them (source, "000000",
 * title, statistics line, empty best-times line, paragraphs); empty for other indices.
 */
QStringList sampleLines(int menuIndex);

} // namespace SampleTexts
