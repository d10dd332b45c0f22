#pragma once

#include <QApplication>
#include <QString>

using namespace Qt::StringLiterals;

namespace bench {

// The widget benchmarks need an application object and the text benchmarks do not, so it is
// made on first use, on the offscreen platform.
inline void ensureApplication() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rinvale_bench";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: destroying it during static teardown would outlive Qt's own state.
    new QApplication(argc, argv);
}

/** A Japanese target of `length` characters: the longest paragraph a segment shows. */
inline QString japaneseTarget(qsizetype length = 800) {
    QString target;
    const QString sentence = u"国際の平和及び安全を維持するために、われらの力を合わせ、"_s;
    while (target.size() < length)
        target += sentence;
    target.truncate(length);
    return target;
}

} // namespace bench
