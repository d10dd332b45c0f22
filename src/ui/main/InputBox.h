#pragma once

#include <QPlainTextEdit>

/**
 * The practice's input box: the typed text wraps over the box's rows and scrolls
 * vertically. A line break never enters it (Enter belongs to the window, pasted or
 * committed line breaks are left out), and it holds at most maxLength() characters.
 * Clearing it keeps a composition under way, so that the first key of the next paragraph
 * is not lost.
 */
class InputBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit InputBox(QWidget* parent = nullptr);

    /** The longest input the box holds (as a one-line edit box does). */
    static constexpr int MaxLength = 32767;
    int maxLength() const { return MaxLength; }

    /** The input, without the composition under way. */
    QString text() const { return toPlainText(); }
    /** Replaces the input (line breaks left out); the caret goes to the end. */
    void setText(const QString& text);

    /**
     * Empties the input without disturbing the input method: a composition under way stays
     * and goes on in the empty box. The cleared text cannot be brought back by undo.
     */
    void clearInput();

    /** Puts the caret at the end of the input with nothing selected. */
    void moveCaretToEnd();

    /** Shows the input from character `from` on in the surplus colour (past the paragraph's end); -1 shows nothing. */
    void markSurplus(int from);
    /** The colour of characters past the paragraph's end (the miss colour). */
    void setSurplusColour(const QColor& colour);
    /** Where the surplus mark starts, -1 when there is none. */
    int surplusStart() const { return m_surplusStart; }

    /** `text` without line breaks of any kind. */
    static QString withoutLineBreaks(QString text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void insertLimited(const QString& text);
    void refreshSurplus();
    void restartCaretBlink();

    int m_surplusStart = -1;
    QColor m_surplusColour{255, 0, 0};
};
