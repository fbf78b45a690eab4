#include "testserver.h"
#include "translate/httpclient.h"
#include "translate/parse.h"
#include "translate/request.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <thread>

namespace {

const QList<QByteArray> BrowserHeaders = {
    "accept", "accept-encoding", "accept-language", "cache-control", "connection", "content-type",
    "host",   "keep-alive",      "pragma",          "referer",       "user-agent"};

QString FailureOf(IHttpClient& http, const QByteArray& url)
{
    try {
        http.Get(url);
    } catch (const THttpError& e) {
        return e.Text();
    }
    return QStringLiteral("(no failure)");
}

QByteArray TranslateUrl(const TTestHttpsServer& server)
{
    return FormTranslateRequest(server.BaseUrl(), QStringLiteral("Hi"), QStringLiteral("en"),
                                QStringLiteral("de"))
        .Url;
}

} // namespace

class TestHttpClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void getSendsExactlyTheBrowserRequest();
    void postSendsTheFormBody();
    void keepsTheConnectionForTheNextRequest();
    void failures_data();
    void failures();
    void refusedConnectionIsNoKnownText();
    void stalledAnswerTimesOut();
    void connectionAttemptTimesOut();
    void abortEndsARunningRequest();
    void proxyTunnelAuthenticatesOnlyWhenAsked();
    void proxyWithWrongPasswordFails();
    void proxyChangeWaitsForTheNextRequest();
};

void TestHttpClient::initTestCase()
{
    qputenv("PARLINO_CA_FILE", TTestHttpsServer::CaFile().toLocal8Bit());
}

void TestHttpClient::getSendsExactlyTheBrowserRequest()
{
    TTestHttpsServer server;
    server.SetHandler([](const TRecordedRequest&) { return TReply::Json(R"([[["Hallo","Hello"]]])"); });
    THttpClient http;
    http.PrepareRequestHeaders();
    const TTranslateRequest request = FormTranslateRequest(server.BaseUrl(), QStringLiteral("Hello world"),
                                                           QStringLiteral("auto"), QStringLiteral("de"));
    QCOMPARE(http.Get(request.Url), QByteArray(R"([[["Hallo","Hello"]]])"));

    const TRecordedRequest r = server.Requests().value(0);
    QCOMPARE(r.RequestLine,
             QByteArray("GET /translate_a/single?client=gtx&dt=t&q=Hello+world&sl=auto&tl=de HTTP/1.1"));
    QCOMPARE(r.HeaderNames(), BrowserHeaders);
    QCOMPARE(r.Header("Host"), "127.0.0.1:" + QByteArray::number(server.Port()));
    QCOMPARE(r.Header("Connection"), QByteArray("keep-alive"));
    QCOMPARE(r.Header("Keep-Alive"), QByteArray("300"));
    QCOMPARE(r.Header("Cache-Control"), QByteArray("no-cache"));
    QCOMPARE(r.Header("Pragma"), QByteArray("no-cache"));
    QCOMPARE(r.Header("Accept"), QByteArray("*/*"));
    QCOMPARE(r.Header("User-Agent"), QByteArray(THttpClient::UserAgent));
    QCOMPARE(r.Header("User-Agent").size(), 115);
    QCOMPARE(r.Header("Referer"), QByteArray("translate.google.com"));
    QCOMPARE(r.Header("Accept-Language"), QByteArray("en"));
    QCOMPARE(r.Header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(r.Header("Accept-Encoding"), QByteArray("identity"));
    QCOMPARE(r.Body, QByteArray());
}

void TestHttpClient::postSendsTheFormBody()
{
    TTestHttpsServer server;
    THttpClient http;
    http.PrepareRequestHeaders();
    const TTranslateRequest request = FormTranslateRequest(server.BaseUrl(), QString(700, QChar(0x0416)),
                                                           QStringLiteral("ru"), QStringLiteral("zh-CN"));
    QVERIFY(request.Post);
    http.Post(request.Url, request.Body);

    const TRecordedRequest r = server.Requests().value(0);
    QCOMPARE(r.RequestLine, QByteArray("POST /translate_a/single HTTP/1.1"));
    QList<QByteArray> expected = BrowserHeaders;
    expected.insert(expected.indexOf("content-type"), "content-length");
    QCOMPARE(r.HeaderNames(), expected);
    QCOMPARE(r.Header("Content-Length"), QByteArray::number(request.Body.size()));
    QCOMPARE(r.Header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(r.Body, request.Body);
    QVERIFY(r.Body.startsWith("client=gtx&dt=t&q=%D0%96%D0%96"));
    QVERIFY(r.Body.endsWith("&sl=ru&tl=zh-CN"));
}

void TestHttpClient::keepsTheConnectionForTheNextRequest()
{
    TTestHttpsServer server;
    THttpClient http;
    http.PrepareRequestHeaders();
    http.Get(TranslateUrl(server));
    http.PrepareRequestHeaders();
    http.Post(server.BaseUrl().toUtf8() + TranslatePath, "client=gtx&dt=t&q=x&sl=en&tl=de");
    QCOMPARE(server.Requests().size(), 2);
    QCOMPARE(server.Connections(), 1);
}

void TestHttpClient::failures_data()
{
    QTest::addColumn<TReply>("reply");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("shown");

    TReply truncated;
    truncated.Bytes = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[[[\"Hal";
    truncated.CloseAfter = true;

    QTest::newRow("closed without answer")
        << TReply::Closed() << QStringLiteral("Connection Closed Gracefully.")
        << ResultErrors::ConnectionClosed;
    QTest::newRow("closed mid-answer")
        << truncated << QStringLiteral("Connection Closed Gracefully.") << ResultErrors::ConnectionClosed;
    QTest::newRow("403") << TReply::Status("HTTP/1.1 403 Forbidden", "<html>denied</html>")
                         << QStringLiteral("HTTP/1.1 403 Forbidden") << ResultErrors::EngineDisabled;
    QTest::newRow("429") << TReply::Status("HTTP/1.1 429 Too Many Requests")
                         << QStringLiteral("HTTP/1.1 429 Too Many Requests") << ResultErrors::EngineDisabled;
    QTest::newRow("500") << TReply::Status("HTTP/1.1 500 Internal Server Error")
                         << QStringLiteral("HTTP/1.1 500 Internal Server Error") << ResultErrors::ParseFailed;
    QTest::newRow("redirect not followed")
        << TReply::Status("HTTP/1.1 302 Found\r\nLocation: /elsewhere")
        << QStringLiteral("HTTP/1.1 302 Found") << ResultErrors::ParseFailed;
}

void TestHttpClient::failures()
{
    QFETCH(TReply, reply);
    QFETCH(QString, failure);
    QFETCH(QString, shown);

    TTestHttpsServer server;
    server.AnswerAlways(reply);
    THttpClient http;
    http.PrepareRequestHeaders();
    const QString text = FailureOf(http, TranslateUrl(server));
    QCOMPARE(text, failure);
    QCOMPARE(ParseTranslation(text).Error, shown);
}

void TestHttpClient::refusedConnectionIsNoKnownText()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    THttpClient http;
    http.PrepareRequestHeaders();
    const QString refused = FailureOf(http, "https://127.0.0.1:" + QByteArray::number(port) + "/x");
    QVERIFY2(!refused.isEmpty() && refused != QStringLiteral("(no failure)"), qPrintable(refused));
    QCOMPARE(ParseTranslation(refused).Error, ResultErrors::ParseFailed);

    TTestHttpsServer untrusted(TTestHttpsServer::Certificate::Untrusted);
    const QString badCertificate = FailureOf(http, TranslateUrl(untrusted));
    QVERIFY2(badCertificate.contains(QStringLiteral("certificate"), Qt::CaseInsensitive),
             qPrintable(badCertificate));
    QCOMPARE(ParseTranslation(badCertificate).Error, ResultErrors::ParseFailed);
    QVERIFY(untrusted.Requests().isEmpty());

    http.SetMaxAnswerSize(10);
    TTestHttpsServer large;
    const QString tooLarge = FailureOf(http, TranslateUrl(large));
    QCOMPARE(ParseTranslation(tooLarge).Error, ResultErrors::ParseFailed);
}

void TestHttpClient::stalledAnswerTimesOut()
{
    TTestHttpsServer server;
    server.AnswerAlways(TReply::Silent());
    THttpClient http;
    http.PrepareRequestHeaders();
    http.SetStallTimeout(std::chrono::milliseconds(300));
    QCOMPARE(FailureOf(http, TranslateUrl(server)), QString::fromLatin1(HttpFailures::TimedOut));
}

void TestHttpClient::connectionAttemptTimesOut()
{
    // A listener whose accept queue is full drops further handshakes, so
    // the next connection attempt hangs as it would towards a silent host.
    QTcpServer full;
    full.setListenBacklogSize(0);
    QVERIFY(full.listen(QHostAddress::LocalHost));
    QList<QTcpSocket*> fillers;
    for (int i = 0; i < 4; ++i) {
        fillers.append(new QTcpSocket(&full));
        fillers.last()->connectToHost(QHostAddress::LocalHost, full.serverPort());
        fillers.last()->waitForConnected(200);
    }
    THttpClient http;
    http.PrepareRequestHeaders();
    http.SetConnectTimeout(std::chrono::milliseconds(500));
    QCOMPARE(FailureOf(http, "https://127.0.0.1:" + QByteArray::number(full.serverPort()) + "/x"),
             QString::fromLatin1(HttpFailures::TimedOut));
}

void TestHttpClient::abortEndsARunningRequest()
{
    TTestHttpsServer server;
    server.AnswerAlways(TReply::Silent());
    THttpClient http;
    http.PrepareRequestHeaders();
    std::thread stopper([&] {
        QTRY_VERIFY(!server.Requests().isEmpty());
        http.Abort();
    });
    QElapsedTimer timer;
    timer.start();
    const QString text = FailureOf(http, TranslateUrl(server));
    stopper.join();
    QVERIFY(timer.elapsed() < 30'000);
    QCOMPARE(ParseTranslation(text).Error, ResultErrors::ParseFailed);
}

void TestHttpClient::proxyTunnelAuthenticatesOnlyWhenAsked()
{
    TTestHttpsServer server;
    TTestConnectProxy proxy("user", "s3cret");
    THttpClient http;
    http.PrepareRequestHeaders();
    http.SetProxy(
        {QStringLiteral("127.0.0.1"), proxy.Port(), QStringLiteral("user"), QStringLiteral("s3cret")});
    QCOMPARE(http.Get(TranslateUrl(server)), QByteArray(R"([[["ok",null]]])"));

    const QList<TRecordedRequest> connects = proxy.Requests();
    QVERIFY(connects.size() >= 2);
    QCOMPARE(connects[0].RequestLine, "CONNECT 127.0.0.1:" + QByteArray::number(server.Port()) + " HTTP/1.1");
    QCOMPARE(connects[0].Header("Proxy-Authorization"), QByteArray());
    QVERIFY(connects.last().Header("Proxy-Authorization").startsWith("Basic "));
    QCOMPARE(proxy.Tunnels(), 1);
    // The service sees the request through the tunnel, not the proxy's headers.
    QCOMPARE(server.Requests().value(0).HeaderNames(), BrowserHeaders);
}

void TestHttpClient::proxyWithWrongPasswordFails()
{
    TTestHttpsServer server;
    TTestConnectProxy proxy("user", "s3cret");
    THttpClient http;
    http.PrepareRequestHeaders();
    http.SetProxy(
        {QStringLiteral("127.0.0.1"), proxy.Port(), QStringLiteral("user"), QStringLiteral("wrong")});
    const QString text = FailureOf(http, TranslateUrl(server));
    QCOMPARE(ParseTranslation(text).Error, ResultErrors::ParseFailed);
    QCOMPARE(proxy.Tunnels(), 0);
    QVERIFY(server.Requests().isEmpty());
}

void TestHttpClient::proxyChangeWaitsForTheNextRequest()
{
    TTestHttpsServer server;
    QSemaphore answering;
    QSemaphore release;
    server.SetHandler([&](const TRecordedRequest&) {
        answering.release();
        release.acquire();
        return TReply::Json(R"([[["direct"]]])");
    });
    TTestConnectProxy proxy("user", "pw");
    THttpClient http;
    http.PrepareRequestHeaders();
    QByteArray first;
    std::thread job([&] { first = http.Get(TranslateUrl(server)); });
    answering.acquire();
    http.SetProxy({QStringLiteral("127.0.0.1"), proxy.Port(), QStringLiteral("user"), QStringLiteral("pw")});
    release.release();
    job.join();
    QCOMPARE(first, QByteArray(R"([[["direct"]]])"));
    QCOMPARE(proxy.Tunnels(), 0);

    release.release();
    http.Get(TranslateUrl(server));
    QCOMPARE(proxy.Tunnels(), 1);
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
