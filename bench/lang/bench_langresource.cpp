#include "lang/langresource.h"

#include <QFile>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>

namespace {

QByteArray DocumentCopy()
{
    QFile file(LanguageResourcePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The last block: a read walks past all the others first.
void BM_ReadLanguageBlockYi(benchmark::State& state)
{
    for (auto _ : state) {
        LanguageBlock block = ReadLanguageBlock("yi");
        benchmark::DoNotOptimize(block);
    }
}

// Baseline: one bare tokenizing pass over the same bytes, held in memory.
void BM_BareXmlPass(benchmark::State& state)
{
    const QByteArray bytes = DocumentCopy();
    for (auto _ : state) {
        QXmlStreamReader xml(bytes);
        qint64 tokens = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            ++tokens;
        }
        benchmark::DoNotOptimize(tokens);
    }
}

} // namespace

BENCHMARK(BM_BareXmlPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLanguageBlockYi)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
