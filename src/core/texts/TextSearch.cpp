#include "core/texts/TextSearch.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t Markers[] = {u'▼', u'▲', u'◆'};

bool isMarker(QChar c) {
    return c == Markers[0] || c == Markers[1] || c == Markers[2];
}

} // namespace

QString TextSearch::Replacement::inserted(QStringView lineBreak) const {
    return sentenceBreak ? u"。"_s + lineBreak.toString() + u"　"_s : text;
}

TextSearch::Match TextSearch::findFrom(QStringView body, const Target& target, qsizetype from) {
    if (from < 0) from = 0;
    if (from >= body.size()) return {};
    if (target.markers) {
        for (qsizetype i = from; i < body.size(); ++i)
            if (isMarker(body[i])) return {i, 1};
        return {};
    }
    if (target.text.isEmpty()) return {};
    const qsizetype at = body.indexOf(target.text, from);
    return at < 0 ? Match{} : Match{at, target.text.size()};
}

bool TextSearch::isMatchAt(QStringView body, qsizetype start, qsizetype length) const {
    if (start < 0 || length <= 0 || start + length > body.size()) return false;
    if (m_target.markers) return length == 1 && isMarker(body[start]);
    return body.mid(start, length) == m_target.text;
}

TextSearch::Outcome TextSearch::findNext(QStringView body) {
    if (targetMissing()) return {{}, QString::fromUtf16(NoTarget)};
    Match m = findFrom(body, m_target, m_position);
    if (!m.found()) m = findFrom(body, m_target, 0);
    if (!m.found()) {
        m_position = 0;
        return {{}, QString::fromUtf16(NotFound)};
    }
    m_position = m.start + 1;
    return {m, {}};
}

void TextSearch::replaceAt(QString& body, const Match& match) {
    const QString put = m_replacement.inserted(m_lineBreak);
    body.replace(match.start, match.length, put);
    // The next search starts right after what was put in: nothing of the body is skipped and a
    // replacement that holds the target is never replaced again.
    m_position = match.start + put.size();
}

TextSearch::Outcome TextSearch::replaceNext(QString& body, qsizetype selectionStart, qsizetype selectionLength) {
    if (targetMissing()) return {{}, QString::fromUtf16(NoTarget)};
    if (m_position > 0 && selectionStart == m_position - 1 && isMatchAt(body, selectionStart, selectionLength))
        replaceAt(body, {selectionStart, selectionLength});
    return findNext(body);
}

TextSearch::Outcome TextSearch::replaceAll(QString& body) {
    if (targetMissing()) return {{}, QString::fromUtf16(NoTarget)};
    int count = 0;
    qsizetype from = 0;
    for (;;) {
        const Match m = findFrom(body, m_target, from);
        if (!m.found()) break;
        replaceAt(body, m);
        from = m_position;
        ++count;
    }
    m_position = 0;
    if (count == 0) return {{}, QString::fromUtf16(NotFound)};
    return {{}, QString::number(count) + u" 箇所置換しました"_s};
}
