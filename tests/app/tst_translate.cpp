#include "app/clicklabel.h"
#include "app/frm_Main.h"
#include "lang/uistrings.h"
#include "panes/paneedit.h"
#include "panes/panes.h"
#include "settings/inifile.h"
#include "settings/settings.h"
#include "testserver.h"
#include "translate/parse.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

namespace {

const QString General = QStringLiteral("General");

QStringList Codes(const QComboBox* selector)
{
    QStringList codes;
    for (int i = 0; i < selector->count(); ++i)
        codes.append(selector->itemData(i).toString());
    return codes;
}

} // namespace

class TestTranslate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void translatesWithTheButton();
    void sendsOnlyTheSelection();
    void failuresShowTheirText_data();
    void failuresShowTheirText();
    void writesCodesOnEveryPress();
    void ctrlEnterTranslates();
    void swap_data();
    void swap();
    void storedCodesSelectExactly_data();
    void storedCodesSelectExactly();
    void firstStartFollowsSystemLocale();
    void germanInterface();
    void switchingInterfaceKeepsCodes();
    void unknownInterfaceFallsBackToEnglish();
    void arrangesLanguageRow();
    void quittingWithJobInFlight();

private:
    TfrmMain* ShowWindow();
    void Store(const QString& key, const QString& value)
    {
        WriteStringKey(Settings.IniPath, General, key, value);
    }
    void SetSource(const QString& text) { ShowTextInPane(*FWindow->E1, text); }

    std::unique_ptr<TTestHttpsServer> FServer;
    QTemporaryDir FDir;
    QPointer<TfrmMain> FWindow;
};

void TestTranslate::initTestCase()
{
    qputenv("PARLINO_CA_FILE", TTestHttpsServer::CaFile().toLocal8Bit());
}

void TestTranslate::init()
{
    FServer = std::make_unique<TTestHttpsServer>();
    FServer->SetHandler(
        [](const TRecordedRequest&) { return TReply::Json(R"([[["Hallo ","Hello "],["Welt"]]])"); });
    FWindow = new TfrmMain();
    Settings.IniPath = FDir.filePath(QStringLiteral("Parlino.ini"));
    Settings.ServiceBaseUrl = FServer->BaseUrl();
    QFile::remove(Settings.IniPath);
    Store(QStringLiteral("FromLang"), QStringLiteral("en"));
    Store(QStringLiteral("ToLang"), QStringLiteral("de"));
}

void TestTranslate::cleanup()
{
    delete FWindow.data();
    FServer.reset();
}

TfrmMain* TestTranslate::ShowWindow()
{
    FWindow->show();
    return QTest::qWaitForWindowExposed(FWindow) ? FWindow.data() : nullptr;
}

void TestTranslate::translatesWithTheButton()
{
    QSemaphore release;
    FServer->SetHandler([&release](const TRecordedRequest&) {
        release.acquire();
        return TReply::Json(R"([[["Hallo ","Hello "],["Welt"]]])");
    });
    QVERIFY(ShowWindow());
    SetSource(QStringLiteral("Hello world"));
    QTest::mouseClick(FWindow->btnTrans, Qt::LeftButton);

    // While the job runs the window keeps working and shows that it waits.
    QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("Translation, please wait ..."));
    QVERIFY(!FWindow->btnTrans->isEnabled());
    QVERIFY(FWindow->ImgLoad->movie());
    QCOMPARE(FWindow->ImgLoad->movie()->state(), QMovie::Running);
    QTRY_COMPARE(FServer->Requests().size(), 1);
    FWindow->E1->moveCursor(QTextCursor::End);
    QTest::keyClicks(FWindow->E1, QStringLiteral("!"));
    QVERIFY(PaneText(*FWindow->E1).endsWith(u'!'));

    release.release();
    QTRY_VERIFY(FWindow->btnTrans->isEnabled());
    QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("Hallo Welt"));
    QVERIFY(!FWindow->ImgLoad->movie());
    QCOMPARE(QApplication::focusWidget(), FWindow->E2);
    QCOMPARE(FServer->Requests().value(0).RequestLine,
             QByteArray("GET /translate_a/single?client=gtx&dt=t&q=Hello+world&sl=en&tl=de HTTP/1.1"));
    QVERIFY(!FWindow->Translating());
}

void TestTranslate::sendsOnlyTheSelection()
{
    QVERIFY(ShowWindow());
    SetSource(QStringLiteral("first line\r\nsecond"));
    QTextCursor cursor(FWindow->E1->document());
    cursor.setPosition(6);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    FWindow->E1->setTextCursor(cursor);
    FWindow->btnTrans->click();
    QTRY_VERIFY(FWindow->btnTrans->isEnabled());
    QCOMPARE(FServer->Requests().value(0).RequestLine,
             QByteArray("GET /translate_a/single?client=gtx&dt=t&q=line&sl=en&tl=de HTTP/1.1"));

    // A long text goes as a POST.
    FWindow->E1->moveCursor(QTextCursor::End);
    SetSource(QString(700, QChar(0x0416)));
    FWindow->btnTrans->click();
    QTRY_VERIFY(FWindow->btnTrans->isEnabled());
    QCOMPARE(FServer->Requests().value(1).RequestLine, QByteArray("POST /translate_a/single HTTP/1.1"));
    QVERIFY(FServer->Requests().value(1).Body.endsWith("&sl=en&tl=de"));
}

void TestTranslate::failuresShowTheirText_data()
{
    QTest::addColumn<TReply>("reply");
    QTest::addColumn<QString>("shown");

    QTest::newRow("closed") << TReply::Closed() << ResultErrors::ConnectionClosed;
    QTest::newRow("403") << TReply::Status("HTTP/1.1 403 Forbidden") << ResultErrors::EngineDisabled;
    QTest::newRow("429") << TReply::Status("HTTP/1.1 429 Too Many Requests") << ResultErrors::EngineDisabled;
    QTest::newRow("500") << TReply::Status("HTTP/1.1 500 Internal Server Error") << ResultErrors::ParseFailed;
    QTest::newRow("not JSON") << TReply::Json("<html>") << ResultErrors::ParseFailed;
}

void TestTranslate::failuresShowTheirText()
{
    QFETCH(TReply, reply);
    QFETCH(QString, shown);
    FServer->AnswerAlways(reply);
    QVERIFY(ShowWindow());
    SetSource(QStringLiteral("Hello"));
    FWindow->btnTrans->click();
    QTRY_VERIFY(FWindow->btnTrans->isEnabled());
    QCOMPARE(PaneText(*FWindow->E2), shown);
    QVERIFY(!FWindow->ImgLoad->movie());
    QCOMPARE(QApplication::focusWidget(), FWindow->E2);
}

void TestTranslate::writesCodesOnEveryPress()
{
    QVERIFY(ShowWindow());
    ShowTextInPane(*FWindow->E2, QStringLiteral("earlier result"));
    SetSource(QStringLiteral("  \r\n "));
    FWindow->SelectByCode(FWindow->cmbFromLang, QStringLiteral("fr"));
    FWindow->SelectByCode(FWindow->cmbToLang, QStringLiteral("ja"));
    FWindow->btnTrans->click();
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("FromLang")), QStringLiteral("fr"));
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("ToLang")), QStringLiteral("ja"));
    QVERIFY(FWindow->btnTrans->isEnabled());
    QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("earlier result"));
    QTest::qWait(50);
    QVERIFY(FServer->Requests().isEmpty());
}

void TestTranslate::ctrlEnterTranslates()
{
    QVERIFY(ShowWindow());
    FWindow->E1->setFocus();
    QTest::keyClicks(FWindow->E1, QStringLiteral("Hello"));
    QTest::keyClick(FWindow->E1, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(PaneText(*FWindow->E2), QStringLiteral("Hallo Welt"));
    QCOMPARE(PaneText(*FWindow->E1), QStringLiteral("Hello"));
}

void TestTranslate::swap_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("fromAfter");
    QTest::addColumn<QString>("toAfter");

    QTest::newRow("two languages") << "fr"
                                   << "de"
                                   << "de"
                                   << "fr";
    QTest::newRow("detect as source") << "auto"
                                      << "de"
                                      << "de"
                                      << "de";
    QTest::newRow("no target selected") << "fr"
                                        << "en-US"
                                        << "fr"
                                        << "fr";
    QTest::newRow("no source selected") << "EN"
                                        << "de"
                                        << "de"
                                        << "de";
}

void TestTranslate::swap()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, fromAfter);
    QFETCH(QString, toAfter);

    Store(QStringLiteral("FromLang"), from);
    Store(QStringLiteral("ToLang"), to);
    QVERIFY(ShowWindow());
    SetSource(QStringLiteral("source text"));
    ShowTextInPane(*FWindow->E2, QStringLiteral("result text"));
    QTest::mouseClick(FWindow->btnSwap, Qt::LeftButton);

    QCOMPARE(PaneText(*FWindow->E1), QStringLiteral("result text"));
    QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("source text"));
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbFromLang), fromAfter);
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbToLang), toAfter);
    // The swap is not remembered until the next translation.
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("FromLang")), from);
    QVERIFY(FServer->Requests().isEmpty());
}

void TestTranslate::storedCodesSelectExactly_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("fromIndex");
    QTest::addColumn<QString>("toCode");

    QTest::newRow("upper-case source") << "EN"
                                       << "de" << -1 << "de";
    QTest::newRow("auto as target") << "en"
                                    << "auto" << 19 << "";
    QTest::newRow("Chinese variants") << "zh-TW"
                                      << "zh-CN" << 14 << "zh-CN";
}

void TestTranslate::storedCodesSelectExactly()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, fromIndex);
    QFETCH(QString, toCode);

    Store(QStringLiteral("FromLang"), from);
    Store(QStringLiteral("ToLang"), to);
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->cmbFromLang->count(), 73);
    QCOMPARE(FWindow->cmbToLang->count(), 72);
    QVERIFY(!Codes(FWindow->cmbToLang).contains(QStringLiteral("auto")));
    QCOMPARE(FWindow->cmbFromLang->currentIndex(), fromIndex);
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbToLang), toCode);
    // Nothing rewrites a stored code that selects nothing.
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("FromLang")), from);
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("ToLang")), to);
}

// Run once per system locale (see CMakeLists.txt); the default run skips it.
void TestTranslate::firstStartFollowsSystemLocale()
{
    struct TExpected
    {
        QString ToLang;
        QString Selected;
        QString SentTarget;
    };
    const QHash<QString, TExpected> expectations = {
        {QStringLiteral("zh_CN"),
         {QStringLiteral("zh-CN"), QStringLiteral("zh-CN"), QStringLiteral("zh-CN")}},
        {QStringLiteral("en_US"), {QStringLiteral("en-US"), QString(), QStringLiteral("en")}},
        {QStringLiteral("bo_CN"), {QStringLiteral("bo-CN"), QString(), QString()}},
    };
    const QString system = QLocale::system().name();
    if (!expectations.contains(system))
        QSKIP("runs under the zh_CN, en_US and bo_CN locales");
    const TExpected expected = expectations.value(system);

    QFile::remove(Settings.IniPath);
    QVERIFY(ShowWindow());
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("FromLang")), QStringLiteral("auto"));
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("ToLang")), expected.ToLang);
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("DisplayLanguageCode")),
             QStringLiteral("en"));
    QCOMPARE(FWindow->cmbFromLang->currentText(), QStringLiteral("Detect language"));
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbToLang), expected.Selected);

    // Translate must work from here: with the system language as the target
    // when there is one, otherwise by asking for a target.
    SetSource(QStringLiteral("Hello"));
    FWindow->btnTrans->click();
    if (expected.SentTarget.isEmpty()) {
        QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("Please choose the language to translate into."));
        QTest::qWait(50);
        QVERIFY(FServer->Requests().isEmpty());
        return;
    }
    QTRY_VERIFY(FWindow->btnTrans->isEnabled());
    QVERIFY(FServer->Requests().value(0).RequestLine.contains(
        "&sl=auto&tl=" + expected.SentTarget.toLatin1() + ' '));
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("ToLang")), expected.SentTarget);
}

void TestTranslate::germanInterface()
{
    Store(QStringLiteral("DisplayLanguageCode"), QStringLiteral("de"));
    QSemaphore release;
    FServer->SetHandler([&release](const TRecordedRequest&) {
        release.acquire();
        return TReply::Json(R"([[["Hallo"]]])");
    });
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->labFrom->text(), QStringLiteral("Von:"));
    QCOMPARE(FWindow->labTo->text(), QStringLiteral("Nach:"));
    QCOMPARE(FWindow->btnTrans->text(), QStringLiteral("Übersetzen"));
    QCOMPARE(FWindow->miOptions->text(), QStringLiteral("Optionen"));
    QCOMPARE(FWindow->cmbFromLang->itemText(0), QStringLiteral("Sprache erkennen"));
    QCOMPARE(FWindow->cmbToLang->itemText(0), QStringLiteral("Afrikaans"));
    QCOMPARE(FWindow->cmbToLang->itemText(1), QStringLiteral("Albanisch"));
    QCOMPARE(FWindow->cmbToLang->currentText(), QStringLiteral("Deutsch"));

    SetSource(QStringLiteral("Hello"));
    FWindow->btnTrans->click();
    QCOMPARE(PaneText(*FWindow->E2), QStringLiteral("Übersetzung, bitte warten ..."));
    release.release();
    QTRY_COMPARE(PaneText(*FWindow->E2), QStringLiteral("Hallo"));
}

void TestTranslate::switchingInterfaceKeepsCodes()
{
    Store(QStringLiteral("FromLang"), QStringLiteral("fr"));
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->cmbFromLang->currentText(), QStringLiteral("French"));
    QCOMPARE(FWindow->labFrom->text(), QStringLiteral("From:"));

    Store(QStringLiteral("DisplayLanguageCode"), QStringLiteral("de"));
    FWindow->hide();
    FWindow->show();
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbFromLang), QStringLiteral("fr"));
    QCOMPARE(FWindow->cmbFromLang->currentText(), QStringLiteral("Französisch"));
    QCOMPARE(TfrmMain::SelectedLanguageCode(FWindow->cmbToLang), QStringLiteral("de"));
    QCOMPARE(FWindow->cmbToLang->currentText(), QStringLiteral("Deutsch"));
    QCOMPARE(UiStrings[InterfaceTextId::Pleasewait], QStringLiteral("Übersetzung, bitte warten ..."));
}

void TestTranslate::unknownInterfaceFallsBackToEnglish()
{
    Store(QStringLiteral("DisplayLanguageCode"), QStringLiteral("xx"));
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->btnTrans->text(), QStringLiteral("Translate"));
    QCOMPARE(FWindow->cmbToLang->currentText(), QStringLiteral("German"));
    QCOMPARE(ReadStringKey(Settings.IniPath, General, QStringLiteral("DisplayLanguageCode")),
             QStringLiteral("xx"));
}

void TestTranslate::arrangesLanguageRow()
{
    QVERIFY(ShowWindow());
    FWindow->labFrom->setGeometry(15, 12, 40, 14);
    FWindow->labTo->setGeometry(15, 13, 28, 14);
    FWindow->ArrangeLanguageRow();
    QCOMPARE(FWindow->cmbFromLang->x(), 65);
    QCOMPARE(FWindow->cmbToLang->x(), 65);
    QCOMPARE(FWindow->btnSwap->x(), 267);
    QCOMPARE(FWindow->ImgLoad->x(), 320);
    QCOMPARE(FWindow->imgHelp->x(), FWindow->labHelp->x() - 20);

    // Applied texts never leave a label cut short or the Help icon under its text.
    for (const char* code : {"en", "de", "ru", "fi", "ar"}) {
        Store(QStringLiteral("DisplayLanguageCode"), QString::fromLatin1(code));
        FWindow->hide();
        FWindow->show();
        for (QLabel* label : {FWindow->labFrom, FWindow->labTo, static_cast<QLabel*>(FWindow->labHelp)})
            QVERIFY2(label->width() >= label->sizeHint().width(), code);
        QVERIFY(FWindow->cmbFromLang->x() >= FWindow->labFrom->geometry().right() + 10);
        QVERIFY(FWindow->imgHelp->geometry().right() < FWindow->labHelp->x());
    }
}

void TestTranslate::quittingWithJobInFlight()
{
    FServer->AnswerAlways(TReply::Silent());
    QVERIFY(ShowWindow());
    SetSource(QStringLiteral("Hello"));
    FWindow->btnTrans->click();
    QTRY_COMPARE(FServer->Requests().size(), 1);
    QVERIFY(FWindow->Translating());
    QElapsedTimer timer;
    timer.start();
    delete FWindow.data();
    QVERIFY(timer.elapsed() < 10'000);
    // Nothing left behind delivers to the destroyed window.
    QTest::qWait(100);
}

QTEST_MAIN(TestTranslate)
#include "tst_translate.moc"
