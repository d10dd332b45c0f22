#include "core/records/WeakDrill.h"

#include "core/practice/CurrentText.h"
#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/records/RecordFiles.h"
#include "core/texts/SampleTexts.h"
#include "core/texts/TextEditing.h"
#include "core/texts/TextStats.h"

#include <QDir>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace WeakDrill {

QString weakestCharacters(const QList<WeaknessLog::WeakChar>& ranking, int count) {
    QString out;
    for (qsizetype i = 0; i < ranking.size() && i < count; ++i)
        out += QChar(ranking[i].character);
    return out;
}

QStringList availableParagraphs(const QString& fileBox) {
    QStringList out;
    auto addParagraphs = [&out](const QStringList& lines) {
        for (qsizetype i = CurrentText::FirstParagraphLine; i < lines.size(); ++i)
            if (!lines[i].isEmpty()) out.append(lines[i]);
    };
    // The newest texts (their names are their creation times) are plenty to choose from; reading
    // every one of tens of thousands would keep the window waiting for seconds.
    constexpr qsizetype NewestTexts = 2000;
    const QStringList names = QDir(fileBox).entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
    for (qsizetype i = std::max<qsizetype>(0, names.size() - NewestTexts); i < names.size(); ++i) {
        QString error;
        addParagraphs(TextLoading::readPracticeFile(fileBox, names[i], &error));
    }
    for (int i = 0; i < SampleTexts::MenuItemCount; ++i)
        if (SampleTexts::isSample(i)) addParagraphs(SampleTexts::sampleLines(i));
    return out;
}

QStringList pickParagraphs(const QStringList& paragraphs, QStringView characters, bool japanese) {
    QSet<char16_t> weak;
    for (const QChar c : characters)
        weak.insert(c.unicode());
    struct Candidate {
        double score;
        qsizetype hits;
        qsizetype index;
    };
    QList<Candidate> candidates;
    QSet<QString> seen;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const QString& p = paragraphs[i];
        if (p.isEmpty() || p.size() > MaxParagraphChars || seen.contains(p)) continue;
        seen.insert(p);
        if (RecordFiles::isJapaneseMark(classifyChars(p)) != japanese) continue;
        qsizetype hits = 0;
        for (const QChar c : p)
            hits += weak.contains(c.unicode()) ? 1 : 0;
        // Density, with a short paragraph's few characters weighed as if it had twenty more.
        if (hits > 0) candidates.append({double(hits) / double(p.size() + 20), hits, i});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.score != b.score) return a.score > b.score;
        return a.hits > b.hits;
    });
    QStringList out;
    qsizetype total = 0;
    for (const Candidate& c : candidates) {
        if (out.size() >= MaxParagraphs) break;
        const qsizetype length = paragraphs[c.index].size();
        if (total + length > MaxTextChars) continue;
        total += length;
        out.append(paragraphs[c.index]);
    }
    return out;
}

OwnTexts::SaveResult makeDrill(Session& m, const QList<WeaknessLog::WeakChar>& ranking, bool japanese,
                               const QDateTime& now) {
    OwnTexts::SaveResult result;
    const QString characters = weakestCharacters(ranking);
    if (characters.isEmpty()) {
        result.error = u"苦手文字の記録がまだありません。練習すると記録されます。"_s;
        return result;
    }
    const QStringList picked = pickParagraphs(availableParagraphs(m.fileBoxPath()), characters, japanese);
    if (picked.isEmpty()) {
        result.error = u"苦手文字を含む段落が、自作テキストにも例題にも見つかりませんでした。"_s;
        return result;
    }
    QStringList shown;
    for (const QChar c : characters)
        shown.append(WeaknessLog::displayCharacter(c.unicode()));
    TextEditing::Fields fields;
    fields.title = u"苦手文字練習（"_s + shown.join(u"・"_s) + u"）"_s;
    fields.body = picked.join(u"\r\n"_s);
    fields.source = QString::fromUtf16(Source);
    fields.year = QString::number(now.date().year());
    fields.month = QString::number(now.date().month());
    fields.day = QString::number(now.date().day());
    const TextEditing::BodyStatistics stats = TextEditing::bodyStatistics(fields.body);
    if (const QStringList problems = limitViolations(stats.whole, stats.counts); !problems.isEmpty()) {
        result.error = problems.join(u'\n');
        return result;
    }
    QDir().mkpath(m.fileBoxPath());
    OwnTexts::SaveRequest request;
    request.fields = fields;
    request.mode = OwnTexts::SaveMode::Create;
    request.now = now;
    return OwnTexts::save(m, stats, request);
}

} // namespace WeakDrill
