// The window's share of a translation: from pressing Translate to the result
// shown, against the bare exchange of the same request by the client alone,
// both with the in-process test server; and ApplyInterfaceLanguage per call,
// which reads the language document anew each time.

#include "app/frm_Main.h"
#include "panes/paneedit.h"
#include "panes/panes.h"
#include "settings/settings.h"
#include "testserver.h"
#include "translate/parse.h"
#include "translate/request.h"
#include "widgetbenchmain.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

// 10 KiB of text and an answer of about the same size.
QString SourceText()
{
    QString text;
    while (text.size() < 10 * 1024)
        text += QStringLiteral("The station is a short walk from the old market square. ");
    return text;
}

QByteArray Answer()
{
    QByteArray segments;
    for (int i = 0; i < 180; ++i)
        segments +=
            QByteArray(i ? "," : "") + R"(["Der Bahnhof ist nicht weit vom Markt. ","source",null,null,3])";
    return "[[" + segments + R"(],null,"en"])";
}

struct TFixture
{
    TFixture()
    {
        qputenv("PARLINO_CA_FILE", TTestHttpsServer::CaFile().toLocal8Bit());
        const QByteArray answer = Answer();
        Server.SetHandler([answer](const TRecordedRequest&) { return TReply::Json(answer); });
    }
    TTestHttpsServer Server;
    QTemporaryDir Dir;
};

TFixture& Fixture()
{
    static TFixture fixture;
    return fixture;
}

void BM_BareExchangeBaseline(benchmark::State& state)
{
    TFixture& f = Fixture();
    THttpClient http;
    const TTranslateRequest request =
        FormTranslateRequest(f.Server.BaseUrl(), SourceText(), QStringLiteral("en"), QStringLiteral("de"));
    for (auto _ : state) {
        http.PrepareRequestHeaders();
        benchmark::DoNotOptimize(request.Post ? http.Post(request.Url, request.Body) : http.Get(request.Url));
    }
}
BENCHMARK(BM_BareExchangeBaseline)->Unit(benchmark::kMillisecond);

// What any window must add: the answer read and laid out in a text view.
void BM_ExchangeThenSetPlainText(benchmark::State& state)
{
    TFixture& f = Fixture();
    THttpClient http;
    QTextEdit view;
    view.show();
    const TTranslateRequest request =
        FormTranslateRequest(f.Server.BaseUrl(), SourceText(), QStringLiteral("en"), QStringLiteral("de"));
    for (auto _ : state) {
        http.PrepareRequestHeaders();
        const QByteArray answer = request.Post ? http.Post(request.Url, request.Body) : http.Get(request.Url);
        view.setPlainText(ParseTranslationBytes(answer).Translation);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ExchangeThenSetPlainText)->Unit(benchmark::kMillisecond);

void BM_PressTranslateToResultShown(benchmark::State& state)
{
    TFixture& f = Fixture();
    TfrmMain window;
    Settings.IniPath = f.Dir.filePath(QStringLiteral("Parlino.ini"));
    Settings.ServiceBaseUrl = f.Server.BaseUrl();
    window.show();
    ShowTextInPane(*window.E1, SourceText());
    window.SelectByCode(window.cmbFromLang, QStringLiteral("en"));
    window.SelectByCode(window.cmbToLang, QStringLiteral("de"));
    for (auto _ : state) {
        window.btnTrans->click();
        while (!window.btnTrans->isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
BENCHMARK(BM_PressTranslateToResultShown)->Unit(benchmark::kMillisecond);

void BM_ApplyInterfaceLanguage(benchmark::State& state)
{
    TFixture& f = Fixture();
    TfrmMain window;
    Settings.IniPath = f.Dir.filePath(QStringLiteral("Parlino.ini"));
    Settings.DisplayLanguageCode = QStringLiteral("de");
    Settings.FromLang = QStringLiteral("en");
    Settings.ToLang = QStringLiteral("fr");
    for (auto _ : state)
        window.ApplyInterfaceLanguage();
}
BENCHMARK(BM_ApplyInterfaceLanguage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
