#pragma once

#include "translate/httpclient.h"

#include <QByteArray>
#include <QEvent>
#include <QString>
#include <QThread>

// Posted to the window when a job's ResultBuffer holds the answer, or the
// failure text. Both numbers lie in Qt's user event range.
inline constexpr auto WM_TRANSLATE_DONE = static_cast<QEvent::Type>(0x1401);
inline constexpr auto WM_TRANSLATE_FAILED = static_cast<QEvent::Type>(0x1402);

// The worker of one translation. It forms the request, sends it with the
// window's client, fills the buffer and posts one of the two events; it
// touches no widget. It deletes itself once its body has returned.
//
// The window owns the client and the buffer: before it goes away it must
// call Abort on the client and wait for the thread.
class TMyThread final : public QThread
{
    Q_OBJECT

public:
    TMyThread(QObject* wnd, IHttpClient* http, QString text, QString sourceLang, QString targetLang,
              QByteArray* buffer, QString serviceBaseUrl);

protected:
    void run() override;

private:
    void DoTranslate();
    void Post(QEvent::Type type);

    QObject* FWnd;
    IHttpClient* FHttp;
    QString FText;
    QString FSourceLang;
    QString FTargetLang;
    QByteArray* FBuffer;
    QString FServiceBaseUrl;
};
