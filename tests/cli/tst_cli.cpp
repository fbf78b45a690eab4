#include "testserver.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TRun
{
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void translates_data();
    void translates();
    void failurePrintsFixedTextAndFails_data();
    void failurePrintsFixedTextAndFails();
    void usageErrors_data();
    void usageErrors();
    void usesProxyFromSettings();
    void neverWritesSettings();
    void helpExplainsOptions();

private:
    TRun Run(const QStringList& args, const QByteArray& input = QByteArray());
    void WriteSettings(const QByteArray& content);

    std::unique_ptr<TTestHttpsServer> FServer;
    QTemporaryDir FDir;
    QString FIni;
};

void TestCli::init()
{
    FServer = std::make_unique<TTestHttpsServer>();
    FServer->SetHandler(
        [](const TRecordedRequest&) { return TReply::Json(R"([[["Hallo ","Hello "],["Welt","world"]]])"); });
    FIni = FDir.filePath(QStringLiteral("Parlino.ini"));
    QFile::remove(FIni);
}

TRun TestCli::Run(const QStringList& args, const QByteArray& input)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PARLINO_SERVICE_URL"), FServer->BaseUrl());
    env.insert(QStringLiteral("PARLINO_CA_FILE"), TTestHttpsServer::CaFile());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PARLINO_TRANSLATE_EXE),
                  QStringList{QStringLiteral("--settings"), FIni} + args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30'000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

void TestCli::WriteSettings(const QByteArray& content)
{
    QFile file(FIni);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestCli::translates_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("requestLine");

    const QByteArray prefix = "GET /translate_a/single?client=gtx&dt=t&q=";
    QTest::newRow("arguments") << QByteArray()
                               << QStringList{QStringLiteral("--from"), QStringLiteral("en"),
                                              QStringLiteral("--to"),   QStringLiteral("de"),
                                              QStringLiteral("Hello"),  QStringLiteral("world")}
                               << QByteArray() << prefix + "Hello+world&sl=en&tl=de HTTP/1.1";
    QTest::newRow("standard input") << QByteArray() << QStringList{QStringLiteral("-t"), QStringLiteral("de")}
                                    << QByteArray("Hello world\n")
                                    << prefix + "Hello+world&sl=auto&tl=de HTTP/1.1";
    QTest::newRow("lines become CR LF")
        << QByteArray() << QStringList{QStringLiteral("-t"), QStringLiteral("de")}
        << QByteArray("  one\ntwo\n\n") << prefix + "one%0D%0Atwo&sl=auto&tl=de HTTP/1.1";
    QTest::newRow("languages from settings")
        << QByteArray("[General]\nFromLang=fr\nToLang=zh-CN\n") << QStringList{} << QByteArray("Salut")
        << prefix + "Salut&sl=fr&tl=zh-CN HTTP/1.1";
    QTest::newRow("options beat settings") << QByteArray("[General]\nFromLang=fr\nToLang=zh-CN\n")
                                           << QStringList{QStringLiteral("--to"), QStringLiteral("ja")}
                                           << QByteArray("Salut") << prefix + "Salut&sl=fr&tl=ja HTTP/1.1";
    QTest::newRow("long text goes as POST")
        << QByteArray() << QStringList{QStringLiteral("--to"), QStringLiteral("de")} << QByteArray(1960, 'a')
        << QByteArray("POST /translate_a/single HTTP/1.1");
}

void TestCli::translates()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, requestLine);

    if (!settings.isEmpty())
        WriteSettings(settings);
    const TRun run = Run(args, input);
    QCOMPARE(run.Err, QByteArray());
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, QByteArray("Hallo Welt\n"));
    QCOMPARE(FServer->Requests().value(0).RequestLine, requestLine);
}

void TestCli::failurePrintsFixedTextAndFails_data()
{
    QTest::addColumn<TReply>("reply");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("closed") << TReply::Closed() << QByteArray("Internet Connection Closed.\n");
    QTest::newRow("403") << TReply::Status("HTTP/1.1 403 Forbidden")
                         << QByteArray("Translate Engine disabled, Please try again later.\n");
    QTest::newRow("not JSON") << TReply::Json("<html>")
                              << QByteArray("ERROR: Failed to parse translation results.\n");
}

void TestCli::failurePrintsFixedTextAndFails()
{
    QFETCH(TReply, reply);
    QFETCH(QByteArray, message);
    FServer->AnswerAlways(reply);
    const TRun run = Run({QStringLiteral("--to"), QStringLiteral("de"), QStringLiteral("Hi")});
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.Out, QByteArray());
    QCOMPARE(run.Err, message);
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("no target")
        << QByteArray() << QStringList{QStringLiteral("Hi")} << 2
        << QByteArray("parlino-translate: no target language; give one with --to, e.g. --to de\n");
    QTest::newRow("code with query characters")
        << QByteArray() << QStringList{QStringLiteral("--to"), QStringLiteral("de&q=x"), QStringLiteral("Hi")}
        << 2 << QByteArray("parlino-translate: 'de&q=x' is not a language code\n");
    QTest::newRow("bad proxy port") << QByteArray("[Connection]\nNoProxy=0\nAddress=127.0.0.1\nPort=80a\n")
                                    << QStringList{QStringLiteral("--to"), QStringLiteral("de"),
                                                   QStringLiteral("Hi")}
                                    << 1 << QByteArray("'80a' is not a valid integer value\n");
}

void TestCli::usageErrors()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);

    if (!settings.isEmpty())
        WriteSettings(settings);
    const TRun run = Run(args);
    QCOMPARE(run.Err, message);
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY(FServer->Requests().isEmpty());
}

void TestCli::usesProxyFromSettings()
{
    TTestConnectProxy proxy("user", "pw");
    WriteSettings("[Connection]\nNoProxy=0\nAddress=127.0.0.1\nPort=" + QByteArray::number(proxy.Port()) +
                  "\nUserName=user\nPassword=pw\n");
    const TRun run = Run({QStringLiteral("--to"), QStringLiteral("de"), QStringLiteral("Hi")});
    QCOMPARE(run.Err, QByteArray());
    QCOMPARE(run.Out, QByteArray("Hallo Welt\n"));
    QCOMPARE(proxy.Tunnels(), 1);
}

void TestCli::neverWritesSettings()
{
    QVERIFY(Run({QStringLiteral("--to"), QStringLiteral("de"), QStringLiteral("Hi")}).ExitCode == 0);
    QVERIFY(!QFile::exists(FIni));

    const QByteArray content = "[General]\nToLang=de\n";
    WriteSettings(content);
    QVERIFY(Run({QStringLiteral("--from"), QStringLiteral("en"), QStringLiteral("Hi")}).ExitCode == 0);
    QFile file(FIni);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestCli::helpExplainsOptions()
{
    const TRun run = Run({QStringLiteral("--help")});
    QCOMPARE(run.ExitCode, 0);
    for (const char* option : {"--from", "--to", "--settings", "standard input"})
        QVERIFY2(run.Out.contains(option), option);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
