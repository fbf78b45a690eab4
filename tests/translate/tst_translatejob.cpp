#include "testserver.h"
#include "translate/parse.h"
#include "translate/translatejob.h"

#include <QPointer>
#include <QTest>

namespace {

// Stands in for the main window: records which completion event arrived.
class TReceiver : public QObject
{
public:
    QList<int> FEvents;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WM_TRANSLATE_DONE || e->type() == WM_TRANSLATE_FAILED) {
            FEvents.append(e->type());
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

class TestTranslateJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("PARLINO_CA_FILE", TTestHttpsServer::CaFile().toLocal8Bit()); }
    void outcomes_data();
    void outcomes();
    void abortEndsAJobThatWaitsForever();
};

void TestTranslateJob::outcomes_data()
{
    QTest::addColumn<TReply>("reply");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("event");
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QByteArray>("requestLine");

    QTest::newRow("done") << TReply::Json(R"([[["Hallo"]]])") << QStringLiteral("Hello")
                          << int(WM_TRANSLATE_DONE) << QByteArray(R"([[["Hallo"]]])")
                          << QByteArray(
                                 "GET /translate_a/single?client=gtx&dt=t&q=Hello&sl=en&tl=de HTTP/1.1");
    QTest::newRow("long text as POST")
        << TReply::Json("[[]]") << QString(2000, QLatin1Char('a')) << int(WM_TRANSLATE_DONE)
        << QByteArray("[[]]") << QByteArray("POST /translate_a/single HTTP/1.1");
    QTest::newRow("403") << TReply::Status("HTTP/1.1 403 Forbidden", "denied") << QStringLiteral("Hello")
                         << int(WM_TRANSLATE_FAILED) << QByteArray("HTTP/1.1 403 Forbidden")
                         << QByteArray(
                                "GET /translate_a/single?client=gtx&dt=t&q=Hello&sl=en&tl=de HTTP/1.1");
}

void TestTranslateJob::outcomes()
{
    QFETCH(TReply, reply);
    QFETCH(QString, text);
    QFETCH(int, event);
    QFETCH(QByteArray, buffer);
    QFETCH(QByteArray, requestLine);

    TTestHttpsServer server;
    server.AnswerAlways(reply);
    THttpClient http;
    http.PrepareRequestHeaders();
    TReceiver window;
    QByteArray result;
    QPointer<TMyThread> job = new TMyThread(&window, &http, text, QStringLiteral("en"), QStringLiteral("de"),
                                            &result, server.BaseUrl());
    QTRY_COMPARE(window.FEvents, QList<int>{event});
    QCOMPARE(result, buffer);
    QCOMPARE(server.Requests().value(0).RequestLine, requestLine);
    // The worker frees itself once its body has returned.
    QTRY_VERIFY(job.isNull());
}

void TestTranslateJob::abortEndsAJobThatWaitsForever()
{
    TTestHttpsServer server;
    server.AnswerAlways(TReply::Silent());
    THttpClient http;
    http.PrepareRequestHeaders();
    TReceiver window;
    QByteArray result;
    QPointer<TMyThread> job = new TMyThread(&window, &http, QStringLiteral("Hi"), QStringLiteral("en"),
                                            QStringLiteral("de"), &result, server.BaseUrl());
    QTRY_VERIFY(!server.Requests().isEmpty());
    http.Abort();
    QVERIFY(job->wait(10'000));
    QTRY_COMPARE(window.FEvents, QList<int>{WM_TRANSLATE_FAILED});
    QVERIFY(!result.isEmpty());
}

QTEST_GUILESS_MAIN(TestTranslateJob)
#include "tst_translatejob.moc"
