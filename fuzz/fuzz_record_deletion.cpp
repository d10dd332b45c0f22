#include "FuzzScratch.h"
#include "core/records/RecordDeletion.h"
#include "core/records/RecordFiles.h"
#include "core/util/BasicFunctions.h"

#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

// Input: a text ID (UTF-8), a zero byte, then BestRec.log. Deleting the text's records in a
// scratch LogBox only ever removes lines of BestRec.log and files inside LogBox, keeps the
// other lines in order, leaves every file outside LogBox alone, and a second deletion finds
// nothing more to change.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const auto [idBytes, bestRec] = splitAtZero(data, size);
    const QString id = QString::fromUtf8(idBytes);
    const QString folder = scratch.fresh();
    const QString logBox = folder + u"/LogBox"_s;
    if (!QDir().mkpath(logBox)) std::abort();
    const QString bestRecPath = logBox + u"/BestRec.log"_s;
    writeBytes(bestRecPath, bestRec);
    // Bystanders: another text's details, a month log, and files beside LogBox.
    const QStringList kept = {logBox + u"/202401Practice.log"_s, logBox + u"/dOTHERTEXT.txt"_s,
                              folder + u"/RudUZ.rvl"_s, folder + u"/d.txt"_s, folder + u"/LogBox.txt"_s};
    for (const QString& path : kept)
        writeBytes(path, "keep");

    // The text's own details files, where its ID makes a file name.
    const QString ownName = basic::RTrim(RecordFiles::textIdForFileName(id)) + u".txt"_s;
    if (ownName == u"OTHERTEXT.txt"_s) return 0;
    const bool plantable = !basic::Trim(id).isEmpty() && !id.contains(u'/') && !id.contains(u'\\');
    if (plantable) {
        writeBytes(logBox + u"/d"_s + ownName, "details");
        writeBytes(logBox + u"/b"_s + ownName, "best");
    }

    const bool ok = RecordDeletion::removeTextRecords(logBox, id, nullptr);
    if (plantable && ok &&
        (QFileInfo::exists(logBox + u"/d"_s + ownName) || QFileInfo::exists(logBox + u"/b"_s + ownName)))
        __builtin_trap();
    for (const QString& path : kept)
        if (readBytes(path) != "keep") __builtin_trap();

    // What is left of BestRec.log is the old lines in their order, some of them dropped.
    const QList<QByteArray> before = RecordFiles::splitRawLines(bestRec);
    const QByteArray afterBytes = QFileInfo::exists(bestRecPath) ? readBytes(bestRecPath) : QByteArray();
    const QList<QByteArray> after = RecordFiles::splitRawLines(afterBytes);
    qsizetype next = 0;
    for (const QByteArray& line : after) {
        while (next < before.size() && before[next] != line)
            ++next;
        if (next == before.size()) __builtin_trap();
        ++next;
    }
    if (after.size() == before.size() && afterBytes != bestRec) __builtin_trap(); // untouched when nothing matched

    // Nothing new appears in LogBox or beside it.
    QSet<QString> allowed = {u"BestRec.log"_s, u"202401Practice.log"_s, u"dOTHERTEXT.txt"_s};
    if (!ok) allowed += {u"d"_s + ownName, u"b"_s + ownName};
    for (const QString& name : QDir(logBox).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (!allowed.contains(name)) __builtin_trap();
    if (QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size() != 4) __builtin_trap();

    RecordDeletion::removeTextRecords(logBox, id, nullptr);
    if ((QFileInfo::exists(bestRecPath) ? readBytes(bestRecPath) : QByteArray()) != afterBytes) __builtin_trap();
    return 0;
}
