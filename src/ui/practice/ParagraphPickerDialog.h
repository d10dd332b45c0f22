#pragma once

#include "core/practice/CurrentText.h"

#include <QDialog>

class QListWidget;

/**
 * The paragraph selection window: lists the paragraphs by number and opening words and
 * answers with the accepted one (`chosenParagraph()`, after exec() returns Accepted).
 */
class ParagraphPickerDialog : public QDialog {
    Q_OBJECT

public:
    /** Lists the paragraphs of `text`, the practised one selected. */
    ParagraphPickerDialog(const CurrentText& text, QWidget* owner);

    /** The chosen paragraph (0 = the first); -1 until one is accepted. */
    int chosenParagraph() const { return m_chosen; }

    /** OK or Enter: choose the selected paragraph and close. */
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_chosen = -1;
    QListWidget* m_paragraphList = nullptr;
};
