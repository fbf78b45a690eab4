#include "app/application.h"

#include "app/messagebox.h"
#include "app/product.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(ProductName);
    setApplicationDisplayName(ProductName);
    setDesktopFileName(DesktopId);
    // The main window decides when the program ends (it may live on hidden);
    // closing a message box while it is hidden must not end the program.
    setQuitOnLastWindowClosed(false);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorReport(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("Unknown error"));
    }
    return false;
}
