#include "lang/uistrings.h"

#include <QTest>

class TestUiStrings : public QObject
{
    Q_OBJECT

private slots:
    void systemCodes_data();
    void systemCodes();
};

void TestUiStrings::systemCodes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("twoPart");
    QTest::addColumn<QString>("bare");

    QTest::newRow("Chinese (PRC)") << QStringLiteral("zh_CN") << QStringLiteral("zh-CN")
                                   << QStringLiteral("zh");
    QTest::newRow("Chinese (Taiwan)")
        << QStringLiteral("zh_TW") << QStringLiteral("zh-TW") << QStringLiteral("zh");
    QTest::newRow("English (US)") << QStringLiteral("en_US") << QStringLiteral("en-US")
                                  << QStringLiteral("en");
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("de-DE") << QStringLiteral("de");
    QTest::newRow("Hebrew") << QStringLiteral("he_IL") << QStringLiteral("he-IL") << QStringLiteral("iw");
    QTest::newRow("Norwegian") << QStringLiteral("nb_NO") << QStringLiteral("nb-NO") << QStringLiteral("no");
    QTest::newRow("C") << QStringLiteral("C") << QStringLiteral("en-US") << QStringLiteral("en");
}

void TestUiStrings::systemCodes()
{
    QFETCH(QString, locale);
    QFETCH(QString, twoPart);
    QFETCH(QString, bare);
    QCOMPARE(SystemLocaleCode(QLocale(locale)), twoPart);
    QCOMPARE(SystemLanguageCode(QLocale(locale)), bare);
}

QTEST_GUILESS_MAIN(TestUiStrings)
#include "tst_uistrings.moc"
