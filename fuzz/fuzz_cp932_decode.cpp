#include "core/util/Cp932.h"

#include <cstdint>

// Decoding never fails outright, and valid text survives a round trip.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bool ok = false;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = cp932::decode(bytes, &ok);
    if (ok && cp932::decode(cp932::encode(text)) != text) __builtin_trap();
    return 0;
}
