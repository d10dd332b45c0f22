#include "core/records/RecordDeletion.h"

#include "core/practice/Session.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/BestTimes.h"
#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace RecordDeletion {
namespace {

constexpr int IdLength = 12;

// Removes a file when it is there; false only when an existing file stays.
bool removeIfPresent(const QString& path, QStringList& errors) {
    QFile file(path);
    if (!file.exists()) return true;
    if (file.remove()) return true;
    errors.append(u"記録ファイル "_s + QFileInfo(path).fileName() + u" を削除できませんでした。（"_s +
                  file.errorString() + u"）"_s);
    return false;
}

} // namespace

bool removeTextRecords(const QString& logBox, const QString& id, QString* error) {
    if (basic::Trim(id).isEmpty() || id.contains(u'/') || id.contains(u'\\')) {
        // Never guess: an empty ID would match blank keys, a path would reach outside LogBox.
        if (error) *error = u"記録を削除するテキストの ID が正しくありません。"_s;
        return false;
    }
    QStringList errors;
    // Record lines carry a short ID padded to 12 characters; compare in the same form.
    const QString key = RecordFiles::textIdForFileName(id);
    const QString bestRec = logBox + u'/' + QString::fromUtf16(RecordFiles::BestRecFileName);
    if (QFileInfo::exists(bestRec)) {
        QByteArray bytes;
        QString reason;
        if (!RecordFiles::readWholeFile(bestRec, &bytes, &reason)) {
            errors.append(u"最高成績ファイル BestRec.log を読み込めませんでした。（"_s + reason + u"）"_s);
        } else {
            QList<QByteArray> kept;
            const QList<QByteArray> lines = RecordFiles::splitRawLines(bytes);
            // An ASCII ID (every ID the program makes) is found by its bytes after a one-byte first
            // character: no double-byte or invalid sequence reads back as ASCII. Other lines are decoded.
            const QByteArray keyBytes = cp932::encode(key);
            const bool asciiKey = keyBytes.size() == IdLength &&
                                  std::all_of(keyBytes.begin(), keyBytes.end(), [](char c) { return uchar(c) < 0x80; });
            for (const QByteArray& line : lines) {
                bool match = false;
                if (asciiKey && (line.isEmpty() || uchar(line[0]) < 0x80))
                    match = line.size() > IdLength && QByteArrayView(line).sliced(1, IdLength) == keyBytes;
                else // characters 2 to 13 need at most 26 bytes
                    match = basic::Mid(cp932::decode(line.left(2 * (IdLength + 1))), 2, IdLength) == key;
                if (!match) kept.append(line);
            }
            if (kept.size() != lines.size() && !writeFileAtomically(bestRec, RecordFiles::joinRawLines(kept), &reason))
                errors.append(u"最高成績ファイル BestRec.log を書き換えられませんでした。（"_s + reason + u"）"_s);
        }
    }
    const QString name = basic::RTrim(key) + u".txt"_s;
    removeIfPresent(logBox + u"/d"_s + name, errors);
    removeIfPresent(logBox + u"/b"_s + name, errors);
    if (error) *error = errors.join(u'\n');
    return errors.isEmpty();
}

bool hasRecords(const Session& m) {
    const QString line = RecordFiles::storedBestTimesLine(m);
    return !line.trimmed().isEmpty() && !BestTimesLine::isEmptyLine(line);
}

bool deleteCurrentTextRecords(Session& m, QString* error) {
    QStringList errors;
    m.text.bestTimes = BestTimesLine::empty();
    QString reason;
    if (!RecordFiles::storeBestTimesLine(m, BestTimesLine::emptyLine(), &reason)) errors.append(reason);

    const RecordFiles::TextKey key = RecordFiles::currentTextKey(m);
    if (!removeTextRecords(m.logBoxPath(), key.id, &reason)) errors.append(reason);
    // A file whose name is not the usual twelve digits and ".txt" has details files named after
    // the whole name rather than the ID.
    const QString usual = basic::RTrim(key.id) + u".txt"_s;
    if (!key.isSample() && key.recordFileName() != usual) {
        removeIfPresent(m.logBoxPath() + u"/d"_s + key.recordFileName(), errors);
        removeIfPresent(m.logBoxPath() + u"/b"_s + key.recordFileName(), errors);
    }
    if (error) *error = errors.join(u'\n');
    return errors.isEmpty();
}

} // namespace RecordDeletion
