#include "core/practice/ParagraphSelection.h"

#include "core/practice/TextLoading.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

namespace ParagraphSelection {

QString row(int paragraphNumber, QStringView line) {
    const QString plain = TextLoading::withoutReadings(line);
    int columns = 0;
    qsizetype kept = 0;
    for (; kept < plain.size(); ++kept) {
        const int width = cp932::isDoubleByte(plain[kept].unicode()) ? 2 : 1;
        if (columns + width > RowColumns) break;
        columns += width;
    }
    QString result = basic::RightAligned(paragraphNumber, 3) + u' ' + plain.left(kept);
    if (kept < plain.size()) result += u"..";
    return result;
}

QStringList rows(const CurrentText& text) {
    QStringList result;
    for (int p = 0; p + CurrentText::FirstParagraphLine < CurrentText::MaxLines; ++p) {
        const QString line = text.line(p + CurrentText::FirstParagraphLine);
        if (line.isEmpty()) break;
        result.append(row(p + 1, line));
    }
    return result;
}

} // namespace ParagraphSelection
