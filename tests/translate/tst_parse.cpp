#include "translate/parse.h"

#include <QTest>

class TestParse : public QObject
{
    Q_OBJECT

private slots:
    void failureTexts_data();
    void failureTexts();
    void answers_data();
    void answers();
    void bytesAndTextAgree();
    void decodesOnlyWellFormedUtf8_data();
    void decodesOnlyWellFormedUtf8();
    void survivesHostileInput_data();
    void survivesHostileInput();
};

void TestParse::failureTexts_data()
{
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<QString>("error");

    const QString parseFailed = ResultErrors::ParseFailed;
    QTest::newRow("closed") << QStringLiteral("Connection Closed Gracefully.")
                            << ResultErrors::ConnectionClosed;
    QTest::newRow("closed, other case") << QStringLiteral("connection closed gracefully.") << parseFailed;
    QTest::newRow("closed, no full stop") << QStringLiteral("Connection Closed Gracefully") << parseFailed;
    QTest::newRow("closed, extra space") << QStringLiteral("Connection Closed Gracefully. ") << parseFailed;
    QTest::newRow("timed out") << QStringLiteral("Socket Error # 10060\r\nConnection timed out.")
                               << ResultErrors::TimedOut;
    QTest::newRow("timed out, lone LF")
        << QStringLiteral("Socket Error # 10060\nConnection timed out.") << parseFailed;
    QTest::newRow("403") << QStringLiteral("HTTP/1.1 403 Forbidden") << ResultErrors::EngineDisabled;
    QTest::newRow("403 from HTTP/1.0") << QStringLiteral("HTTP/1.0 403 Forbidden") << parseFailed;
    QTest::newRow("429") << QStringLiteral("HTTP/1.1 429 Too Many Requests") << ResultErrors::EngineDisabled;
    QTest::newRow("429, other phrase")
        << QStringLiteral("HTTP/1.1 429 Slow Down") << ResultErrors::EngineDisabled;
    QTest::newRow("503") << QStringLiteral("HTTP/1.1 503 Service Unavailable")
                         << ResultErrors::EngineDisabled;
    QTest::newRow("5030 is not 503") << QStringLiteral("HTTP/1.1 5030 Odd") << parseFailed;
    QTest::newRow("500") << QStringLiteral("HTTP/1.1 500 Internal Server Error") << parseFailed;
    QTest::newRow("refused") << QStringLiteral("Could not connect to server") << parseFailed;
    QTest::newRow("empty") << QString() << parseFailed;
    QTest::newRow("object") << QStringLiteral(R"({"a":1})") << parseFailed;
    QTest::newRow("bare string") << QStringLiteral(R"("text")") << parseFailed;
    QTest::newRow("number") << QStringLiteral("42") << parseFailed;
    QTest::newRow("trailing text") << QStringLiteral(R"([[["a"]]] x)") << parseFailed;
    QTest::newRow("empty top array") << QStringLiteral("[]") << parseFailed;
    QTest::newRow("element 0 a number") << QStringLiteral("[5]") << parseFailed;
    QTest::newRow("element 0 an object") << QStringLiteral(R"([{"a":[]}])") << parseFailed;
    QTest::newRow("element 0 null") << QStringLiteral("[null]") << parseFailed;
    QTest::newRow("element 0 a non-JSON string") << QStringLiteral(R"(["no"])") << parseFailed;
    QTest::newRow("segment a number") << QStringLiteral(R"([[["a"],7]])") << parseFailed;
    QTest::newRow("segment null") << QStringLiteral(R"([[null]])") << parseFailed;
}

void TestParse::failureTexts()
{
    QFETCH(QString, buffer);
    QFETCH(QString, error);
    const TParseResult r = ParseTranslation(buffer);
    QCOMPARE(r.Error, error);
    QVERIFY(r.Translation.isEmpty());
}

void TestParse::answers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("translation");

    QTest::newRow("two segments") << QByteArray(
                                         R"([[["Hallo ","Hello ",null,null,10],["Welt","world"]],null,"en"])")
                                  << QStringLiteral("Hallo Welt");
    QTest::newRow("null element 0") << QByteArray(R"([[[null,"x"],["!"]]])") << QStringLiteral("null!");
    QTest::newRow("empty segment") << QByteArray(R"([[[],["a"]]])") << QStringLiteral("a");
    QTest::newRow("no segments") << QByteArray("[[]]") << QString();
    QTest::newRow("number and bool") << QByteArray(R"([[[12],[true],[1.5]]])") << QStringLiteral("12true1.5");
    QTest::newRow("non-string element 0 is written compactly")
        << QByteArray(R"([[[ {"k" : [1, "ü"]} ]]])") << QStringLiteral(R"({"k":[1,"ü"]})");
    QTest::newRow("string holding array JSON")
        << QByteArray(R"(["[[\"Hi\"],[\" there\"]]"])") << QStringLiteral("Hi there");
    QTest::newRow("segment as string") << QByteArray(R"([["[\"Hi\"]"]])") << QStringLiteral("Hi");
    QTest::newRow("escapes") << QByteArray(R"([[["q\"b\\l\r\nt\u00e4\u20ac"]]])")
                             << QStringLiteral("q\"b\\l\r\ntä€");
    QTest::newRow("above U+FFFF raw")
        << QByteArray("[[[\"\xF0\x9F\x98\x80\"]]]") << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("above U+FFFF escaped")
        << QByteArray(R"([[["\ud83d\ude00"]]])") << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("line breaks kept")
        << QByteArray(R"([[["one\r\n"],["two"]]])") << QStringLiteral("one\r\ntwo");
    QTest::newRow("whitespace around") << QByteArray(" \r\n[[[\"a\"]]]\n") << QStringLiteral("a");
}

void TestParse::answers()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, translation);

    const TParseResult r = ParseTranslation(DecodeResultBuffer(answer));
    QCOMPARE(r.Error, QString());
    QCOMPARE(r.Translation, translation);
}

void TestParse::bytesAndTextAgree()
{
    const QByteArray samples[] = {
        R"([[["Hallo ",""],["Welt"]]])",
        "Connection Closed Gracefully.",
        "HTTP/1.1 403 Forbidden",
        "[[[\"\xC3\x28\"]]]",
        "not json",
        R"(["[[\"x\"]]"])",
    };
    for (const QByteArray& sample : samples) {
        const TParseResult viaText = ParseTranslation(DecodeResultBuffer(sample));
        const TParseResult viaBytes = ParseTranslationBytes(sample);
        QCOMPARE(viaBytes.Translation, viaText.Translation);
        QCOMPARE(viaBytes.Error, viaText.Error);
    }
}

void TestParse::decodesOnlyWellFormedUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc");
    QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x98\x80") << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("stray continuation") << QByteArray("a\x80") << QString();
    QTest::newRow("truncated sequence") << QByteArray("a\xE2\x82") << QString();
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QString();
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << QString();
}

void TestParse::decodesOnlyWellFormedUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeResultBuffer(bytes), text);
}

void TestParse::survivesHostileInput_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("translationLength");

    const int deep = 100'000;
    const QString failed = ResultErrors::ParseFailed;
    QTest::newRow("deep arrays") << QByteArray(deep, '[') + QByteArray(deep, ']') << failed << 0;
    QTest::newRow("deep arrays, unclosed") << QByteArray(deep, '[') << failed << 0;
    QTest::newRow("deep inside a segment")
        << "[[[" + QByteArray(deep, '[') + QByteArray(deep, ']') + "]]]" << failed << 0;
    QTest::newRow("deep objects") << "[[[" + QByteArray(deep, '{').replace("{", "{\"a\":") + "1" +
                                         QByteArray(deep, '}') + "]]]"
                                  << failed << 0;
    QTest::newRow("deep inside a string")
        << "[\"" + QByteArray(deep, '[') + QByteArray(deep, ']') + "\"]" << failed << 0;
    QTest::newRow("invalid UTF-8 in a string") << QByteArray("[[[\"\xFF\"]]]") << failed << 0;
    QTest::newRow("huge flat answer") << "[[" + QByteArray("[\"abcdefgh\"],").repeated(400'000) + "[\"z\"]]]"
                                      << QString() << 400'000 * 8 + 1;
}

void TestParse::survivesHostileInput()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, error);
    QFETCH(int, translationLength);

    const TParseResult r = ParseTranslationBytes(answer);
    QCOMPARE(r.Error, error);
    QCOMPARE(r.Translation.size(), translationLength);
}

QTEST_GUILESS_MAIN(TestParse)
#include "tst_parse.moc"
