#include "core/settings/SettingsTable.h"

#include <cstdint>

// Any byte image loads without a crash, and a complete table written back reads the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsTable::ReadResult result;
    const SettingsTable table =
        SettingsTable::fromBytes(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &result);
    if (result.consumedBytes > qsizetype(size)) __builtin_trap();
    const QByteArray again = table.toBytes();
    if (SettingsTable::fromBytes(again).toBytes() != again) __builtin_trap();
    return 0;
}
