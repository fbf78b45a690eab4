// Placing and reading back a large text in a pane, against QTextDocument's own
// plain-text load and export of the same text in the same run.

#include "panes/paneedit.h"
#include "panes/panes.h"
#include "widgetbenchmain.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// About 2 MiB in 40,000 lines of mixed words, CR LF separated.
QString LargeText()
{
    const QStringList words{QStringLiteral("translation"), QStringLiteral("pane"),
                            QStringLiteral("Übersetzung"), QStringLiteral("línea"),
                            QStringLiteral("текст"),       QStringLiteral("of"),
                            QStringLiteral("window"),      QStringLiteral("\t")};
    QString text;
    text.reserve(2 * 1024 * 1024);
    for (int line = 0; line < 40000; ++line) {
        QString l;
        for (int w = 0; l.size() < 50; ++w)
            l += words.at((line * 7 + w * 3) % words.size()) + QLatin1Char(' ');
        text += l;
        text += QStringLiteral("\r\n");
    }
    return text;
}

const QString& Text()
{
    static const QString text = LargeText();
    return text;
}

void BM_PlainTextBaseline(benchmark::State& state)
{
    QTextEdit edit;
    QString plain = Text();
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (auto _ : state) {
        edit.document()->setPlainText(plain);
        QString back = edit.document()->toPlainText();
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size() * 2);
}
BENCHMARK(BM_PlainTextBaseline)->Unit(benchmark::kMillisecond);

void BM_ShowTextInPaneThenPaneText(benchmark::State& state)
{
    TPaneEdit pane(ResultPane, true, nullptr);
    for (auto _ : state) {
        ShowTextInPane(pane, Text());
        QString back = PaneText(pane);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size() * 2);
}
BENCHMARK(BM_ShowTextInPaneThenPaneText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
