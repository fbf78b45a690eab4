#include "panes/paneedit.h"

TPaneEdit::TPaneEdit(int paneNumber, bool readOnly, QWidget* parent) : QTextEdit(parent)
{
    setProperty("Tag", paneNumber);
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setLineWrapMode(QTextEdit::WidgetWidth);
    if (readOnly) {
        setReadOnly(true);
        // Read-only, yet the keyboard can still select and copy.
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setFocusPolicy(Qt::StrongFocus);
    }
}

int TPaneEdit::PaneNumber() const
{
    return property("Tag").toInt();
}
