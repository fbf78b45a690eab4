#include "app/messagebox.h"

#include "app/testhooks.h"

#include <QApplication>
#include <QTimer>

namespace {

QString KindName(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Warning:
        return QStringLiteral("warning");
    case QMessageBox::Critical:
        return QStringLiteral("error");
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Question:
        return QStringLiteral("question");
    default:
        return QStringLiteral("none");
    }
}

QMessageBox::StandardButton RunBox(QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, buttons);
    box.setObjectName(QStringLiteral("ParlinoMessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    if (TestHooks::Enabled(QStringLiteral("report"))) {
        TestHooks::Report(QStringLiteral("message %1 [%2] %3").arg(KindName(icon), box.windowTitle(), text));
        QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    const int pressed = box.exec();
    return pressed == QMessageBox::Cancel ? QMessageBox::Cancel : QMessageBox::Ok;
}

} // namespace

QMessageBox::StandardButton ShowMessageBox(const QString& text, int kind)
{
    switch (kind) {
    case mkWarning:
        return RunBox(QMessageBox::Warning, text, QMessageBox::Ok);
    case mkError:
        return RunBox(QMessageBox::Critical, text, QMessageBox::Ok);
    case mkInformation:
        return RunBox(QMessageBox::Information, text, QMessageBox::Ok);
    case mkQuestion:
        return RunBox(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel);
    default:
        return RunBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
    }
}

QString ErrorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowErrorReport(const QString& message)
{
    ShowMessageBox(ErrorReportText(message), mkError);
}
