#include "translate/request.h"

#include <QTest>

class TestRequest : public QObject
{
    Q_OBJECT

private slots:
    void urlEncode_data();
    void urlEncode();
    void keepSetCoversExactlyTheDesignedCharacters();
    void stopsAtZeroByte();
    void unpairedSurrogateBecomesReplacementCharacter();
    void formsGetAndPost_data();
    void formsGetAndPost();
    void postThresholdIsOnTheEncodedLength_data();
    void postThresholdIsOnTheEncodedLength();
};

void TestRequest::urlEncode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");

    QTest::newRow("space") << QStringLiteral("Hello world") << QByteArray("Hello+world");
    QTest::newRow("form characters") << QStringLiteral("a+b=c&d") << QByteArray("a%2Bb%3Dc%26d");
    QTest::newRow("percent") << QStringLiteral("100%") << QByteArray("100%25");
    QTest::newRow("tilde and slash") << QStringLiteral("~/") << QByteArray("%7E%2F");
    QTest::newRow("kept punctuation") << QStringLiteral("!$'()*-.@_") << QByteArray("!$'()*-.@_");
    QTest::newRow("two-byte") << QStringLiteral("ä") << QByteArray("%C3%A4");
    QTest::newRow("three-byte") << QStringLiteral("€") << QByteArray("%E2%82%AC");
    QTest::newRow("CR LF and tab") << QStringLiteral("\r\n\t") << QByteArray("%0D%0A%09");
    QTest::newRow("above U+FFFF") << QString::fromUcs4(U"\U0001F600") << QByteArray("%F0%9F%98%80");
    QTest::newRow("DEL") << QStringLiteral("\x7f") << QByteArray("%7F");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestRequest::urlEncode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(UrlEncode(ToUtf8(text)), encoded);
}

void TestRequest::keepSetCoversExactlyTheDesignedCharacters()
{
    const QByteArray kept("!$'()*-.0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    for (int b = 1; b < 256; ++b) {
        const QByteArray in(1, static_cast<char>(b));
        QByteArray expected;
        if (kept.contains(static_cast<char>(b)))
            expected = in;
        else if (b == ' ')
            expected = "+";
        else
            expected = '%' + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
        QCOMPARE(UrlEncode(in), expected);
    }
}

void TestRequest::stopsAtZeroByte()
{
    QCOMPARE(UrlEncode(QByteArray("ab\0cd", 5)), QByteArray("ab"));
    QString text = QStringLiteral("Hi");
    text.append(QChar(0)).append(QStringLiteral("there"));
    QCOMPARE(
        FormTranslateRequest(QStringLiteral("https://h"), text, QStringLiteral("en"), QStringLiteral("de"))
            .Url,
        QByteArray("https://h/translate_a/single?client=gtx&dt=t&q=Hi&sl=en&tl=de"));
}

void TestRequest::unpairedSurrogateBecomesReplacementCharacter()
{
    QString text;
    text.append(QChar(0xD83D)).append(QLatin1Char('a')).append(QChar(0xDE00));
    QCOMPARE(UrlEncode(ToUtf8(text)), QByteArray("%EF%BF%BDa%EF%BF%BD"));
}

void TestRequest::formsGetAndPost_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("post");
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("short GET")
        << QStringLiteral("Hi") << QStringLiteral("en") << false
        << QByteArray("https://api.example/translate_a/single?client=gtx&dt=t&q=Hi&sl=en&tl=de")
        << QByteArray();
    QTest::newRow("detect source")
        << QStringLiteral("a b") << QStringLiteral("auto") << false
        << QByteArray("https://api.example/translate_a/single?client=gtx&dt=t&q=a+b&sl=auto&tl=de")
        << QByteArray();
    const QString longText(PostThreshold, QLatin1Char('x'));
    QTest::newRow("long POST") << longText << QStringLiteral("zh-CN") << true
                               << QByteArray("https://api.example/translate_a/single")
                               << "client=gtx&dt=t&q=" + longText.toLatin1() + "&sl=zh-CN&tl=de";
}

void TestRequest::formsGetAndPost()
{
    QFETCH(QString, text);
    QFETCH(QString, from);
    QFETCH(bool, post);
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, body);

    const TTranslateRequest r =
        FormTranslateRequest(QStringLiteral("https://api.example"), text, from, QStringLiteral("de"));
    QCOMPARE(r.Post, post);
    QCOMPARE(r.Url, url);
    QCOMPARE(r.Body, body);
}

void TestRequest::postThresholdIsOnTheEncodedLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encodedLength");
    QTest::addColumn<bool>("post");

    QTest::newRow("1959") << QString(1959, QLatin1Char('a')) << 1959 << false;
    QTest::newRow("1960") << QString(1960, QLatin1Char('a')) << 1960 << true;
    // 653 letters, two UTF-8 bytes each, six encoded characters each.
    QTest::newRow("653 Cyrillic letters") << QString(653, QChar(0x0416)) << 3918 << true;
    // 653 * 3 = 1959 characters: just below the limit.
    QTest::newRow("653 escaped ASCII") << QString(653, QLatin1Char('~')) << 1959 << false;
}

void TestRequest::postThresholdIsOnTheEncodedLength()
{
    QFETCH(QString, text);
    QFETCH(int, encodedLength);
    QFETCH(bool, post);

    QCOMPARE(UrlEncode(ToUtf8(text)).size(), encodedLength);
    const TTranslateRequest r =
        FormTranslateRequest(QStringLiteral("https://h"), text, QStringLiteral("en"), QStringLiteral("de"));
    QCOMPARE(r.Post, post);
    QCOMPARE(r.Body.isEmpty(), !post);
}

QTEST_GUILESS_MAIN(TestRequest)
#include "tst_request.moc"
