#include "core/records/OwnTexts.h"
#include "core/texts/TextCatalogue.h"
#include "core/texts/TextSearch.h"

#include <algorithm>
#include <cstdint>

// The head of any file in FileBox makes a picker row, and any body splits, counts and searches,
// without a crash.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TextCatalogue::Head head = TextCatalogue::headFromBytes(bytes);
    (void)TextCatalogue::row(QString::fromLatin1(bytes.first(std::min<qsizetype>(16, bytes.size()))), head,
                             &OwnTexts::levelLabel);
    const QString body = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const TextEditing::BodyStatistics stats = TextEditing::bodyStatistics(body);
    for (qsizetype i = 0; i < stats.paragraphs.size(); ++i)
        if (body.mid(stats.starts[i], stats.paragraphs[i].size()) != stats.paragraphs[i]) __builtin_trap();
    TextSearch search;
    search.setTarget({size % 2 == 0, body.left(2)});
    search.setReplacement({size % 3 == 0, body.mid(2, 3)});
    QString replaced = body;
    (void)search.replaceAll(replaced);
    return 0;
}
