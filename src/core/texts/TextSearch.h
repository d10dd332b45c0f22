#pragma once

#include <QString>
#include <QStringView>

/**
 * Find, replace and replace all in the editor's body. Positions are 0-based offsets in the body
 * as the edit box holds it; a search starts at the caret or just after the previous match.
 */
class TextSearch {
public:
    /** What is looked for: a text, or any of the three markers ▼ ▲ ◆. */
    struct Target {
        bool markers = false;
        QString text;
    };
    /** What a match becomes: a text, or "。", a line break and a full-width space. */
    struct Replacement {
        bool sentenceBreak = false;
        QString text;
        /** The characters put in place of a match, with `lineBreak` as the line break. */
        QString inserted(QStringView lineBreak) const;
    };
    /** A found match (0-based start) or, when length is 0, none. */
    struct Match {
        qsizetype start = 0;
        qsizetype length = 0;
        bool found() const { return length > 0; }
    };
    /** What a command did: the match to select, and the message to show (empty for none). */
    struct Outcome {
        Match match;
        QString message;
    };

    static constexpr char16_t NoTarget[] = u"検索（置換元）文字列を指定してください";
    static constexpr char16_t NotFound[] = u"検索（置換元）文字列が見つかりません";

    /** The first match at or after `from` (0-based), or none. */
    static Match findFrom(QStringView body, const Target& target, qsizetype from);

    void setTarget(const Target& target) { m_target = target; }
    void setReplacement(const Replacement& replacement) { m_replacement = replacement; }
    void setLineBreak(const QString& lineBreak) { m_lineBreak = lineBreak; }
    /** The caret moved: the next search starts there. A changed search text starts again with 0. */
    void setCaret(qsizetype caret) { m_position = caret; }
    qsizetype position() const { return m_position; }

    /** Find next; after the last match it starts again from the top. */
    Outcome findNext(QStringView body);
    /**
     * Replace and find next: the selection (0-based start, length) is replaced when it is a
     * match at the search position; otherwise this only finds the next match.
     */
    Outcome replaceNext(QString& body, qsizetype selectionStart, qsizetype selectionLength);
    /** Replaces every match from the top; the message gives the count ("3 箇所置換しました"). */
    Outcome replaceAll(QString& body);

private:
    bool targetMissing() const { return !m_target.markers && m_target.text.isEmpty(); }
    bool isMatchAt(QStringView body, qsizetype start, qsizetype length) const;
    /** Replaces the match and moves the position to the end of what was put in. */
    void replaceAt(QString& body, const Match& match);

    Target m_target;
    Replacement m_replacement;
    QString m_lineBreak = QStringLiteral("\n");
    qsizetype m_position = 0;
};
