#include "app/application.h"
#include "app/clicklabel.h"
#include "app/frm_Main.h"
#include "app/messagebox.h"
#include "fakehttpclient.h"
#include "panes/paneedit.h"
#include "panes/panes.h"
#include "settings/inifile.h"
#include "settings/inifile_p.h"
#include "settings/settings.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <stdexcept>

static QStringList Names(std::initializer_list<const char*> names)
{
    QStringList out;
    for (const char* name : names)
        out << QString::fromUtf8(name);
    return out;
}

// Answers the next modal message box and records what it showed.
struct TBoxAnswer
{
    QString FTitle;
    QString FText;
    QMessageBox::Icon FIcon = QMessageBox::NoIcon;
    int FButtons = 0;

    void AnswerNext(QMessageBox::StandardButton answer)
    {
        QTimer::singleShot(0, [this, answer] { Poll(answer); });
    }

private:
    void Poll(QMessageBox::StandardButton answer)
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this, answer] { Poll(answer); });
            return;
        }
        FTitle = box->windowTitle();
        FText = box->text();
        FIcon = box->icon();
        FButtons = int(box->standardButtons());
        box->button(answer)->click();
    }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlTree_data();
    void controlTree();
    void toolButtonHints_data();
    void toolButtonHints();
    void menus();
    void captions();
    void resizeRule_data();
    void resizeRule();
    void canResize_data();
    void canResize();
    void minimumSize();
    void anchoredControlsFollowRightEdge();
    void tabOrder();
    void clearButtonsActOnTheirPane();
    void contextMenuActsOnLastPane();
    void showAppliesSettings();
    void showErrorIsReportedAndWindowShown();
    void failedSettingsWriteStillAppliesProxy();
    void closeWithoutTrayEnds();
    void closeWhileShuttingDown();
    void messageBoxKinds_data();
    void messageBoxKinds();
    void errorReportText_data();
    void errorReportText();
    void escapedErrorIsReported();

private:
    TfrmMain* ShowWindow();

    QTemporaryDir FDir;
    TfrmMain* FWindow = nullptr;
};

void TestMainWindow::init()
{
    FWindow = new TfrmMain(std::make_unique<TFakeHttpClient>());
    Settings.IniPath = FDir.filePath(QStringLiteral("Parlino.ini"));
    QFile::remove(Settings.IniPath);
}

void TestMainWindow::cleanup()
{
    delete FWindow;
    FWindow = nullptr;
}

TfrmMain* TestMainWindow::ShowWindow()
{
    FWindow->show();
    if (!QTest::qWaitForWindowExposed(FWindow))
        return nullptr;
    return FWindow;
}

void TestMainWindow::controlTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");

    // Client area 723 by 517: 60 banner, 2 rule, 197 and 195 for the halves,
    // 41 Translate strip, 22 status bar.
    QTest::newRow("pnlTop") << "pnlTop"
                            << "frmMain" << QRect(0, 0, 723, 60);
    QTest::newRow("TntBevel1") << "TntBevel1"
                               << "frmMain" << QRect(0, 60, 723, 2);
    QTest::newRow("pnlFrom") << "pnlFrom"
                             << "frmMain" << QRect(0, 62, 723, 197);
    QTest::newRow("pnlTo") << "pnlTo"
                           << "frmMain" << QRect(0, 259, 723, 195);
    QTest::newRow("pnlBottom") << "pnlBottom"
                               << "frmMain" << QRect(0, 454, 723, 41);
    QTest::newRow("Bar") << "Bar"
                         << "frmMain" << QRect(0, 495, 723, 22);
    QTest::newRow("TntImage1") << "TntImage1"
                               << "pnlTop" << QRect(0, 0, 260, 60);
    QTest::newRow("imgHelp") << "imgHelp"
                             << "pnlTop" << QRect(653, 23, 16, 16);
    QTest::newRow("labHelp") << "labHelp"
                             << "pnlTop" << QRect(672, 23, 24, 14);
    QTest::newRow("Panel6") << "Panel6"
                            << "pnlFrom" << QRect(0, 0, 723, 41);
    QTest::newRow("pnl3") << "pnl3"
                          << "pnlFrom" << QRect(0, 41, 5, 156);
    QTest::newRow("E1") << "E1"
                        << "pnlFrom" << QRect(5, 41, 713, 156);
    QTest::newRow("Panel1") << "Panel1"
                            << "pnlFrom" << QRect(718, 41, 5, 156);
    QTest::newRow("labFrom") << "labFrom"
                             << "Panel6" << QRect(15, 12, 97, 14);
    QTest::newRow("cmbFromLang") << "cmbFromLang"
                                 << "Panel6" << QRect(121, 9, 192, 22);
    QTest::newRow("pnl2") << "pnl2"
                          << "Panel6" << QRect(540, 0, 160, 41);
    QTest::newRow("pnl5") << "pnl5"
                          << "Panel6" << QRect(700, 0, 23, 41);
    QTest::newRow("btnOpen") << "btnOpen"
                             << "pnl2" << QRect(14, 8, 25, 25);
    QTest::newRow("btnClear") << "btnClear"
                              << "pnl2" << QRect(43, 8, 25, 25);
    QTest::newRow("btnSave") << "btnSave"
                             << "pnl2" << QRect(73, 8, 25, 25);
    QTest::newRow("btnCopy") << "btnCopy"
                             << "pnl2" << QRect(103, 8, 25, 25);
    QTest::newRow("btnPaste") << "btnPaste"
                              << "pnl2" << QRect(133, 8, 25, 25);
    QTest::newRow("Panel5") << "Panel5"
                            << "pnlTo" << QRect(0, 0, 723, 41);
    QTest::newRow("Panel2") << "Panel2"
                            << "pnlTo" << QRect(0, 41, 5, 154);
    QTest::newRow("E2") << "E2"
                        << "pnlTo" << QRect(5, 41, 713, 154);
    QTest::newRow("pnl4") << "pnl4"
                          << "pnlTo" << QRect(718, 41, 5, 154);
    QTest::newRow("labTo") << "labTo"
                           << "Panel5" << QRect(15, 13, 93, 14);
    QTest::newRow("cmbToLang") << "cmbToLang"
                               << "Panel5" << QRect(121, 9, 192, 22);
    QTest::newRow("btnSwap") << "btnSwap"
                             << "Panel5" << QRect(320, 3, 33, 33);
    QTest::newRow("ImgLoad") << "ImgLoad"
                             << "Panel5" << QRect(365, 14, 16, 13);
    QTest::newRow("pnl1") << "pnl1"
                          << "Panel5" << QRect(540, 0, 160, 41);
    QTest::newRow("Panel9") << "Panel9"
                            << "Panel5" << QRect(700, 0, 23, 41);
    QTest::newRow("btnClear2") << "btnClear2"
                               << "pnl1" << QRect(14, 9, 25, 25);
    QTest::newRow("btnSave2") << "btnSave2"
                              << "pnl1" << QRect(43, 9, 25, 25);
    QTest::newRow("btnCopy2") << "btnCopy2"
                              << "pnl1" << QRect(73, 9, 25, 25);
    QTest::newRow("btnPaste2") << "btnPaste2"
                               << "pnl1" << QRect(103, 9, 25, 25);
    QTest::newRow("btnPrint") << "btnPrint"
                              << "pnl1" << QRect(133, 9, 25, 25);
    QTest::newRow("btnTrans") << "btnTrans"
                              << "pnlBottom" << QRect(574, 10, 130, 25);
}

void TestMainWindow::controlTree()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);

    auto* widget = FWindow->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    // The language row stands as designed until the interface language,
    // applied at the first show, fits it to the texts.
    const bool languageRow =
        QStringList{QStringLiteral("labFrom"),   QStringLiteral("cmbFromLang"), QStringLiteral("labTo"),
                    QStringLiteral("cmbToLang"), QStringLiteral("btnSwap"),     QStringLiteral("ImgLoad"),
                    QStringLiteral("labHelp"),   QStringLiteral("imgHelp")}
            .contains(name);
    if (languageRow)
        QCOMPARE(widget->geometry(), geometry);
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->size(), QSize(723, 517));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (!languageRow)
        QCOMPARE(widget->geometry(), geometry);
    QVERIFY(widget->isVisible());
}

void TestMainWindow::toolButtonHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("tag");
    QTest::newRow("btnOpen") << "btnOpen"
                             << "Open" << 0;
    QTest::newRow("btnClear") << "btnClear"
                              << "Clear" << 0;
    QTest::newRow("btnSave") << "btnSave"
                             << "Save" << 0;
    QTest::newRow("btnCopy") << "btnCopy"
                             << "Copy To Clipboard" << 0;
    QTest::newRow("btnPaste") << "btnPaste"
                              << "Paste From Clipboard" << 0;
    QTest::newRow("btnClear2") << "btnClear2"
                               << "Clear" << 1;
    QTest::newRow("btnSave2") << "btnSave2"
                              << "Save" << 1;
    QTest::newRow("btnCopy2") << "btnCopy2"
                              << "Copy To Clipboard" << 1;
    QTest::newRow("btnPaste2") << "btnPaste2"
                               << "Paste From Clipboard" << 1;
    QTest::newRow("btnPrint") << "btnPrint"
                              << "Print" << 1;
    QTest::newRow("btnSwap") << "btnSwap"
                             << "Swap" << -1;
}

void TestMainWindow::toolButtonHints()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QFETCH(int, tag);
    auto* button = FWindow->findChild<QToolButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->toolTip(), hint);
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    if (tag >= 0)
        QCOMPARE(button->property("Tag").toInt(), tag);
}

void TestMainWindow::menus()
{
    auto names = [](const QMenu* menu) {
        QStringList out;
        for (const QAction* action : menu->actions()) {
            out << action->objectName();
            if (!action->isSeparator() && action->icon().isNull())
                out << QStringLiteral("(no image)");
        }
        return out;
    };
    auto* pmHelp = FWindow->findChild<QMenu*>(QStringLiteral("pmHelp"));
    auto* pmTrans = FWindow->findChild<QMenu*>(QStringLiteral("pmTrans"));
    QVERIFY(pmHelp && pmTrans);
    QCOMPARE(names(pmHelp), Names({"miOpen", "N5", "miOptions", "N3", "miWebSite", "miContactUs", "N1",
                                   "miAbout", "N4", "miClose"}));
    QCOMPARE(names(pmTrans), Names({"Cut1", "Copy1", "Paste1", "N6", "Clear1"}));
    QStringList captions;
    for (const QAction* action : pmTrans->actions()) {
        captions << action->text();
        QVERIFY(action->isEnabled());
    }
    QCOMPARE(captions, Names({"Cut", "Copy", "Paste", "", "Clear"}));
}

void TestMainWindow::captions()
{
    QCOMPARE(FWindow->windowTitle(), QStringLiteral("Parlino"));
    QCOMPARE(FWindow->findChild<QPushButton*>(QStringLiteral("btnTrans"))->text(),
             QStringLiteral("Translate"));
    QCOMPARE(FWindow->findChild<QLabel*>(QStringLiteral("labHelp"))->text(), QStringLiteral("Help"));
    QVERIFY(FWindow->findChild<QStatusBar*>(QStringLiteral("Bar"))
                ->findChild<QLabel*>(QStringLiteral("BarPanel0"))
                ->text()
                .startsWith(QStringLiteral("Copyright")));
    QVERIFY(!FWindow->findChild<QLabel*>(QStringLiteral("TntImage1"))->pixmap().isNull());
}

void TestMainWindow::resizeRule_data()
{
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("fromHeight");
    QTest::addColumn<int>("toHeight");
    QTest::newRow("design height") << 517 << 197 << 195;
    QTest::newRow("odd free height") << 600 << 238 << 237;
    QTest::newRow("minimum height") << 512 << 194 << 193;
}

void TestMainWindow::resizeRule()
{
    QFETCH(int, clientHeight);
    QFETCH(int, fromHeight);
    QFETCH(int, toHeight);
    QVERIFY(ShowWindow());
    FWindow->resize(800, clientHeight);
    QTRY_COMPARE(FWindow->height(), clientHeight);
    QCOMPARE(FWindow->pnlFrom->height(), fromHeight);
    QCOMPARE(FWindow->pnlTo->height(), toHeight);
    QCOMPARE(FWindow->pnlTo->geometry().bottom() + 1, FWindow->pnlBottom->y());
}

void TestMainWindow::canResize_data()
{
    QTest::addColumn<QSize>("proposed");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QSize>("result");
    QTest::newRow("too small both ways") << QSize(300, 400) << false << QSize(370, 550);
    QTest::newRow("too narrow, height change lost") << QSize(300, 700) << false << QSize(370, 555);
    QTest::newRow("too low, width change lost") << QSize(500, 400) << false << QSize(739, 550);
    QTest::newRow("smallest allowed") << QSize(370, 550) << true << QSize(370, 550);
    QTest::newRow("larger") << QSize(1000, 800) << true << QSize(1000, 800);
}

void TestMainWindow::canResize()
{
    QFETCH(QSize, proposed);
    QFETCH(bool, allowed);
    QFETCH(QSize, result);
    QVERIFY(ShowWindow());
    QCOMPARE(FWindow->OuterSize(), QSize(739, 555));
    int w = proposed.width();
    int h = proposed.height();
    QCOMPARE(FWindow->FormCanResize(w, h), allowed);
    QCOMPARE(QSize(w, h), result);
    FWindow->SetOuterSize(proposed.width(), proposed.height());
    QTRY_COMPARE(FWindow->OuterSize(), result);
}

void TestMainWindow::minimumSize()
{
    QVERIFY(ShowWindow());
    FWindow->resize(100, 100);
    QTRY_COMPARE(FWindow->OuterSize(), QSize(370, 550));
}

void TestMainWindow::anchoredControlsFollowRightEdge()
{
    QVERIFY(ShowWindow());
    const QRect imgHelp = FWindow->imgHelp->geometry();
    const QRect labHelp = FWindow->labHelp->geometry();
    const QRect cmbFromLang = FWindow->cmbFromLang->geometry();
    const QRect btnSwap = FWindow->btnSwap->geometry();
    FWindow->resize(823, 517);
    QTRY_COMPARE(FWindow->width(), 823);
    QCOMPARE(FWindow->imgHelp->geometry(), imgHelp.translated(100, 0));
    QCOMPARE(FWindow->labHelp->geometry(), labHelp.translated(100, 0));
    QCOMPARE(FWindow->labHelp->geometry().right(), 795);
    QCOMPARE(FWindow->btnTrans->geometry(), QRect(674, 10, 130, 25));
    QCOMPARE(FWindow->pnl2->geometry(), QRect(640, 0, 160, 41));
    QCOMPARE(FWindow->btnOpen->geometry(), QRect(14, 8, 25, 25));
    QCOMPARE(FWindow->cmbFromLang->geometry(), cmbFromLang);
    QCOMPARE(FWindow->btnSwap->geometry(), btnSwap);
    QCOMPARE(FWindow->E1->width(), 813);

    // A control moved from code keeps its new distance to the right edge.
    FWindow->imgHelp->move(600, 23);
    FWindow->resize(723, 517);
    QTRY_COMPARE(FWindow->width(), 723);
    QCOMPARE(FWindow->imgHelp->pos(), QPoint(500, 23));
    QCOMPARE(FWindow->btnTrans->pos(), QPoint(574, 10));
}

void TestMainWindow::tabOrder()
{
    QVERIFY(ShowWindow());
    QApplication::setActiveWindow(FWindow);
    QVERIFY(QTest::qWaitForWindowActive(FWindow));
    FWindow->btnTrans->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, Names({"btnTrans", "cmbFromLang", "E1", "cmbToLang", "E2", "btnTrans"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("E2"));
}

void TestMainWindow::clearButtonsActOnTheirPane()
{
    QVERIFY(ShowWindow());
    ShowTextInPane(*FWindow->E1, QStringLiteral("source"));
    ShowTextInPane(*FWindow->E2, QStringLiteral("result"));
    QTest::mouseClick(FWindow->btnClear2, Qt::LeftButton);
    QCOMPARE(PaneText(*FWindow->E2), QString());
    QCOMPARE(PaneText(*FWindow->E1), QStringLiteral("source"));
    QTest::mouseClick(FWindow->btnClear, Qt::LeftButton);
    QCOMPARE(PaneText(*FWindow->E1), QString());
}

void TestMainWindow::contextMenuActsOnLastPane()
{
    QVERIFY(ShowWindow());
    ShowTextInPane(*FWindow->E1, QStringLiteral("source"));
    ShowTextInPane(*FWindow->E2, QStringLiteral("result"));
    auto openOn = [](TPaneEdit* pane) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                pane->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(pane->viewport(), &event);
    };

    openOn(FWindow->E1);
    QTRY_VERIFY(FWindow->pmTrans->isVisible());
    QCOMPARE(FWindow->pmTrans->property("Tag").toInt(), SourcePane);
    FWindow->pmTrans->hide();

    openOn(FWindow->E2);
    QTRY_VERIFY(FWindow->pmTrans->isVisible());
    QCOMPARE(FWindow->pmTrans->property("Tag").toInt(), ResultPane);
    for (QAction* action : FWindow->pmTrans->actions())
        QVERIFY(action->isEnabled() && action->isVisible());
    FWindow->Clear1->trigger();
    FWindow->pmTrans->hide();
    QCOMPARE(PaneText(*FWindow->E2), QString());
    QCOMPARE(PaneText(*FWindow->E1), QStringLiteral("source"));
}

void TestMainWindow::showAppliesSettings()
{
    WriteIntegerKey(Settings.IniPath, SettingsKeys::General, QStringLiteral("FontSize"), 21);
    WriteBoolKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("NoProxy"), false);
    WriteStringKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("Address"),
                   QStringLiteral("proxy.lan"));
    WriteStringKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("Port"),
                   QStringLiteral("3128"));
    QVERIFY(ShowWindow());
    for (TPaneEdit* pane : {FWindow->E1, FWindow->E2}) {
        QCOMPARE(pane->document()->defaultFont().family(), QStringLiteral("Arial"));
        QCOMPARE(pane->document()->defaultFont().pointSize(), 21);
    }
    QCOMPARE(FWindow->HTTP().Proxy().Server, QStringLiteral("proxy.lan"));
    QCOMPARE(FWindow->HTTP().Proxy().Port, 3128);

    // Every show reads the file again.
    FWindow->hide();
    WriteIntegerKey(Settings.IniPath, SettingsKeys::General, QStringLiteral("FontSize"), 12);
    FWindow->show();
    QCOMPARE(FWindow->E1->document()->defaultFont().pointSize(), 12);
}

void TestMainWindow::showErrorIsReportedAndWindowShown()
{
    WriteBoolKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("NoProxy"), false);
    WriteStringKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("Port"), QStringLiteral("80a"));
    TBoxAnswer answer;
    answer.AnswerNext(QMessageBox::Ok);
    QVERIFY(ShowWindow());
    QCOMPARE(answer.FTitle, QStringLiteral("Parlino"));
    QCOMPARE(answer.FText, QStringLiteral("'80a' is not a valid integer value."));
    QCOMPARE(answer.FIcon, QMessageBox::Critical);
    QVERIFY(FWindow->isVisible());
}

void TestMainWindow::failedSettingsWriteStillAppliesProxy()
{
    WriteBoolKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("NoProxy"), false);
    WriteStringKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("Address"),
                   QStringLiteral("proxy.lan"));
    WriteStringKey(Settings.IniPath, SettingsKeys::Connection, QStringLiteral("Port"),
                   QStringLiteral("3128"));
    // The first show writes the missing interface language, and that fails.
    SetIniWriteFaultForTesting(0);
    TBoxAnswer answer;
    answer.AnswerNext(QMessageBox::Ok);
    QVERIFY(ShowWindow());
    QCOMPARE(answer.FText, QStringLiteral("Unable to write to ") + Settings.IniPath + u'.');
    QCOMPARE(FWindow->HTTP().Proxy().Server, QStringLiteral("proxy.lan"));
    QCOMPARE(FWindow->HTTP().Proxy().Port, 3128);
}

void TestMainWindow::closeWithoutTrayEnds()
{
    QVERIFY(ShowWindow());
    QVERIFY(FWindow->CloseToTray);
    QSignalSpy closed(FWindow, &TfrmMain::Closed);
    QVERIFY(FWindow->close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!FWindow->isVisible());
}

void TestMainWindow::closeWhileShuttingDown()
{
    QVERIFY(ShowWindow());
    QSignalSpy closed(FWindow, &TfrmMain::Closed);
    FWindow->SessionEnding();
    QVERIFY(FWindow->ShuttingDown);
    QVERIFY(FWindow->close());
    QCOMPARE(closed.count(), 1);
}

void TestMainWindow::messageBoxKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    const int ok = QMessageBox::Ok;
    const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    QTest::newRow("warning") << 0 << int(QMessageBox::Warning) << ok << ok;
    QTest::newRow("error") << 1 << int(QMessageBox::Critical) << ok << ok;
    QTest::newRow("information") << 2 << int(QMessageBox::Information) << ok << ok;
    QTest::newRow("question, OK") << 3 << int(QMessageBox::Question) << okCancel << ok;
    QTest::newRow("question, Cancel")
        << 3 << int(QMessageBox::Question) << okCancel << int(QMessageBox::Cancel);
    QTest::newRow("other") << 7 << int(QMessageBox::NoIcon) << ok << ok;
}

void TestMainWindow::messageBoxKinds()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, answer);
    TBoxAnswer box;
    box.AnswerNext(QMessageBox::StandardButton(answer));
    QCOMPARE(int(ShowMessageBox(QStringLiteral("Text"), kind)), answer);
    QCOMPARE(box.FTitle, QStringLiteral("Parlino"));
    QCOMPARE(box.FText, QStringLiteral("Text"));
    QCOMPARE(int(box.FIcon), icon);
    QCOMPARE(box.FButtons, buttons);
}

void TestMainWindow::errorReportText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Line too long"
                           << "Line too long.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("sorts before the full stop") << "Oops!"
                                                << "Oops!";
    QTest::newRow("comma") << "a,"
                           << "a,";
    QTest::newRow("line end") << "a\r\n"
                              << "a\r\n";
    QTest::newRow("sorts after the full stop") << "Why?"
                                               << "Why?.";
    QTest::newRow("non-ASCII") << "Fehler \u00FC"
                               << "Fehler \u00FC.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestMainWindow::errorReportText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorReportText(message), shown);
}

void TestMainWindow::escapedErrorIsReported()
{
    // The application object's report, fed by a handler that throws.
    auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
    QVERIFY(app);
    TBoxAnswer box;
    box.AnswerNext(QMessageBox::Ok);
    bool after = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Nicht g\xC3\xBCltig"); });
    QTimer::singleShot(0, [&after] { after = true; });
    QTRY_VERIFY(after);
    QTRY_COMPARE(box.FText, QStringLiteral("Nicht g\u00FCltig."));
    QCOMPARE(box.FTitle, QStringLiteral("Parlino"));
    QCOMPARE(box.FIcon, QMessageBox::Critical);
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
