#include "settings/inifile.h"
#include "settings/inifile_p.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsByPrivateProfileRules_data();
    void readsByPrivateProfileRules();
    void loadsDefaultsWithoutFile();
    void loadsStoredValues_data();
    void loadsStoredValues();
    void loadHandsFontSizeToPanes();
    void writesReadBack();
    void writeKeepsTheRestOfTheFile();
    void writeCreatesOwnerOnlyFile();
    void failedWriteNamesThePath();
    void interruptedWriteLeavesOldFileWhole();
    void byteOrderMarkIsKept();
    void unreadableOrReadOnlyFileIsNotReplaced_data();
    void unreadableOrReadOnlyFileIsNotReplaced();
    void iniPathIsBesideAWritableProgram();

private:
    std::unique_ptr<QTemporaryDir> FTemp;
    QDir FDir;
    QString FPath;
};

void TestSettings::init()
{
    FTemp = std::make_unique<QTemporaryDir>();
    QVERIFY(FTemp->isValid());
    FDir.setPath(FTemp->path());
    FPath = FDir.filePath(QStringLiteral("Parlino.ini"));
    QFile::remove(FPath);
}

void TestSettings::readsByPrivateProfileRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("string");
    QTest::addColumn<int>("integer");

    const QString g = QStringLiteral("General");
    const QString k = QStringLiteral("Key");
    QTest::newRow("plain") << QByteArray("[General]\r\nKey=abc\r\n") << g << k << QStringLiteral("abc") << 0;
    QTest::newRow("names ignore case")
        << QByteArray("[gEnErAl]\nkEY=5\n") << g << k << QStringLiteral("5") << 5;
    QTest::newRow("first key wins") << QByteArray("[General]\nKey=1\nKey=2\n") << g << k
                                    << QStringLiteral("1") << 1;
    QTest::newRow("first section wins")
        << QByteArray("[General]\nOther=1\n[General]\nKey=2\n") << g << k << QString() << 0;
    QTest::newRow("other section") << QByteArray("[Connection]\nKey=7\n") << g << k << QString() << 0;
    QTest::newRow("before any section") << QByteArray("Key=7\n[General]\n") << g << k << QString() << 0;
    QTest::newRow("spaces trimmed") << QByteArray("[ General ]\n  Key  =  a b  \n") << g << k
                                    << QStringLiteral("a b") << 0;
    QTest::newRow("quoted keeps spaces")
        << QByteArray("[General]\nKey=\" a \"\n") << g << k << QStringLiteral(" a ") << 0;
    QTest::newRow("hex") << QByteArray("[General]\nKey=0x1F\n") << g << k << QStringLiteral("0x1F") << 31;
    QTest::newRow("capital hex") << QByteArray("[General]\nKey=0XFF\n") << g << k << QStringLiteral("0XFF")
                                 << 255;
    QTest::newRow("negative") << QByteArray("[General]\nKey=-12\n") << g << k << QStringLiteral("-12") << -12;
    QTest::newRow("not a number") << QByteArray("[General]\nKey=abc\n") << g << k << QStringLiteral("abc")
                                  << 0;
    QTest::newRow("leading number") << QByteArray("[General]\nKey=12px\n") << g << k << QStringLiteral("12px")
                                    << 12;
    QTest::newRow("beyond 32 bits") << QByteArray("[General]\nKey=99999999999\n") << g << k
                                    << QStringLiteral("99999999999") << 0;
    QTest::newRow("UTF-8 text") << QByteArray("[General]\nKey=Grüße €\n") << g << k
                                << QStringLiteral("Grüße €") << 0;
    QTest::newRow("3000 characters") << "[General]\nKey=" + QByteArray(3000, 'x') + "\n"
                                     << g << k << QString(MaxIniValueLength, QLatin1Char('x')) << 0;
    // Cutting at 2047 bytes must not split the last character.
    QTest::newRow("long UTF-8") << "[General]\nKey=" + QByteArray("ä").repeated(1500) + "\n"
                                << g << k << QString(1023, QChar(0xE4)) << 0;
    QTest::newRow("empty file") << QByteArray() << g << k << QString() << 0;
}

void TestSettings::readsByPrivateProfileRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, string);
    QFETCH(int, integer);

    WriteFile(FPath, file);
    QCOMPARE(ReadStringKey(FPath, section, key), string);
    QCOMPARE(ReadIntegerKey(FPath, section, key), integer);
    QCOMPARE(ReadBoolKey(FPath, section, key), integer != 0);
}

void TestSettings::loadsDefaultsWithoutFile()
{
    const TParams p = ReadParams(FPath);
    QCOMPARE(p.FontSize, 14);
    QVERIFY(p.NoProxy);
    QVERIFY(!p.AutoRun && !p.Minimize && !p.AutoPaste && !p.AutoCopy);
    QVERIFY(p.FromLang.isEmpty() && p.ToLang.isEmpty() && p.DisplayLanguageCode.isEmpty());
    QVERIFY(p.Address.isEmpty() && p.Port.isEmpty() && p.UserName.isEmpty() && p.Password.isEmpty());
    QVERIFY(!QFile::exists(FPath));
}

void TestSettings::loadsStoredValues_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<bool>("noProxy");
    QTest::addColumn<bool>("autoCopy");

    QTest::newRow("nothing stored") << QByteArray("[General]\n") << 14 << true << false;
    QTest::newRow("font 0") << QByteArray("[General]\nFontSize=0\n") << 14 << true << false;
    QTest::newRow("font empty") << QByteArray("[General]\nFontSize=\n") << 14 << true << false;
    QTest::newRow("font abc") << QByteArray("[General]\nFontSize=abc\n") << 14 << true << false;
    QTest::newRow("font 40") << QByteArray("[General]\nFontSize=40\n") << 40 << true << false;
    QTest::newRow("NoProxy empty") << QByteArray("[Connection]\nNoProxy=\n") << 14 << true << false;
    QTest::newRow("NoProxy 0") << QByteArray("[Connection]\nNoProxy=0\n") << 14 << false << false;
    QTest::newRow("NoProxy yes") << QByteArray("[Connection]\nNoProxy=yes\n") << 14 << false << false;
    QTest::newRow("NoProxy true") << QByteArray("[Connection]\nNoProxy=true\n") << 14 << false << false;
    QTest::newRow("NoProxy 2") << QByteArray("[Connection]\nNoProxy=2\n") << 14 << true << false;
    QTest::newRow("AutoCopy 0x1") << QByteArray("[General]\nAutoCopy=0x1\n") << 14 << true << true;
    QTest::newRow("AutoCopy abc") << QByteArray("[General]\nAutoCopy=abc\n") << 14 << true << false;
}

void TestSettings::loadsStoredValues()
{
    QFETCH(QByteArray, file);
    QFETCH(int, fontSize);
    QFETCH(bool, noProxy);
    QFETCH(bool, autoCopy);

    WriteFile(FPath, file);
    const TParams p = ReadParams(FPath);
    QCOMPARE(p.FontSize, fontSize);
    QCOMPARE(p.NoProxy, noProxy);
    QCOMPARE(p.AutoCopy, autoCopy);
}

void TestSettings::loadHandsFontSizeToPanes()
{
    WriteFile(FPath, "[General]\nFontSize=22\nToLang=de\n[Connection]\nPassword=pw\n");
    int applied = 0;
    SetPaneFontHook([&applied](std::int32_t size) { applied = size; });
    Settings.IniPath = FPath;
    Settings.FromLang = QStringLiteral("stale");
    LoadSettings();
    SetPaneFontHook(nullptr);
    QCOMPARE(applied, 22);
    QCOMPARE(Settings.FromLang, QString());
    QCOMPARE(Settings.ToLang, QStringLiteral("de"));
    QCOMPARE(Settings.Password, QStringLiteral("pw"));
}

void TestSettings::writesReadBack()
{
    using namespace SettingsKeys;
    WriteStringKey(FPath, General, QStringLiteral("FromLang"), QStringLiteral("zh-CN"));
    WriteBoolKey(FPath, General, QStringLiteral("AutoCopy"), true);
    WriteIntegerKey(FPath, General, QStringLiteral("FontSize"), -3);
    WriteStringKey(FPath, Connection, QStringLiteral("Password"), QStringLiteral("  spaced \"pw\"  "));
    WriteStringKey(FPath, Connection, QStringLiteral("UserName"), QStringLiteral("\"quoted\""));
    WriteBoolKey(FPath, General, QStringLiteral("AutoCopy"), false);

    QCOMPARE(ReadStringKey(FPath, General, QStringLiteral("FromLang")), QStringLiteral("zh-CN"));
    QCOMPARE(ReadStringKey(FPath, General, QStringLiteral("AutoCopy")), QStringLiteral("0"));
    QCOMPARE(ReadIntegerKey(FPath, General, QStringLiteral("FontSize")), -3);
    QCOMPARE(ReadStringKey(FPath, Connection, QStringLiteral("Password")),
             QStringLiteral("  spaced \"pw\"  "));
    QCOMPARE(ReadStringKey(FPath, Connection, QStringLiteral("UserName")), QStringLiteral("\"quoted\""));
    QCOMPARE(ReadFile(FPath).count("AutoCopy"), 1);
}

void TestSettings::writeKeepsTheRestOfTheFile()
{
    WriteFile(FPath,
              "; comment\r\n[general]\r\nfromlang=en\r\nToLang=de\r\n\r\n[Connection]\r\nAddress=h\r\n");
    WriteStringKey(FPath, SettingsKeys::General, QStringLiteral("FromLang"), QStringLiteral("fr"));
    WriteStringKey(FPath, SettingsKeys::General, QStringLiteral("AutoRun"), QStringLiteral("1"));
    WriteStringKey(FPath, QStringLiteral("Extra"), QStringLiteral("K"), QStringLiteral("v"));
    QCOMPARE(ReadFile(FPath),
             QByteArray("; comment\r\n[general]\r\nFromLang=fr\r\nToLang=de\r\nAutoRun=1\r\n\r\n"
                        "[Connection]\r\nAddress=h\r\n[Extra]\r\nK=v\r\n"));
}

void TestSettings::writeCreatesOwnerOnlyFile()
{
    const QString nested = FDir.filePath(QStringLiteral("config/Parlino/Parlino.ini"));
    WriteStringKey(nested, SettingsKeys::Connection, QStringLiteral("Password"), QStringLiteral("pw"));
    QCOMPARE(QFile::permissions(nested) & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);

    WriteFile(FPath, "[General]\n");
    QFile::setPermissions(FPath, QFile::permissions(FPath) | QFile::ReadOther | QFile::ReadGroup);
    WriteBoolKey(FPath, SettingsKeys::General, QStringLiteral("AutoRun"), true);
    QVERIFY(!(QFile::permissions(FPath) & (QFile::ReadOther | QFile::ReadGroup)));
}

void TestSettings::failedWriteNamesThePath()
{
    // A path below a plain file cannot be written, even by root.
    WriteFile(FDir.filePath(QStringLiteral("file")), "x");
    const QString path = FDir.filePath(QStringLiteral("file/Parlino.ini"));
    try {
        WriteStringKey(path, SettingsKeys::General, QStringLiteral("FromLang"), QStringLiteral("en"));
        QFAIL("the write did not fail");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Unable to write to ") + path);
    }
}

void TestSettings::interruptedWriteLeavesOldFileWhole()
{
    const QByteArray old = "[General]\r\nFromLang=en\r\nToLang=de\r\n";
    WriteFile(FPath, old);
    SetIniWriteFaultForTesting(10);
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        WriteStringKey(FPath, SettingsKeys::General, QStringLiteral("ToLang"), QStringLiteral("fr")));
    QCOMPARE(ReadFile(FPath), old);
    QCOMPARE(FDir.entryList(QDir::Files), QStringList{QStringLiteral("Parlino.ini")});
}

void TestSettings::byteOrderMarkIsKept()
{
    WriteFile(FPath, "\xEF\xBB\xBF[General]\r\nFromLang=fr\r\n");
    QCOMPARE(ReadStringKey(FPath, SettingsKeys::General, QStringLiteral("FromLang")), QStringLiteral("fr"));
    WriteStringKey(FPath, SettingsKeys::General, QStringLiteral("ToLang"), QStringLiteral("de"));
    QCOMPARE(ReadFile(FPath), QByteArray("\xEF\xBB\xBF[General]\r\nFromLang=fr\r\nToLang=de\r\n"));
}

void TestSettings::unreadableOrReadOnlyFileIsNotReplaced_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("read-only") << int(QFile::ReadOwner);
    QTest::newRow("unreadable") << int(QFile::WriteOwner);
}

void TestSettings::unreadableOrReadOnlyFileIsNotReplaced()
{
    QFETCH(int, permissions);
    const QByteArray old = "[Connection]\nAddress=proxy\nPassword=pw\n";
    WriteFile(FPath, old);
    QFile::setPermissions(FPath, QFile::Permissions(permissions));
    const QFileInfo info(FPath);
    if (info.isReadable() && info.isWritable())
        QSKIP("file modes do not bind this user (root)");
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        WriteStringKey(FPath, SettingsKeys::General, QStringLiteral("FromLang"), QStringLiteral("en")));
    QFile::setPermissions(FPath, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(ReadFile(FPath), old);
}

void TestSettings::iniPathIsBesideAWritableProgram()
{
    // A build tree is writable, so the settings sit beside the program; an
    // installed one is not, so they go to the user's config folder.
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        QCOMPARE(DefaultIniPath(), exeDir + QStringLiteral("/Parlino.ini"));
    else
        QCOMPARE(DefaultIniPath(),
                 qEnvironmentVariable("HOME") + QStringLiteral("/.config/Parlino/Parlino.ini"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
