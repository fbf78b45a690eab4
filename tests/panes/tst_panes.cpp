#include "panes/paneedit.h"
#include "panes/panes.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>
#include <stdexcept>

class TestPanes : public QObject
{
    Q_OBJECT

private slots:
    void showThenRead_data();
    void showThenRead();
    void emptyContentReadsEmpty_data();
    void emptyContentReadsEmpty();
    void typedItemsReadAsLines();
    void longLines();
    void resultMessageIsOneParagraph();
    void selectedText();
    void clearPane();
    void fontFollowsSettingWithoutReplacing();
};

static const QString CrLf = QStringLiteral("\r\n");

void TestPanes::showThenRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<QString>("paneText");

    QTest::newRow("empty") << QString() << QStringList{QString()} << QString();
    QTest::newRow("one line, final CR LF")
        << QStringLiteral("a\r\n") << QStringList{QStringLiteral("a")} << QStringLiteral("a");
    QTest::newRow("leading empty line")
        << QStringLiteral("\r\nb") << QStringList{QString(), QStringLiteral("b")} << QStringLiteral("b");
    QTest::newRow("only the last empty line dropped")
        << QStringLiteral("  a\r\n\r\n") << QStringList{QStringLiteral("  a"), QString()}
        << QStringLiteral("a");
    QTest::newRow("inner empty line and indentation kept")
        << QStringLiteral("a\r\n\r\n  b")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("  b")}
        << QStringLiteral("a\r\n\r\n  b");
    QTest::newRow("lone LF and CR end lines")
        << QStringLiteral("a\nb\rc")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}
        << QStringLiteral("a\r\nb\r\nc");
    QTest::newRow("tab inside a placed line stays")
        << QStringLiteral("a\tb\r\nc") << QStringList{QStringLiteral("a\tb"), QStringLiteral("c")}
        << QStringLiteral("a\tb\r\nc");
    QTest::newRow("white space only")
        << QStringLiteral(" \t \r\n\t") << QStringList{QStringLiteral(" \t "), QStringLiteral("\t")}
        << QString();
    QTest::newRow("format and control characters trimmed")
        << QStringLiteral("\u200B\u0001x\u00A0\uFEFF")
        << QStringList{QStringLiteral("\u200B\u0001x\u00A0\uFEFF")} << QStringLiteral("x");
    QTest::newRow("non-BMP text") << QStringLiteral("\U0001F600 ok")
                                  << QStringList{QStringLiteral("\U0001F600 ok")}
                                  << QStringLiteral("\U0001F600 ok");
}

void TestPanes::showThenRead()
{
    QFETCH(QString, text);
    QFETCH(QStringList, paragraphs);
    QFETCH(QString, paneText);

    TPaneEdit pane(SourcePane, false, nullptr);
    pane.setPlainText(QStringLiteral("old content\nto be replaced"));
    ShowTextInPane(pane, text);

    QStringList actual;
    for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next())
        actual << b.text();
    QCOMPARE(actual, paragraphs);
    QCOMPARE(PaneText(pane), paneText);
}

void TestPanes::emptyContentReadsEmpty_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("empty pane") << QString();
    QTest::newRow("only empty paragraphs") << QStringLiteral("\n\n\n");
    QTest::newRow("only spaces and tabs") << QStringLiteral("  \t\n \t");
}

void TestPanes::emptyContentReadsEmpty()
{
    QFETCH(QString, plain);
    TPaneEdit pane(SourcePane, false, nullptr);
    pane.setPlainText(plain);
    QCOMPARE(PaneText(pane), QString());
}

void TestPanes::typedItemsReadAsLines()
{
    // Text from the user's own editing: a tab and a line break are items of
    // their own, and two differently formatted runs on one line are two items.
    TPaneEdit pane(SourcePane, false, nullptr);
    QTextCursor cursor(pane.document());
    cursor.insertText(QStringLiteral("one\ttwo"), QTextCharFormat());
    cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("three"), QTextCharFormat());
    cursor.insertBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("plain "), QTextCharFormat());
    cursor.insertText(QStringLiteral("bold"), bold);

    QCOMPARE(PaneText(pane), QStringLiteral("one\r\n\r\ntwo\r\n\r\nthree\r\nplain \r\nbold"));
}

void TestPanes::longLines()
{
    const QString fullLine(MaxPaneLineLength, QLatin1Char('x'));
    TPaneEdit pane(ResultPane, true, nullptr);

    // Many lines at the limit are placed whatever the whole length.
    QStringList lines(40, fullLine);
    ShowTextInPane(pane, lines.join(CrLf));
    QCOMPARE(pane.document()->blockCount(), 40);
    QCOMPARE(PaneText(pane).size(), 40 * MaxPaneLineLength + 39 * 2);

    // One character more stops at that line with the lines before it placed.
    const QString text =
        QStringLiteral("first\r\nsecond\r\n") + fullLine + QLatin1Char('y') + QStringLiteral("\r\nlast");
    try {
        ShowTextInPane(pane, text);
        QFAIL("no error for a line past the limit");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Line too long"));
    }
    QCOMPARE(PaneText(pane), QStringLiteral("first\r\nsecond"));

    // The limit is per line, also for the last line of the text.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ShowTextInPane(pane, fullLine + QLatin1Char('y')));
    QCOMPARE(PaneText(pane), QString());
}

void TestPanes::resultMessageIsOneParagraph()
{
    TPaneEdit pane(ResultPane, true, nullptr);
    ShowTextInPane(pane, QStringLiteral("a\r\nb\r\nc"));
    const QString message = QStringLiteral("Socket Error # 10060\r\nConnection timed out.");
    ShowResultMessage(pane, message);
    QCOMPARE(pane.document()->blockCount(), 1);
    int fragments = 0;
    for (auto it = pane.document()->begin().begin(); !it.atEnd(); ++it)
        ++fragments;
    QCOMPARE(fragments, 1);
    QCOMPARE(PaneText(pane), message);
}

void TestPanes::selectedText()
{
    TPaneEdit pane(SourcePane, false, nullptr);
    ShowTextInPane(pane, QStringLiteral("alpha\r\nbeta \r\ngamma"));
    QCOMPARE(SelectedPaneText(pane), QString());

    QTextCursor cursor(pane.document());
    cursor.setPosition(2);
    cursor.setPosition(pane.document()->findBlockByNumber(2).position() + 3, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    QCOMPARE(SelectedPaneText(pane), QStringLiteral("pha\r\nbeta \r\ngam"));
}

void TestPanes::clearPane()
{
    TPaneEdit pane(SourcePane, false, nullptr);
    ShowTextInPane(pane, QStringLiteral("a\r\nb"));
    ClearPane(pane);
    QCOMPARE(pane.document()->blockCount(), 1);
    QVERIFY(pane.document()->isEmpty());
    QCOMPARE(PaneText(pane), QString());
}

void TestPanes::fontFollowsSettingWithoutReplacing()
{
    TPaneEdit pane(SourcePane, false, nullptr);
    SetPaneFont(pane, 14);
    ShowTextInPane(pane, QStringLiteral("hello\r\nworld"));
    ShowResultMessage(pane, QStringLiteral("message"));
    ShowTextInPane(pane, QStringLiteral("hello\r\nworld"));
    const QTextDocument* doc = pane.document();
    const QString before = doc->toPlainText();

    SetPaneFont(pane, 22);
    QCOMPARE(doc->toPlainText(), before);
    QCOMPARE(doc->defaultFont().family(), QStringLiteral("Arial"));
    QCOMPARE(doc->defaultFont().pointSize(), 22);
    // The placed text carries no font of its own, so it is drawn in the new
    // size: the laid-out line is taller than at 14 points.
    const QTextCharFormat format = doc->begin().begin().fragment().charFormat();
    QVERIFY(!format.hasProperty(QTextFormat::FontPointSize));
    QVERIFY(!format.hasProperty(QTextFormat::FontFamilies));
    QCOMPARE(QFontInfo(pane.font()).pointSize() > 14, true);
}

QTEST_MAIN(TestPanes)
#include "tst_panes.moc"
