#pragma once

#include <QMessageBox>
#include <QString>

// The kinds of ShowMessageBox: the icon, and for a question OK and Cancel.
enum TMessageKind : int
{
    mkWarning = 0,
    mkError = 1,
    mkInformation = 2,
    mkQuestion = 3,
};

// A modal message box titled with the application's name. Any other kind
// shows no icon and OK. Returns the button pressed: Ok or Cancel.
QMessageBox::StandardButton ShowMessageBox(const QString& text, int kind);

// The message of an error as the general error report shows it: a full stop
// is added unless the message is empty or ends in a full stop or in a
// character that sorts before it.
QString ErrorReportText(const QString& message);

// The application's general error report: an error box with `message`.
void ShowErrorReport(const QString& message);
