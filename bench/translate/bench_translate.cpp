// UrlEncode and answer parsing against baselines measured in the same run:
// memcpy of the same bytes, and one plain nlohmann parse of the same answer.

#include "translate/parse.h"
#include "translate/request.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <nlohmann/json.hpp>

namespace {

// About 1 MiB of text mixing ASCII words, punctuation, Cyrillic, CJK and emoji.
QByteArray MixedText()
{
    const QString piece =
        QStringLiteral("The quick brown fox, 100% sure! Быстрая лиса — 速い狐 😀 a+b=c&d\r\n");
    QString text;
    while (text.toUtf8().size() < 1024 * 1024)
        text += piece.repeated(256);
    return ToUtf8(text);
}

// About 1 MiB of answer in about 5,000 segments, shaped like the service's.
QByteArray LargeAnswer()
{
    QByteArray segments;
    for (int i = 0; i < 5000; ++i) {
        if (i)
            segments += ',';
        segments +=
            R"(["Übersetzter Satz Nummer )" + QByteArray::number(i) +
            R"( mit \"Anführungszeichen\" und Zeilenumbruch.\n Lorem ipsum dolor sit amet, consectetur.",)"
            R"("Translated sentence number )" +
            QByteArray::number(i) +
            R"( with quotes and a line break.",null,null,3,null,null,[[]],[[["x",true]]]])";
    }
    return "[[" + segments + R"(],null,"de",null,null,null,1,[],[["de"],null,[1],["de"]]])";
}

void BM_MemcpyBaseline(benchmark::State& state)
{
    const QByteArray text = MixedText();
    QByteArray out(text.size(), Qt::Uninitialized);
    for (auto _ : state) {
        std::memcpy(out.data(), text.constData(), static_cast<size_t>(text.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_MemcpyBaseline);

void BM_UrlEncode(benchmark::State& state)
{
    const QByteArray text = MixedText();
    for (auto _ : state)
        benchmark::DoNotOptimize(UrlEncode(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_UrlEncode);

void BM_PlainJsonParseBaseline(benchmark::State& state)
{
    const QByteArray answer = LargeAnswer();
    for (auto _ : state)
        benchmark::DoNotOptimize(nlohmann::json::parse(answer.constBegin(), answer.constEnd()));
    state.SetBytesProcessed(state.iterations() * answer.size());
}
BENCHMARK(BM_PlainJsonParseBaseline);

void BM_ParseTranslation(benchmark::State& state)
{
    const QByteArray answer = LargeAnswer();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseTranslationBytes(answer));
    state.SetBytesProcessed(state.iterations() * answer.size());
}
BENCHMARK(BM_ParseTranslation);

void BM_DecodeAndParseTranslation(benchmark::State& state)
{
    const QByteArray answer = LargeAnswer();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseTranslation(DecodeResultBuffer(answer)));
    state.SetBytesProcessed(state.iterations() * answer.size());
}
BENCHMARK(BM_DecodeAndParseTranslation);

} // namespace

BENCHMARK_MAIN();
