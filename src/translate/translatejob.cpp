#include "translate/translatejob.h"

#include "translate/request.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

TMyThread::TMyThread(QObject* wnd, IHttpClient* http, QString text, QString sourceLang, QString targetLang,
                     QByteArray* buffer, QString serviceBaseUrl)
    : FWnd(wnd), FHttp(http), FText(std::move(text)), FSourceLang(std::move(sourceLang)),
      FTargetLang(std::move(targetLang)), FBuffer(buffer), FServiceBaseUrl(std::move(serviceBaseUrl))
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    // All fields are set before the body can run.
    start();
}

void TMyThread::run()
{
    DoTranslate();
}

void TMyThread::DoTranslate()
{
    // Nothing may escape the thread body: that would end the program.
    try {
        const TTranslateRequest request =
            FormTranslateRequest(FServiceBaseUrl, FText, FSourceLang, FTargetLang);
        const QByteArray answer =
            request.Post ? FHttp->Post(request.Url, request.Body) : FHttp->Get(request.Url);
        FBuffer->append(answer);
        Post(WM_TRANSLATE_DONE);
    } catch (const std::exception& e) {
        // Whatever the buffer already holds beyond blanks and control bytes
        // wins over the error text.
        if (std::all_of(FBuffer->cbegin(), FBuffer->cend(),
                        [](char c) { return static_cast<unsigned char>(c) <= 0x20; })) {
            FBuffer->clear();
            FBuffer->append(e.what());
        }
        Post(WM_TRANSLATE_FAILED);
    } catch (...) {
        FBuffer->clear();
        Post(WM_TRANSLATE_FAILED);
    }
}

void TMyThread::Post(QEvent::Type type)
{
    // The window waits for this thread before it is destroyed, so it is
    // still there; postEvent itself cannot fail.
    QCoreApplication::postEvent(FWnd, new QEvent(type));
}
