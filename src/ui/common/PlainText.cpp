#include "ui/common/PlainText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextBoundaryFinder>
#include <QTextDocument>

namespace plaintext {

void makeLabelsPlain(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

QString toolTip(const QString& text) {
    if (text.isEmpty()) return text;
    // A tooltip guesses its format from the text; a paragraph of escaped text is never markup.
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
}

QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                    const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    return QMessageBox::StandardButton(box.exec());
}

QString wholeCharactersThatFit(const QString& text, const QFontMetrics& metrics, int width) {
    if (width <= 0) return {};
    if (metrics.horizontalAdvance(text) <= width) return text;
    // Character boundaries, then a binary search for the last one whose start still fits.
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        ends.append(at);
    qsizetype low = 0; // ends[low - 1] fits (none when 0)
    qsizetype high = ends.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(ends[mid - 1])) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low == 0 ? QString() : text.left(ends[low - 1]);
}

} // namespace plaintext
