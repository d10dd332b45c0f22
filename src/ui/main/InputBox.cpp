#include "ui/main/InputBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>

InputBox::InputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tab leaves the box as it leaves a one-line box; it types nothing.
    setTabChangesFocus(true);
    setCenterOnScroll(false);
    document()->setDocumentMargin(2);
    connect(this, &QPlainTextEdit::textChanged, this, &InputBox::refreshSurplus);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &InputBox::restartCaretBlink);
}

void InputBox::restartCaretBlink() {
    // The text edit keeps its caret blinking on its own beat while the user types, so the
    // caret would vanish and reappear at random moments between keys: a repaint the typist
    // did not cause. A one-line box restarts the blink with every key; the text edit does so
    // only when the blink period changes, so that change is announced again.
    if (!hasFocus()) return;
    QStyleHints* hints = QGuiApplication::styleHints();
    Q_EMIT hints->cursorFlashTimeChanged(hints->cursorFlashTime());
}

namespace {

// The first `count` characters of `text`, one fewer when the cut would split a surrogate pair.
QString firstCharacters(const QString& text, qsizetype count) {
    if (count <= 0) return QString();
    if (count < text.size() && text[count - 1].isHighSurrogate()) --count;
    return text.left(count);
}

} // namespace

QString InputBox::withoutLineBreaks(QString text) {
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029 || u == 0x0B || u == 0x0C || u == 0x85;
    });
    return text;
}

void InputBox::setText(const QString& text) {
    // One edit step, like typing the whole text at once.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.insertText(firstCharacters(withoutLineBreaks(text), MaxLength));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void InputBox::clearInput() {
    if (document()->isEmpty()) return;
    // Unlike clear() or setPlainText(), editing through a cursor leaves the input method
    // alone: the composition is neither committed nor dropped, and stays drawn.
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    document()->clearUndoRedoStacks();
}

void InputBox::moveCaretToEnd() {
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void InputBox::markSurplus(int from) {
    if (from == m_surplusStart) return;
    m_surplusStart = from;
    refreshSurplus();
}

void InputBox::setSurplusColour(const QColor& colour) {
    if (colour == m_surplusColour) return;
    m_surplusColour = colour;
    refreshSurplus();
}

void InputBox::refreshSurplus() {
    QList<QTextEdit::ExtraSelection> marks;
    const int length = document()->characterCount() - 1;
    if (m_surplusStart >= 0 && m_surplusStart < length) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(m_surplusStart);
        mark.cursor.setPosition(length, QTextCursor::KeepAnchor);
        mark.format.setForeground(m_surplusColour);
        mark.format.setFontUnderline(true);
        marks.append(mark);
    }
    if (!marks.isEmpty() || !extraSelections().isEmpty()) setExtraSelections(marks);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter is the window's key; a line break never enters the box.
        event->ignore();
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed[0].isPrint() && document()->characterCount() - 1 >= MaxLength &&
        !textCursor().hasSelection()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void InputBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString kept = withoutLineBreaks(commit);
    const int room = MaxLength - (document()->characterCount() - 1) + event->replacementLength();
    if (kept == commit && kept.size() <= room) {
        QPlainTextEdit::inputMethodEvent(event);
        restartCaretBlink();
        return;
    }
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(firstCharacters(kept, room), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&trimmed);
    restartCaretBlink();
}

bool InputBox::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void InputBox::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) insertLimited(source->text());
}

void InputBox::insertLimited(const QString& text) {
    QTextCursor cursor = textCursor();
    const int kept = document()->characterCount() - 1 - int(cursor.selectionEnd() - cursor.selectionStart());
    const QString insert = firstCharacters(withoutLineBreaks(text), MaxLength - kept);
    if (insert.isEmpty() && !cursor.hasSelection()) return;
    cursor.insertText(insert);
    setTextCursor(cursor);
    ensureCursorVisible();
}
