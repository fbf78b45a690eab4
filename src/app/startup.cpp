#include "app/startup.h"

#include "app/application.h"
#include "app/frm_Main.h"
#include "app/messagebox.h"
#include "app/product.h"
#include "app/testhooks.h"
#include "platform/instancelock.h"
#include "platform/termination.h"
#include "translate/httpclient.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <stdexcept>

#ifndef PARLINO_DATA_RELDIR
#define PARLINO_DATA_RELDIR "../share/parlino"
#endif

QStringList CompanionDirs(const QString& exeDir)
{
    return {exeDir, QDir::cleanPath(exeDir + QLatin1Char('/') + QStringLiteral(PARLINO_DATA_RELDIR))};
}

namespace {

QString FindIn(const QString& exeDir, const QString& fileName)
{
    for (const QString& dir : CompanionDirs(exeDir)) {
        const QFileInfo info(dir + QLatin1Char('/') + fileName);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return {};
}

// Ends the program once the window has been painted for the first time.
class TQuitAfterPaint final : public QObject
{
public:
    explicit TQuitAfterPaint(TfrmMain* window) : QObject(window), FWindow(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == FWindow && event->type() == QEvent::Paint && !FDone) {
            FDone = true;
            QTimer::singleShot(0, FWindow, [w = FWindow] {
                w->SessionEnding();
                w->close();
            });
        }
        return false;
    }

private:
    TfrmMain* FWindow;
    bool FDone = false;
};

} // namespace

QString CompanionFilePath(const QString& fileName)
{
    return FindIn(QCoreApplication::applicationDirPath(), fileName);
}

bool CoreFilesPresent(const QString& exeDir, bool tlsAvailable)
{
    return !FindIn(exeDir, BusyAnimationFile).isEmpty() && tlsAvailable &&
           !FindIn(exeDir, SoundFile).isEmpty();
}

int RunParlino(int argc, char** argv)
{
    TApplication app(argc, argv);

    // A lock that cannot be taken at all (no runtime directory) does not keep
    // the user from working; only a copy that holds it does.
    TInstanceLock instanceLock;
    if (instanceLock.Acquire(QStringLiteral("OneCopyMutex_Parlino")) ==
        TInstanceLock::TResult::HeldElsewhere) {
        ShowMessageBox(QStringLiteral("The program has been running."), mkInformation);
        return 0;
    }

    if (!CoreFilesPresent(QCoreApplication::applicationDirPath(), HttpTlsAvailable())) {
        ShowMessageBox(QStringLiteral("Unable to load the core files. Please re-install Parlino."),
                       mkInformation);
        return 0;
    }

    TfrmMain frmMain;
    QObject::connect(&frmMain, &TfrmMain::Closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    HandleTerminationSignals(&app, [&frmMain] {
        frmMain.SessionEnding();
        frmMain.close();
    });

    if (qEnvironmentVariableIsSet("PARLINO_TEST_HOOKS")) {
        QObject::connect(&frmMain, &TfrmMain::Shown, &app, [&frmMain] {
            TestHooks::Report(QStringLiteral("shown"));
            if (TestHooks::Enabled(QStringLiteral("throw"))) {
                QTimer::singleShot(0, &frmMain, [] { throw std::runtime_error("Provoked error"); });
            }
            if (TestHooks::Enabled(QStringLiteral("quit-on-show")))
                frmMain.installEventFilter(new TQuitAfterPaint(&frmMain));
        });
    }

    frmMain.show();
    app.exec();
    TestHooks::Report(QStringLiteral("ended"));
    return 0;
}
