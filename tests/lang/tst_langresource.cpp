#include "lang/langresource.h"

#include <QCollator>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Interface languages in block order.
const QList<QByteArray> kBlockCodes = {
    "en",    "af", "sq", "ar", "hy",  "az", "eu", "be", "bn", "bs", "bg", "ca", "ceb", "zh-CN",
    "zh-TW", "hr", "cs", "da", "nl",  "eo", "et", "tl", "fi", "fr", "gl", "ka", "de",  "el",
    "gu",    "ht", "iw", "hi", "hmn", "hu", "is", "id", "ga", "it", "ja", "jw", "kn",  "km",
    "lo",    "la", "lv", "lt", "mk",  "ms", "mr", "no", "fa", "pl", "pt", "ro", "ru",  "sr",
    "sk",    "sl", "es", "sw", "sv",  "ta", "te", "th", "tr", "uk", "vi", "cy", "yi",
};

// The English block as designed: "auto", the 72 languages, the interface texts.
const QList<std::pair<const char*, const char*>> kEnglishBlock = {
    {"auto", "Detect language"},
    {"af", "Afrikaans"},
    {"sq", "Albanian"},
    {"ar", "Arabic"},
    {"hy", "Armenian"},
    {"az", "Azerbaijani"},
    {"eu", "Basque"},
    {"be", "Belarusian"},
    {"bn", "Bengali"},
    {"bs", "Bosnian"},
    {"bg", "Bulgarian"},
    {"ca", "Catalan"},
    {"ceb", "Cebuano"},
    {"zh-CN", "Chinese (Simplified)"},
    {"zh-TW", "Chinese (Traditional)"},
    {"hr", "Croatian"},
    {"cs", "Czech"},
    {"da", "Danish"},
    {"nl", "Dutch"},
    {"en", "English"},
    {"eo", "Esperanto"},
    {"et", "Estonian"},
    {"tl", "Filipino"},
    {"fi", "Finnish"},
    {"fr", "French"},
    {"gl", "Galician"},
    {"ka", "Georgian"},
    {"de", "German"},
    {"el", "Greek"},
    {"gu", "Gujarati"},
    {"ht", "Haitian Creole"},
    {"iw", "Hebrew"},
    {"hi", "Hindi"},
    {"hmn", "Hmong"},
    {"hu", "Hungarian"},
    {"is", "Icelandic"},
    {"id", "Indonesian"},
    {"ga", "Irish"},
    {"it", "Italian"},
    {"ja", "Japanese"},
    {"jw", "Javanese"},
    {"kn", "Kannada"},
    {"km", "Khmer"},
    {"ko", "Korean"},
    {"lo", "Lao"},
    {"la", "Latin"},
    {"lv", "Latvian"},
    {"lt", "Lithuanian"},
    {"mk", "Macedonian"},
    {"ms", "Malay"},
    {"mt", "Maltese"},
    {"mr", "Marathi"},
    {"no", "Norwegian"},
    {"fa", "Persian"},
    {"pl", "Polish"},
    {"pt", "Portuguese"},
    {"ro", "Romanian"},
    {"ru", "Russian"},
    {"sr", "Serbian"},
    {"sk", "Slovak"},
    {"sl", "Slovenian"},
    {"es", "Spanish"},
    {"sw", "Swahili"},
    {"sv", "Swedish"},
    {"ta", "Tamil"},
    {"te", "Telugu"},
    {"th", "Thai"},
    {"tr", "Turkish"},
    {"uk", "Ukrainian"},
    {"ur", "Urdu"},
    {"vi", "Vietnamese"},
    {"cy", "Welsh"},
    {"yi", "Yiddish"},
    {"Source", "From:"},
    {"Target", "To:"},
    {"Trans", "Translate"},
    {"Pleasewait", "Translation, please wait ..."},
    {"Help", "Help"},
    {"Options", "Options"},
    {"About", "About"},
    {"Contactus", "Contact Us"},
    {"Visithome", "Visit Homepage"},
    {"Open", "Open"},
    {"Close", "Close"},
    {"Preferences", "Preferences"},
    {"AutoRun", "Auto-run on windows startup"},
    {"Minimize", "Minimize after startup"},
    {"AutoPaste", "Auto paste from clipboard"},
    {"AutoCopy", "Auto copy to clipboard"},
    {"InterfaceLanguage", "Interface Language"},
    {"SelectLanguage", "Select Language:"},
    {"FontSize", "Font Size"},
    {"Default", "Default"},
    {"Connection", "Connection"},
    {"ProxySettings", "Proxy Settings"},
    {"NoProxy", "No Proxy(direct connection)"},
    {"ManuallyProxy", "Manually enter proxy settings"},
    {"Address", "IP address:"},
    {"Port", "Port:"},
    {"Username", "User name:"},
    {"Password", "Password:"},
};

// The collation each block's names are sorted by. Languages without an ICU
// collation of their own use the root order, which English shares.
QLocale CollationLocale(const QByteArray& code)
{
    static const QHash<QByteArray, QString> names = {
        {"iw", u"he"_s}, {"jw", u"jv"_s}, {"tl", u"fil"_s}, {"zh-CN", u"zh_CN"_s}, {"zh-TW", u"zh_TW"_s},
        {"no", u"nb"_s}, {"ht", u"en"_s}, {"hmn", u"en"_s}, {"la", u"en"_s},       {"ceb", u"en"_s},
    };
    return QLocale(names.value(code, QString::fromLatin1(code)));
}

QString TextOf(const LanguageBlock& block, QByteArrayView id)
{
    for (const LanguageItem& item : block) {
        if (item.id == id)
            return item.text;
    }
    return {};
}

QList<QByteArray> Ids(const LanguageBlock& block)
{
    QList<QByteArray> ids;
    for (const LanguageItem& item : block)
        ids.append(item.id);
    return ids;
}

bool EndsWithColon(const QString& text)
{
    return text.endsWith(u':') || text.endsWith(u'\uFF1A');
}

} // namespace

class TestLangResource : public QObject
{
    Q_OBJECT

private slots:
    void documentForm();
    void englishBlock();
    void germanBlock();
    void blockLookup_data();
    void blockLookup();
    void apostropheDecoded();
    void interfaceList();
    void interfaceTextIds();
    void everyBlock_data();
    void everyBlock();
    void parseFixture_data();
    void parseFixture();
    void interfaceListFixture_data();
    void interfaceListFixture();
};

void TestLangResource::documentForm()
{
    QFile file(LanguageResourcePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<Languages>\r\n  <language id=\"en\">\r\n    <item id=\"auto\">"));
    QVERIFY(bytes.endsWith("  </interface>\r\n</Languages>\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    // Apostrophes are written as the entity, never as the bare character.
    QCOMPARE(bytes.count('\''), 0);
    QVERIFY(bytes.contains("&apos;"));
}

void TestLangResource::englishBlock()
{
    const LanguageBlock block = ReadLanguageBlock("en");
    QCOMPARE(block.size(), kEnglishBlock.size());
    for (qsizetype i = 0; i < block.size(); ++i) {
        QCOMPARE(block[i].id, QByteArray(kEnglishBlock[i].first));
        QCOMPARE(block[i].text, QString::fromUtf8(kEnglishBlock[i].second));
    }
}

void TestLangResource::germanBlock()
{
    const LanguageBlock block = ReadLanguageBlock("de");
    QCOMPARE(block.size(), 101);
    const QStringList firstSix = {u"Sprache erkennen"_s, u"Afrikaans"_s, u"Albanisch"_s,
                                  u"Arabisch"_s,         u"Armenisch"_s, u"Aserbaidschanisch"_s};
    for (qsizetype i = 0; i < firstSix.size(); ++i)
        QCOMPARE(block[i].text, firstSix[i]);
    QCOMPARE(block[0].id, "auto");
    QCOMPARE(TextOf(block, "Source"), u"Von:"_s);
    QCOMPARE(TextOf(block, "Target"), u"Nach:"_s);
    QCOMPARE(TextOf(block, "Trans"), u"Übersetzen"_s);
    QCOMPARE(TextOf(block, "Options"), u"Optionen"_s);
    QCOMPARE(TextOf(block, "Pleasewait"), u"Übersetzung, bitte warten ..."_s);
}

void TestLangResource::blockLookup_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("blockCode");

    QTest::newRow("exact") << QByteArray("zh-CN") << QByteArray("zh-CN");
    QTest::newRow("case ignored") << QByteArray("ZH-cn") << QByteArray("zh-CN");
    QTest::newRow("upper case") << QByteArray("EN") << QByteArray("en");
    QTest::newRow("last block") << QByteArray("yi") << QByteArray("yi");
    QTest::newRow("translation-only language") << QByteArray("ko") << QByteArray();
    QTest::newRow("prefix is not a match") << QByteArray("zh") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("item id is no block") << QByteArray("auto") << QByteArray();
}

void TestLangResource::blockLookup()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, blockCode);

    const LanguageBlock block = ReadLanguageBlock(code);
    if (blockCode.isEmpty()) {
        QVERIFY(block.isEmpty());
        return;
    }
    QCOMPARE(block.size(), 101);
    // A block names its own language with the text that the interface list
    // shows after the colon.
    const InterfaceLanguageList list = ReadInterfaceLanguageList();
    const auto entry = std::find_if(list.begin(), list.end(),
                                    [&](const InterfaceLanguage& l) { return l.code == blockCode; });
    QVERIFY(entry != list.end());
    QVERIFY(entry->text.endsWith(u" : "_s + TextOf(block, blockCode)));
}

void TestLangResource::apostropheDecoded()
{
    QCOMPARE(TextOf(ReadLanguageBlock("ca"), "Username"), u"Nom d'usuari:"_s);
}

void TestLangResource::interfaceList()
{
    const InterfaceLanguageList list = ReadInterfaceLanguageList();
    QCOMPARE(list.size(), kBlockCodes.size());
    for (qsizetype i = 0; i < list.size(); ++i)
        QCOMPARE(list[i].code, kBlockCodes[i]);
    QCOMPARE(list.first().text, u"English : English"_s);
    QCOMPARE(list.last().text, u"Yiddish : אידיש"_s);
    QVERIFY(list.contains(InterfaceLanguage{"de", u"German : Deutsch"_s}));
    QVERIFY(list.contains(InterfaceLanguage{"ar", u"Arabic : العربية"_s}));
    QVERIFY(list.contains(InterfaceLanguage{"zh-CN", u"Chinese (Simplified) : 中文(简体)"_s}));
    QVERIFY(list.contains(InterfaceLanguage{"sq", u"Albanian : Shqip"_s}));
}

void TestLangResource::interfaceTextIds()
{
    // The enum, its names and the English block agree on the 28 ids and their order.
    const LanguageBlock english = ReadLanguageBlock("en");
    QCOMPARE(AllInterfaceTextIds.size(), size_t(28));
    for (size_t i = 0; i < AllInterfaceTextIds.size(); ++i) {
        const InterfaceTextId id = AllInterfaceTextIds[i];
        const QByteArray name = InterfaceTextIdName(id);
        QCOMPARE(english[qsizetype(73 + i)].id, name);
        QCOMPARE(InterfaceTextIdFromName(name), std::optional(id));
    }
    // Ids are matched exactly; anything else is a language code.
    QCOMPARE(InterfaceTextIdFromName("password"), std::nullopt);
    QCOMPARE(InterfaceTextIdFromName("Password "), std::nullopt);
    QCOMPARE(InterfaceTextIdFromName("de"), std::nullopt);
}

void TestLangResource::everyBlock_data()
{
    QTest::addColumn<QByteArray>("code");
    for (const QByteArray& code : kBlockCodes)
        QTest::newRow(code.constData()) << code;
}

void TestLangResource::everyBlock()
{
    QFETCH(QByteArray, code);

    const LanguageBlock block = ReadLanguageBlock(code);
    const LanguageBlock english = ReadLanguageBlock("en");
    QCOMPARE(block.size(), 101);

    // The same ids: "auto", the 72 languages in the block's own order, then
    // the interface texts in their fixed order.
    const QList<QByteArray> ids = Ids(block);
    const QList<QByteArray> englishIds = Ids(english);
    QCOMPARE(ids.first(), "auto");
    QCOMPARE(QSet<QByteArray>(ids.begin() + 1, ids.begin() + 73),
             QSet<QByteArray>(englishIds.begin() + 1, englishIds.begin() + 73));
    QCOMPARE(ids.mid(73), englishIds.mid(73));

    for (const LanguageItem& item : block) {
        QVERIFY2(!item.text.isEmpty() && item.text == item.text.trimmed(), item.id.constData());
    }

    // Language names sorted by the block language's collation.
    const QLocale locale = CollationLocale(code);
    QVERIFY2(locale.language() != QLocale::C, "Qt does not know the collation locale");
    QCollator collator(locale);
    for (qsizetype i = 2; i < 73; ++i) {
        QVERIFY2(collator.compare(block[i - 1].text, block[i].text) < 0,
                 qPrintable(block[i - 1].text + u" / "_s + block[i].text));
    }

    // Colons stay where English has one; the waiting text keeps its "...".
    for (qsizetype i = 73; i < 101; ++i) {
        QVERIFY2(EndsWithColon(block[i].text) == EndsWithColon(english[i].text), block[i].id.constData());
    }
    QVERIFY(TextOf(block, "Pleasewait").contains(u"..."_s));

    // No block leaves its main texts in English.
    if (code != "en") {
        for (const char* id : {"auto", "Trans", "Pleasewait", "AutoPaste"})
            QVERIFY2(TextOf(block, id) != TextOf(english, id), id);
    }
}

void TestLangResource::parseFixture_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QStringList>("texts");

    const QByteArray twoBlocks = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                 "<Languages><language id=\"en\"><item id=\"a\">One</item></language>"
                                 "<language id=\"de\"><item id=\"a\">Eins</item>"
                                 "<item id=\"b\">Zwei</item></language></Languages>";
    QTest::newRow("second block") << twoBlocks << QByteArray("de") << QStringList{u"Eins"_s, u"Zwei"_s};
    QTest::newRow("no block") << twoBlocks << QByteArray("fr") << QStringList{};
    QTest::newRow("first of two matches")
        << QByteArray("<L><language id=\"x\"><item id=\"a\">1</item></language>"
                      "<language id=\"X\"><item id=\"a\">2</item></language></L>")
        << QByteArray("x") << QStringList{u"1"_s};
    QTest::newRow("names ignore case")
        << QByteArray("<L><LANGUAGE ID=\"x\"><Item Id=\"a\">1</Item></LANGUAGE></L>") << QByteArray("x")
        << QStringList{u"1"_s};
    QTest::newRow("deeper blocks are not searched")
        << QByteArray("<L><group><language id=\"x\"><item id=\"a\">1</item></language></group></L>")
        << QByteArray("x") << QStringList{};
    QTest::newRow("entities decoded")
        << QByteArray("<L><language id=\"x\"><item id=\"a\">l&apos;a &amp; &lt;b&gt; &#x5D0;</item>"
                      "</language></L>")
        << QByteArray("x") << QStringList{u"l'a & <b> \u05D0"_s};
    QTest::newRow("other children skipped")
        << QByteArray("<L><language id=\"x\"><note>n</note><item id=\"a\">1</item></language></L>")
        << QByteArray("x") << QStringList{u"1"_s};
    QTest::newRow("truncated block") << QByteArray(
                                            "<L><language id=\"x\"><item id=\"a\">1</item><item id=\"b\">2")
                                     << QByteArray("x") << QStringList{};
    QTest::newRow("not XML") << QByteArray("Lang") << QByteArray("x") << QStringList{};
    QTest::newRow("empty") << QByteArray() << QByteArray("x") << QStringList{};
}

void TestLangResource::parseFixture()
{
    QFETCH(QByteArray, document);
    QFETCH(QByteArray, code);
    QFETCH(QStringList, texts);

    QStringList got;
    for (const LanguageItem& item : ParseLanguageBlock(document, code))
        got.append(item.text);
    QCOMPARE(got, texts);
}

void TestLangResource::interfaceListFixture_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("after the blocks")
        << QByteArray("<L><language id=\"x\"><item id=\"a\">1</item></language>"
                      "<interface><item id=\"x\">X : x</item><item id=\"y\">Y : y</item></interface></L>")
        << QStringList{u"x"_s, u"y"_s};
    QTest::newRow("found at any depth, first one wins")
        << QByteArray("<L><g><Interface><item id=\"x\">X</item></Interface></g>"
                      "<interface><item id=\"y\">Y</item></interface></L>")
        << QStringList{u"x"_s};
    QTest::newRow("missing") << QByteArray("<L><language id=\"x\"/></L>") << QStringList{};
    QTest::newRow("truncated") << QByteArray("<L><interface><item id=\"x\">X</item><item id=")
                               << QStringList{};
}

void TestLangResource::interfaceListFixture()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, codes);

    QStringList got;
    for (const InterfaceLanguage& entry : ParseInterfaceLanguageList(document))
        got.append(QString::fromLatin1(entry.code));
    QCOMPARE(got, codes);
}

QTEST_GUILESS_MAIN(TestLangResource)
#include "tst_langresource.moc"
