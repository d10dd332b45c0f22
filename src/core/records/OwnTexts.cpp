#include "core/records/OwnTexts.h"

#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/records/RecordDeletion.h"
#include "core/scoring/GradeScales.h"
#include "core/settings/Options.h"
#include "core/util/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace OwnTexts {
namespace {

QString textId(const QString& fileName) {
    return fileName.left(12);
}

} // namespace

QString levelLabel(const CharCounts& counts, float bestSeconds) {
    const double weighted = weightedKeystrokes(counts);
    const float value = weighted > 0 ? float(double(bestSeconds) * 400.0 / weighted) : BestTimesLine::EmptyTime;
    return ownLevel(languageClass(counts), value, u" -");
}

std::optional<EditedText> openForEditing(const Session& m, const QString& fileName, int currentYear, QString* error) {
    const QStringList lines = TextLoading::readPracticeFile(m.fileBoxPath(), fileName, error);
    if (lines.isEmpty()) return std::nullopt;
    return EditedText{fileName, TextEditing::fieldsFromLines(lines, currentYear), lines.value(4)};
}

SaveResult save(Session& m, const TextEditing::BodyStatistics& stats, const SaveRequest& request) {
    using namespace TextEditing;
    SaveResult result;
    Fields f = withCompletedDate(request.fields);
    f.source = cleaned(f.source);
    f.keyword = cleaned(f.keyword);
    f.title = cleaned(f.title);
    result.stored = f;

    const bool overwrite = request.mode == SaveMode::Overwrite && request.edited;
    QString bestTimes = QString::fromUtf16(NoRecordLine);
    if (overwrite && !request.bodyChanged && !request.edited->bestTimes.isEmpty())
        bestTimes = request.edited->bestTimes;
    const QStringList lines = fileLines(f, stats, bestTimes);
    // What could not be practised is never saved as if it could.
    if (const QString problem = TextLoading::checkPracticeLines(lines); !problem.isEmpty()) {
        result.error = u"このテキストは練習できないため保存しません。\n"_s + problem;
        return result;
    }

    const bool newSource = storeSource(m.settings, f.source);
    const bool newKeyword = storeKeyword(m.settings, f.keyword);
    if (newSource || newKeyword) {
        SettingsFile file(m.settingsPath());
        QString error;
        if (!file.save(m.settings, &error)) result.warnings.append(error);
    }

    const QString name = overwrite ? request.edited->fileName : newFileName(m.fileBoxPath(), request.now);
    QString error;
    if (!writeFileAtomically(m.fileBoxPath() + u'/' + name, fileBytes(lines), &error)) {
        result.error = u"テキストを保存できませんでした。（"_s + error + u"）"_s;
        return result;
    }
    result.saved = true;
    result.fileName = name;
    if (overwrite && request.bodyChanged && !RecordDeletion::removeTextRecords(m.logBoxPath(), textId(name), &error))
        result.warnings.append(error);

    // The text just saved is the one to practise, whichever text was current before.
    const QString previous = m.settings[Options::CurrentFile].address;
    m.settings[Options::CurrentFile].address = name;
    if (!TextLoading::loadOwnText(m, &error)) {
        result.warnings.append(error);
        m.settings[Options::CurrentFile].address = previous;
        TextLoading::loadCurrentText(m, nullptr);
    }
    return result;
}

bool practise(Session& m, const QString& fileName, QString* error) {
    QString& current = m.settings[Options::CurrentFile].address;
    const QString previous = current;
    current = fileName;
    if (TextLoading::loadOwnText(m, error)) return true;
    current = previous;
    return false;
}

Deletion remove(Session& m, const QString& fileName) {
    Deletion d;
    QFile file(m.fileBoxPath() + u'/' + fileName);
    if (!TextLoading::isPlainFileName(fileName) || !file.remove()) {
        d.error = u"テキスト "_s + fileName + u" を削除できませんでした。（"_s + file.errorString() + u"）"_s;
        return d;
    }
    d.deleted = true;
    if (m.settings[Options::CurrentFile].address == fileName) {
        d.wasCurrent = true;
        TextLoading::chooseSample(m, 0);
    }
    QString error;
    if (!RecordDeletion::removeTextRecords(m.logBoxPath(), textId(fileName), &error)) d.error = error;
    return d;
}

} // namespace OwnTexts
