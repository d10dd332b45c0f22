#include "core/util/Cp932.h"

#include <iconv.h>

#include <array>
#include <memory>

namespace cp932 {
namespace {

constexpr char16_t Unmapped = 0xFFFF;

struct Tables {
    std::array<quint16, 65536> encode{};  // UTF-16 code unit -> CP932 code ('?' when none)
    std::array<char16_t, 65536> decode{}; // CP932 code (single byte or lead*256+trail) -> UTF-16
    std::array<bool, 256> lead{};         // bytes that start a two-byte sequence

    Tables() {
        encode.fill(0x3F);
        decode.fill(Unmapped);
        iconv_t toCp = iconv_open("CP932", "UTF-16LE");
        iconv_t fromCp = iconv_open("UTF-16LE", "CP932");
        if (toCp == iconv_t(-1) || fromCp == iconv_t(-1)) {
            // Without iconv's table only ASCII is known; the program stays usable for English.
            for (char16_t c = 0; c < 0x80; ++c) {
                encode[c] = c;
                decode[c] = c;
            }
            return;
        }
        for (quint32 u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u < 0xE000) continue;
            char in[2] = {char(u & 0xFF), char(u >> 8)};
            char out[8];
            char* ip = in;
            char* op = out;
            size_t inLeft = 2, outLeft = sizeof out;
            iconv(toCp, nullptr, nullptr, nullptr, nullptr);
            if (iconv(toCp, &ip, &inLeft, &op, &outLeft) == size_t(-1)) continue;
            const size_t n = sizeof out - outLeft;
            if (n == 1)
                encode[u] = quint8(out[0]);
            else if (n == 2)
                encode[u] = quint16((quint8(out[0]) << 8) | quint8(out[1]));
        }
        for (int b = 0; b < 256; ++b)
            decodeOne(fromCp, b, 1);
        for (int leadByte = 0x81; leadByte <= 0xFC; ++leadByte) {
            if (leadByte >= 0xA0 && leadByte < 0xE0) continue;
            lead[size_t(leadByte)] = true;
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (trail != 0x7F) decodeOne(fromCp, (leadByte << 8) | trail, 2);
        }
        iconv_close(toCp);
        iconv_close(fromCp);
    }

    void decodeOne(iconv_t cd, int codeValue, int length) {
        char in[2];
        if (length == 1) {
            in[0] = char(codeValue);
        } else {
            in[0] = char(codeValue >> 8);
            in[1] = char(codeValue & 0xFF);
        }
        char out[8];
        char* ip = in;
        char* op = out;
        size_t inLeft = size_t(length), outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &ip, &inLeft, &op, &outLeft) == size_t(-1) || sizeof out - outLeft != 2) return;
        decode[size_t(codeValue)] = char16_t(quint8(out[0]) | (quint8(out[1]) << 8));
    }
};

const Tables& tables() {
    static const std::unique_ptr<Tables> instance = std::make_unique<Tables>();
    return *instance;
}

} // namespace

quint16 code(char16_t c) {
    return tables().encode[c];
}

qsizetype byteLength(QStringView s) {
    const Tables& t = tables();
    qsizetype n = 0;
    for (QChar c : s)
        n += t.encode[c.unicode()] > 0xFF ? 2 : 1;
    return n;
}

QByteArray encode(QStringView s) {
    const Tables& t = tables();
    QByteArray out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        const quint16 v = t.encode[c.unicode()];
        if (v > 0xFF) out.append(char(v >> 8));
        out.append(char(v & 0xFF));
    }
    return out;
}

QString decode(QByteArrayView bytes, bool* ok) {
    const Tables& t = tables();
    QString out;
    out.reserve(bytes.size());
    bool valid = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const quint8 b = quint8(bytes[i]);
        char16_t c = Unmapped;
        if (t.lead[b] && i + 1 < bytes.size()) {
            const quint8 trail = quint8(bytes[i + 1]);
            c = t.decode[size_t((b << 8) | trail)];
            if (c != Unmapped) ++i;
        } else if (!t.lead[b]) {
            c = t.decode[b];
        }
        if (c == Unmapped) {
            valid = false;
            c = 0xFFFD;
        }
        out.append(QChar(c));
    }
    if (ok) *ok = valid;
    return out;
}

} // namespace cp932
