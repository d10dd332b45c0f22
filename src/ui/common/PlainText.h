#pragma once

#include <QMessageBox>
#include <QString>

class QFontMetrics;
class QWidget;

/**
 * Text from files (titles, sources, keywords, paragraphs, file names, record lines) is shown
 * exactly as written: never interpreted as markup, never loading an image or a link.
 */
namespace plaintext {

/** Makes every label inside `root` plain text. */
void makeLabelsPlain(QWidget* root);

/** A tooltip that shows `text` literally, whatever markup it holds. */
QString toolTip(const QString& text);

/** A modal message box whose text is shown literally; returns the button pressed. */
QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                    const QString& text);

/**
 * The longest start of `text` that fits `width` pixels in `metrics`, cut between whole
 * characters (never inside a surrogate pair or a combining sequence).
 */
QString wholeCharactersThatFit(const QString& text, const QFontMetrics& metrics, int width);

} // namespace plaintext
