#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/util/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A 200-paragraph Japanese text of about 9000 characters in FileBox, made current.
struct LoadingFixture {
    LoadingFixture() {
        module.programFolder = dir.path();
        QDir().mkpath(module.fileBoxPath());
        QStringList lines = {
            u"出所"_s, u"000000"_s, u"表題"_s, u"9000 (9000,   0)(4000,4000,1000)(   0,   0,   0)"_s,
            u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99"_s};
        const QString paragraph = u"国際の平和及び安全を維持するために、われらの力を合わせ、共同の利益を守る。"_s;
        for (int p = 0; p < 200; ++p)
            lines.append(paragraph + QString::number(p));
        QFile f(module.fileBoxPath() + u"/bench.txt"_s);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        f.close();
        Options::applyStartupDefaults(module.settings);
        module.settings[Options::CurrentFile].address = u"bench.txt"_s;
    }
    QTemporaryDir dir;
    Session module;
};

void LoadOwnText200Paragraphs(benchmark::State& state) {
    LoadingFixture fixture;
    QString error;
    cp932::code(u'a'); // the code tables are built once per run, not per load
    for (auto _ : state) {
        const bool ok = TextLoading::loadOwnText(fixture.module, &error);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(LoadOwnText200Paragraphs)->Unit(benchmark::kMicrosecond);

void ParagraphPracticeStep(benchmark::State& state) {
    LoadingFixture fixture;
    QString error;
    TextLoading::loadOwnText(fixture.module, &error);
    for (auto _ : state) {
        TextLoading::paragraphPractice(fixture.module, 100);
        benchmark::DoNotOptimize(fixture.module.text.counts);
    }
}
BENCHMARK(ParagraphPracticeStep)->Unit(benchmark::kMicrosecond);

} // namespace
