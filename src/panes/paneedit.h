#pragma once

#include <QTextEdit>

// The text control of a pane: plain text only (a paste brings no fonts or
// colours with it), Tab moves the focus, and the context menu is the window's.
class TPaneEdit final : public QTextEdit
{
    Q_OBJECT

public:
    TPaneEdit(int paneNumber, bool readOnly, QWidget* parent);

    int PaneNumber() const;
};
