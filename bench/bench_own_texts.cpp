#include "core/records/OwnTexts.h"
#include "core/texts/SampleTexts.h"
#include "core/texts/TextCatalogue.h"
#include "core/texts/TextEditing.h"
#include "core/util/Cp932.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A 9,999-character body of 200 paragraphs from the Japanese samples, as pasted into the editor.
QString editorBody() {
    QString text;
    for (int menuIndex : {0, 3, 6, 9, 12, 15, 18})
        text += SampleTexts::sampleLines(menuIndex).mid(5).join(QString());
    text = text.left(9999);
    QString body;
    const qsizetype step = text.size() / 200;
    for (int p = 0; p < 200; ++p)
        body += text.mid(p * step, p == 199 ? -1 : step) + u"\n\n"_s;
    return body;
}

void BM_EditorStatistics9999Chars200Paragraphs(benchmark::State& state) {
    const QString body = editorBody();
    cp932::code(u'あ');
    for (auto _ : state) {
        const TextEditing::BodyStatistics stats = TextEditing::bodyStatistics(body);
        benchmark::DoNotOptimize(TextEditing::paragraphLines(stats));
        benchmark::DoNotOptimize(wholeTextLine(stats.whole, true));
    }
}
BENCHMARK(BM_EditorStatistics9999Chars200Paragraphs)->Unit(benchmark::kMillisecond);

// A 2 MB paste that breaks every limit: 400 paragraphs of 5,000 characters; the list holds 400 rows.
void BM_EditorStatistics2MBPaste(benchmark::State& state) {
    const QString paragraph = editorBody().remove(u'\n').left(5000);
    QString body;
    for (int p = 0; p < 400; ++p)
        body += paragraph + u'\n';
    for (auto _ : state) {
        const TextEditing::BodyStatistics stats = TextEditing::bodyStatistics(body);
        benchmark::DoNotOptimize(TextEditing::paragraphLines(stats));
    }
}
BENCHMARK(BM_EditorStatistics2MBPaste)->Unit(benchmark::kMillisecond);

// FileBox with 30,000 texts, made once.
const QString& bigFileBox() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        const QByteArray head = cp932::encode(u"日本経済新聞\r\n240101経済\r\n練習用の表題です\r\n"
                                              u" 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)\r\n"_s +
                                              QString::fromUtf16(NoRecordLine) + u"\r\n"_s);
        const QByteArray body = cp932::encode(QString(455, u'あ') + u"\r\n"_s);
        for (int i = 0; i < 30000; ++i) {
            QFile f(dir.path() + u"/2401%1.txt"_s.arg(i, 8, 10, QChar(u'0')));
            if (f.open(QIODevice::WriteOnly)) f.write(head + body);
        }
        made = true;
    }
    static const QString path = dir.path();
    return path;
}

// Opening the picker: listing FileBox and the rows of the first page of 1000.
void BM_PickerOpen30000Texts(benchmark::State& state) {
    const QString& fileBox = bigFileBox();
    for (auto _ : state) {
        TextCatalogue catalogue(fileBox, 1000, &OwnTexts::levelLabel);
        benchmark::DoNotOptimize(catalogue.rows(0, std::nullopt, std::nullopt));
    }
}
BENCHMARK(BM_PickerOpen30000Texts)->Unit(benchmark::kMillisecond);

// A page not shown before: 1000 heads read.
void BM_PickerNewPage(benchmark::State& state) {
    const QString& fileBox = bigFileBox();
    for (auto _ : state) {
        state.PauseTiming();
        TextCatalogue catalogue(fileBox, 1000, &OwnTexts::levelLabel);
        state.ResumeTiming();
        benchmark::DoNotOptimize(catalogue.rows(7, std::nullopt, std::nullopt));
    }
}
BENCHMARK(BM_PickerNewPage)->Unit(benchmark::kMillisecond);

// A filter on a page already shown.
void BM_PickerFilter(benchmark::State& state) {
    TextCatalogue catalogue(bigFileBox(), 1000, &OwnTexts::levelLabel);
    catalogue.rows(0, std::nullopt, std::nullopt);
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue.rows(0, u"日本経済新聞"_s, u"経済"_s));
}
BENCHMARK(BM_PickerFilter)->Unit(benchmark::kMillisecond);

} // namespace
