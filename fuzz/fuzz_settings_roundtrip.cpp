#include "FuzzScratch.h"
#include "core/settings/SettingsTable.h"

using namespace Qt::StringLiterals;

// Any settings file loads; saving it writes the table and keeps the bytes that followed a
// complete table; and the saved file loads and saves again byte for byte the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const QString path = scratch.fresh() + u"/RudUZ.rvl"_s;
    const QByteArray original(reinterpret_cast<const char*>(data), qsizetype(size));
    writeBytes(path, original);

    SettingsTable table;
    SettingsFile file(path);
    if (!file.load(table)) __builtin_trap(); // a readable regular file always loads
    if (!file.save(table)) __builtin_trap();
    const QByteArray saved = readBytes(path);

    SettingsTable::ReadResult read;
    SettingsTable::fromBytes(original, &read);
    const QByteArray image = table.toBytes();
    const QByteArray surplus = read.complete ? original.mid(read.consumedBytes) : QByteArray();
    if (saved != image + surplus) __builtin_trap();

    // From the first save on nothing drifts: the saved file loads as a table that writes the
    // same bytes, and saving it again changes nothing.
    SettingsTable again;
    SettingsFile second(path);
    if (!second.load(again) || again.toBytes() != image) __builtin_trap();
    if (!second.save(again) || readBytes(path) != saved) __builtin_trap();
    return 0;
}
