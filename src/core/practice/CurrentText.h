#pragma once

#include "core/scoring/BestTimes.h"
#include "core/texts/TextStats.h"

#include <QStringList>

/** The practice text in memory: its lines, what is practised and its best times. */
struct CurrentText {
    /** Lines a practice-text file may have (line 1 at index 0). */
    static constexpr int MaxLines = 1001;
    /** Paragraph p is line p + FirstParagraphLine. */
    static constexpr int FirstParagraphLine = 5;

    QStringList textLines; ///< exactly lineCount lines
    int lineCount = 0;
    int currentLine = FirstParagraphLine; ///< index of the line being practised
    CharCounts counts;                    ///< of the whole text or of the practised paragraph
    BestTimes bestTimes = BestTimesLine::empty();

    /** Line `index`, empty beyond the text. */
    QString line(int index) const { return index >= 0 && index < textLines.size() ? textLines[index] : QString(); }
    int paragraphCount() const { return lineCount - FirstParagraphLine; }
};
