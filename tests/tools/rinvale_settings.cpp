// rinvale-settings: writes and reads settings files through the program's own table code for the end-to-end tests.
//   rinvale-settings FILE [N=NUMBER | N.name=TEXT | N.address=TEXT]...   loads (or starts empty), applies, saves
//   rinvale-settings --get FILE N[.name|.address]   |   --check FILE (one whole table, nothing after it)
#include "core/settings/SettingsTable.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int failure(const QString& message) {
    std::fprintf(stderr, "rinvale-settings: %s\n", message.toUtf8().constData());
    return 1;
}

/** Entry N and its name or address member ("N.name", "N.address"), or no member for its number; -1 if invalid. */
std::pair<int, QString SettingsEntry::*> parseField(QStringView text) {
    const qsizetype dot = text.indexOf(u'.');
    const QStringView field = dot < 0 ? QStringView() : text.mid(dot + 1);
    bool ok = false;
    const int index = text.left(dot < 0 ? text.size() : dot).toInt(&ok);
    if (!ok || index < 0 || index >= SettingsTable::EntryCount) return {-1, nullptr};
    if (field == u"name") return {index, &SettingsEntry::name};
    if (field == u"address") return {index, &SettingsEntry::address};
    return {dot < 0 ? index : -1, nullptr};
}

int edit(const QString& path, const QStringList& assignments) {
    SettingsFile file(path);
    SettingsTable table;
    QString error;
    if (!file.load(table, &error)) return failure(error);
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        const auto [index, member] = parseField(QStringView(assignment).left(qMax(equals, qsizetype(0))));
        bool ok = equals >= 0 && index >= 0;
        if (ok && member)
            table[index].*member = assignment.mid(equals + 1);
        else if (ok)
            table.setNumber(index, assignment.mid(equals + 1).toInt(&ok));
        if (!ok) return failure(u"not an assignment: "_s + assignment);
    }
    return file.save(table, &error) ? 0 : failure(error);
}

int get(const QString& path, const QString& which) {
    const auto [index, member] = parseField(which);
    if (index < 0) return failure(u"not an entry: "_s + which);
    if (!QFile::exists(path)) return failure(u"no such file: "_s + path);
    SettingsTable table;
    QString error;
    if (!SettingsFile(path).load(table, &error)) return failure(error);
    std::printf("%s\n", (member ? table[index].*member : QString::number(table[index].number)).toUtf8().constData());
    return 0;
}

int check(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(path + u": "_s + file.errorString());
    const QByteArray bytes = file.readAll();
    SettingsTable::ReadResult result;
    SettingsTable::fromBytes(bytes, &result);
    if (!result.complete) return failure(u"%1 is cut short: %2 whole entries"_s.arg(path).arg(result.completeEntries));
    if (result.consumedBytes != bytes.size()) return failure(path + u" has bytes after its table"_s);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromUtf8(argv[i]));
    if (args.size() == 3 && args[0] == u"--get") return get(args[1], args[2]);
    if (args.size() == 2 && args[0] == u"--check") return check(args[1]);
    if (args.isEmpty() || args[0].startsWith(u'-'))
        return failure(u"usage: see the comment at the top of its source"_s);
    return edit(args[0], args.mid(1));
}
