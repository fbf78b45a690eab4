#include "fakehttpclient.h"
#include "translate/proxy.h"

#include <QTest>

namespace {

TParams Manual(const QString& address, const QString& port, const QString& user = {},
               const QString& password = {})
{
    TParams p;
    p.NoProxy = false;
    p.Address = address;
    p.Port = port;
    p.UserName = user;
    p.Password = password;
    return p;
}

} // namespace

class TestProxy : public QObject
{
    Q_OBJECT

private slots:
    void appliesManualProxy();
    void noProxyClearsEverything();
    void badPortKeepsEarlierValues_data();
    void badPortKeepsEarlierValues();
    void portForms_data();
    void portForms();
};

void TestProxy::appliesManualProxy()
{
    TFakeHttpClient http;
    ApplyProxySettings(http,
                       Manual(QStringLiteral("10.0.0.1"), QStringLiteral("8080"), QStringLiteral("me")));
    QCOMPARE(http.FProxy,
             (TProxySettings{QStringLiteral("10.0.0.1"), 8080, QStringLiteral("me"), QString()}));
}

void TestProxy::noProxyClearsEverything()
{
    TFakeHttpClient http;
    http.FProxy = {QStringLiteral("p"), 3128, QStringLiteral("u"), QStringLiteral("pw")};
    TParams p = Manual(QStringLiteral("10.0.0.1"), QStringLiteral("8080"));
    p.NoProxy = true;
    ApplyProxySettings(http, p);
    QCOMPARE(http.FProxy, TProxySettings{});
}

void TestProxy::badPortKeepsEarlierValues_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("letters") << QStringLiteral("80a");
    QTest::newRow("empty") << QString();
    QTest::newRow("beyond 32 bits") << QStringLiteral("4294967296");
    QTest::newRow("only a sign") << QStringLiteral("-");
}

void TestProxy::badPortKeepsEarlierValues()
{
    QFETCH(QString, port);
    TFakeHttpClient http;
    http.FProxy = {QStringLiteral("old"), 3128, QStringLiteral("u"), QStringLiteral("pw")};
    try {
        ApplyProxySettings(
            http, Manual(QStringLiteral("10.0.0.1"), port, QStringLiteral("new"), QStringLiteral("x")));
        QFAIL("no conversion error");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value").arg(port));
    }
    QCOMPARE(http.FProxy,
             (TProxySettings{QStringLiteral("10.0.0.1"), 3128, QStringLiteral("u"), QStringLiteral("pw")}));
}

void TestProxy::portForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QStringLiteral("8080") << 8080;
    QTest::newRow("spaces") << QStringLiteral(" 3128 ") << 3128;
    QTest::newRow("hex 0x") << QStringLiteral("0x1F90") << 8080;
    QTest::newRow("hex $") << QStringLiteral("$50") << 80;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
}

void TestProxy::portForms()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    int parsed = -1;
    QVERIFY(ParseIntegerText(text, parsed));
    QCOMPARE(parsed, value);
}

QTEST_GUILESS_MAIN(TestProxy)
#include "tst_proxy.moc"
