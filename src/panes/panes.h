#pragma once

#include <QString>
#include <cstdint>

class QTextEdit;

// Pane numbers, carried in the "Tag" property of the panes, of the buttons that
// act on a pane and of the panes' shared context menu.
inline constexpr int SourcePane = 0;
inline constexpr int ResultPane = 1;

// The longest line ShowTextInPane places, in UTF-16 code units.
inline constexpr qsizetype MaxPaneLineLength = 65535;

// The pane's whole text as plain text: every item followed by CR LF, then
// trimmed of white space, control and format characters at both ends.
// A run of text that ShowTextInPane or ShowResultMessage placed is one item;
// in text that came from the user's editing, a tab, a line break or an
// embedded object is an item of its own without text.
QString PaneText(const QTextEdit& pane);

// Replaces the pane's content by `text`, one paragraph per line. Lines end at
// CR LF, a lone CR or LF, or U+2029; a final line end does not start another
// line. Throws std::runtime_error "Line too long" at the first line longer
// than MaxPaneLineLength, after placing the lines before it.
void ShowTextInPane(QTextEdit& pane, const QString& text);

// Replaces the pane's content by one paragraph holding the whole message; its
// line ends are drawn as line breaks inside that paragraph.
void ShowResultMessage(QTextEdit& pane, const QString& text);

// Empties the pane.
void ClearPane(QTextEdit& pane);

// The selection as plain text: paragraph ends and line breaks become CR LF,
// nothing is trimmed; empty without a selection.
QString SelectedPaneText(const QTextEdit& pane);

// The panes' one text style: "Arial" at `pointSize` points. Text already in the
// pane follows the new size without being placed again.
void SetPaneFont(QTextEdit& pane, std::int32_t pointSize);
