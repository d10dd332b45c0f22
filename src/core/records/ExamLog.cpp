#include "core/records/ExamLog.h"

#include "core/util/AtomicFile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ExamLog {

namespace {
constexpr int FixedColumns = 9; // date .. net_cpm; the grades follow, then the text's names
constexpr int ColumnCount = FixedColumns + StandardCount + 2;

QByteArray field(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text.toUtf8();
}
} // namespace

QByteArray columnLine() {
    QByteArray columns = "date\tminutes\tseconds_used\ttime_up\ttyped\terrors_left\tcorrections\tnet\tnet_cpm";
    for (int k = 1; k <= StandardCount; ++k)
        columns += "\tgrade_" + QByteArray::number(k);
    return columns + "\ttext_file\ttitle\tlanguage";
}

QByteArray line(const Entry& e) {
    const ExamResult::Figures& f = e.figures;
    QList<QByteArray> fields = {e.when.toString(Qt::ISODate).toUtf8(),
                                QByteArray::number(f.minutes),
                                QByteArray::number(double(f.elapsedMs) / 1000.0, 'f', 2),
                                f.timeUp ? "1" : "0",
                                QByteArray::number(f.tally.typed),
                                QByteArray::number(f.tally.errorsLeft),
                                QByteArray::number(f.tally.corrections),
                                QByteArray::number(f.net),
                                QByteArray::number(double(f.netCpm), 'f', 1)};
    for (const QString& grade : f.grades)
        fields.append(field(grade.trimmed()));
    fields.append(field(e.textFile));
    fields.append(field(e.title));
    if (e.japanese) fields.append(*e.japanese ? "J" : "E");
    return fields.join('\t');
}

bool append(const QString& path, const Entry& entry, QString* error) {
    QByteArray bytes;
    const QFileInfo info(path);
    if (!info.exists() || info.size() == 0) bytes = QByteArray(FormatLine) + '\n' + columnLine() + '\n';
    bytes += line(entry) + '\n';
    QString reason;
    if (appendToFile(path, bytes, "\n", &reason)) return true;
    if (error) *error = path + u"に試験の記録を書き込めませんでした。\n"_s + reason;
    return false;
}

QList<Entry> parse(const QByteArray& bytes) {
    QList<Entry> entries;
    for (QByteArray raw : bytes.split('\n')) {
        if (raw.endsWith('\r')) raw.chop(1);
        if (raw.isEmpty() || raw.startsWith('#') || raw.startsWith("date\t")) continue;
        const QList<QByteArray> fields = raw.split('\t');
        if (fields.size() < ColumnCount) continue;
        Entry e;
        e.when = QDateTime::fromString(QString::fromUtf8(fields[0]), Qt::ISODate);
        bool ok[8] = {};
        ExamResult::Figures& f = e.figures;
        f.minutes = fields[1].toInt(&ok[0]);
        f.elapsedMs = qint32(fields[2].toDouble(&ok[1]) * 1000.0 + 0.5);
        f.timeUp = fields[3] == "1";
        f.tally.typed = fields[4].toInt(&ok[2]);
        f.tally.errorsLeft = fields[5].toInt(&ok[3]);
        f.tally.corrections = fields[6].toInt(&ok[4]);
        f.net = fields[7].toInt(&ok[5]);
        f.netCpm = fields[8].toFloat(&ok[6]);
        ok[7] = e.when.isValid() && f.elapsedMs >= 0;
        if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; })) continue;
        f.netCpmText = QString::fromUtf8(fields[8]);
        for (int k = 0; k < StandardCount; ++k)
            f.grades[size_t(k)] = QString::fromUtf8(fields[FixedColumns + k]);
        e.textFile = QString::fromUtf8(fields[FixedColumns + StandardCount]);
        e.title = QString::fromUtf8(fields[FixedColumns + StandardCount + 1]);
        // A line written before the language column has none; an unknown mark is no mark.
        if (const QByteArray mark = fields.value(FixedColumns + StandardCount + 2); mark == "J" || mark == "E")
            e.japanese = mark == "J";
        entries.append(e);
    }
    return entries;
}

} // namespace ExamLog
