#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/**
 * Code page 932 (Shift_JIS with Microsoft's extensions), the encoding of every file the
 * program reads and writes. Built once from glibc iconv's "CP932" table.
 */
namespace cp932 {

/** The character's code: 0..0xFF for a single byte, lead byte * 256 + trail byte for two; '?' (0x3F) when unmappable.
 */
quint16 code(char16_t c);

/** True when the character takes two bytes (and two display columns). */
inline bool isDoubleByte(char16_t c) {
    return code(c) > 0xFF;
}

/** Number of bytes the text takes in code page 932. */
qsizetype byteLength(QStringView s);

/** Encodes text; every unmappable character becomes "?". */
QByteArray encode(QStringView s);

/**
 * Decodes bytes. An invalid or unmapped byte sequence becomes U+FFFD and sets *ok to
 * false (when given); decoding never stops early.
 */
QString decode(QByteArrayView bytes, bool* ok = nullptr);

} // namespace cp932
