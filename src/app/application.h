#pragma once

#include <QApplication>

// The application object. An error that escapes an event handler ends that
// event only: it is shown by the general error report and the program runs on.
class TApplication final : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
