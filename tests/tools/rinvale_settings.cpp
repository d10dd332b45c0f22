// rinvale-settings: creates, edits and inspects a settings file through the program's own
// settings-table code, so the end-to-end tests never write the file format themselves.
//
//   rinvale-settings FILE [N=NUMBER | N.name=TEXT | N.address=TEXT]...
//       loads FILE (a missing file is an empty table), applies each assignment in order and
//       saves it the way the program does; with no assignment it only creates the file
//   rinvale-settings --get FILE N | N.name | N.address
//       prints the entry's number or text
//   rinvale-settings --check FILE
//       succeeds only when FILE holds one whole table and nothing after it
#include "core/settings/SettingsTable.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum class Field { Number, Name, Address };

struct EntryField {
    int index = 0;
    Field field = Field::Number;
};

int usage() {
    std::fputs("usage: rinvale-settings FILE [N=NUMBER | N.name=TEXT | N.address=TEXT]...\n"
               "       rinvale-settings --get FILE N[.name|.address]\n"
               "       rinvale-settings --check FILE\n",
               stderr);
    return 2;
}

int failure(const QString& message) {
    std::fprintf(stderr, "rinvale-settings: %s\n", message.toUtf8().constData());
    return 1;
}

/** Parses "N", "N.name" or "N.address"; N must name one of the table's entries. */
std::optional<EntryField> parseEntryField(QStringView text) {
    EntryField result;
    QStringView number = text;
    if (const qsizetype dot = text.indexOf(u'.'); dot >= 0) {
        number = text.left(dot);
        const QStringView field = text.mid(dot + 1);
        if (field == u"name")
            result.field = Field::Name;
        else if (field == u"address")
            result.field = Field::Address;
        else
            return std::nullopt;
    }
    bool ok = false;
    result.index = number.toInt(&ok);
    if (!ok || result.index < 0 || result.index >= SettingsTable::EntryCount) return std::nullopt;
    return result;
}

bool applyAssignment(SettingsTable& table, const QString& assignment) {
    const qsizetype equals = assignment.indexOf(u'=');
    if (equals < 0) return false;
    const std::optional<EntryField> target = parseEntryField(QStringView(assignment).left(equals));
    if (!target) return false;
    const QString value = assignment.mid(equals + 1);
    switch (target->field) {
    case Field::Number: {
        bool ok = false;
        const qint32 number = value.toInt(&ok);
        if (!ok) return false;
        table.setNumber(target->index, number);
        return true;
    }
    case Field::Name:
        table[target->index].name = value;
        return true;
    case Field::Address:
        table[target->index].address = value;
        return true;
    }
    return false;
}

int edit(const QString& path, const QStringList& assignments) {
    SettingsFile file(path);
    SettingsTable table;
    QString error;
    if (!file.load(table, &error)) return failure(error);
    for (const QString& assignment : assignments) {
        if (!applyAssignment(table, assignment)) return failure(u"not an assignment: "_s + assignment);
    }
    if (!file.save(table, &error)) return failure(error);
    return 0;
}

int get(const QString& path, const QString& which) {
    const std::optional<EntryField> target = parseEntryField(which);
    if (!target) return failure(u"not an entry: "_s + which);
    if (!QFile::exists(path)) return failure(u"no such file: "_s + path);
    SettingsFile file(path);
    SettingsTable table;
    QString error;
    if (!file.load(table, &error)) return failure(error);
    const SettingsEntry& entry = table[target->index];
    const QString value = target->field == Field::Number ? QString::number(entry.number)
                          : target->field == Field::Name ? entry.name
                                                         : entry.address;
    std::printf("%s\n", value.toUtf8().constData());
    return 0;
}

int check(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(path + u": "_s + file.errorString());
    const QByteArray bytes = file.readAll();
    SettingsTable::ReadResult result;
    SettingsTable::fromBytes(bytes, &result);
    if (!result.complete)
        return failure(u"%1 is cut short: %2 whole entries of %3"_s.arg(path)
                           .arg(result.completeEntries)
                           .arg(SettingsTable::EntryCount));
    if (result.consumedBytes != bytes.size())
        return failure(u"%1 has %2 bytes after its table"_s.arg(path).arg(bytes.size() - result.consumedBytes));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromUtf8(argv[i]));
    if (args.size() == 3 && args[0] == u"--get") return get(args[1], args[2]);
    if (args.size() == 2 && args[0] == u"--check") return check(args[1]);
    if (args.isEmpty() || args[0].startsWith(u'-')) return usage();
    const QString path = args.takeFirst();
    return edit(path, args);
}
