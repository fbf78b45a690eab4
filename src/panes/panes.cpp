#include "panes/panes.h"

#include "settings/settings.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <stdexcept>

namespace {

// Marks text the program placed, so that PaneText reads each such run back as
// one line even when it holds tabs, which typed text would split into items.
constexpr int PlacedTextProperty = QTextFormat::UserProperty + 1;

constexpr QChar Cr = u'\r';
constexpr QChar Lf = u'\n';
constexpr char16_t ObjectReplacement = 0xFFFC;

QTextCharFormat PlacedFormat()
{
    QTextCharFormat format;
    format.setProperty(PlacedTextProperty, true);
    return format;
}

bool IsTrimmed(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return c.isSpace();
    }
}

QString Trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsTrimmed(text.at(begin)))
        ++begin;
    while (end > begin && IsTrimmed(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

const QString CrLf = QStringLiteral("\r\n");

void AppendPlacedRun(QString& out, const QString& run)
{
    // ShowResultMessage keeps a message's line ends as line separators.
    for (const QChar c : run) {
        if (c == QChar::LineSeparator)
            out += CrLf;
        else
            out += c;
    }
    out += CrLf;
}

void AppendTypedRun(QString& out, const QString& run)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < run.size(); ++i) {
        const QChar c = run.at(i);
        if (c == u'\t' || c == QChar::LineSeparator || c.unicode() == ObjectReplacement) {
            if (i > start) {
                out += QStringView(run).mid(start, i - start);
                out += CrLf;
            }
            out += CrLf;
            start = i + 1;
        }
    }
    if (start < run.size()) {
        out += QStringView(run).mid(start);
        out += CrLf;
    }
}

// QTextCursor::insertText turns these into frame boundaries; they cannot stand
// in a line as text.
QChar Placeable(QChar c)
{
    if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1)
        return QChar::ReplacementCharacter;
    return c;
}

void ReplaceContent(QTextEdit& pane, const QString& content)
{
    QTextDocument* doc = pane.document();
    // Program-placed content replaces the pane as a whole, like a fresh load;
    // keeping 2 MiB of undo history for it would cost more than it gives.
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    if (!content.isEmpty()) {
        QTextCursor cursor(doc);
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.insertText(content, PlacedFormat());
    }
    doc->setUndoRedoEnabled(undo);
    pane.moveCursor(QTextCursor::Start);
}

} // namespace

QString PaneText(const QTextEdit& pane)
{
    const QTextDocument* doc = pane.document();
    QString out;
    out.reserve(doc->characterCount() + doc->blockCount() * 2);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        bool anyItem = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            anyItem = true;
            if (fragment.charFormat().boolProperty(PlacedTextProperty))
                AppendPlacedRun(out, fragment.text());
            else
                AppendTypedRun(out, fragment.text());
        }
        if (!anyItem)
            out += CrLf;
    }
    return Trimmed(out);
}

void ShowTextInPane(QTextEdit& pane, const QString& text)
{
    QString content;
    content.reserve(text.size());
    qsizetype lineStart = 0;
    bool tooLong = false;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto endLine = [&](qsizetype lineEnd) {
        if (lineEnd - lineStart > MaxPaneLineLength) {
            tooLong = true;
            return;
        }
        if (lineStart > 0)
            content += QChar::ParagraphSeparator;
        for (qsizetype k = lineStart; k < lineEnd; ++k)
            content += Placeable(text.at(k));
    };
    while (i < n && !tooLong) {
        const QChar c = text.at(i);
        if (c == Cr || c == Lf || c == QChar::ParagraphSeparator) {
            endLine(i);
            i += (c == Cr && i + 1 < n && text.at(i + 1) == Lf) ? 2 : 1;
            lineStart = i;
        } else {
            ++i;
        }
    }
    // The text after the last line end is a line unless it is empty, so that
    // a final line end adds no empty line.
    if (!tooLong && lineStart < n)
        endLine(n);

    ReplaceContent(pane, content);
    if (tooLong)
        throw std::runtime_error("Line too long");
}

void ShowResultMessage(QTextEdit& pane, const QString& text)
{
    QString content;
    content.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == Cr || c == Lf || c == QChar::ParagraphSeparator) {
            if (c == Cr && i + 1 < n && text.at(i + 1) == Lf)
                ++i;
            content += QChar::LineSeparator;
        } else {
            content += Placeable(c);
        }
    }
    ReplaceContent(pane, content);
}

void ClearPane(QTextEdit& pane)
{
    ReplaceContent(pane, QString());
}

QString SelectedPaneText(const QTextEdit& pane)
{
    const QString selected = pane.textCursor().selectedText();
    QString out;
    out.reserve(selected.size());
    for (const QChar c : selected) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            out += CrLf;
        else if (c.unicode() != ObjectReplacement)
            out += c;
    }
    return out;
}

void SetPaneFont(QTextEdit& pane, std::int32_t pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize > 0 ? pointSize : DefaultFontSize);
    // Set on the widget, not only the document, so that the window's own font
    // never propagates over it; QTextEdit hands it to the document.
    pane.setFont(font);
    pane.document()->setDefaultFont(font);
}
