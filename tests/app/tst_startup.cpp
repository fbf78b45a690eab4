#include "app/startup.h"
#include "platform/instancelock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// Starts the real program as a child process. Each test gets its own copy of
// the program folder (so companion files can be taken away) and its own
// runtime directory (so the single-instance lock is private to the test).
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void coreFiles_data();
    void coreFiles();
    void lockIsExclusive();

    void normalStartIgnoresArguments();
    void secondInstanceRefused();
    void instanceCheckComesFirst();
    void crashedCopyDoesNotBlock();
    void missingCompanionRefused_data();
    void missingCompanionRefused();
    void escapedErrorShownAndSurvived();

private:
    QProcess* Start(const QStringList& hooks, const QStringList& args = {});
    static bool WaitForLine(QProcess* process, const QString& line, int timeoutMs = 10000);
    static QString Output(QProcess* process);

    QTemporaryDir* FDir = nullptr;
    QString FBinDir;
    QList<QProcess*> FProcesses;
};

void TestStartup::init()
{
    FDir = new QTemporaryDir;
    QVERIFY(FDir->isValid());
    QDir root(FDir->path());
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    QVERIFY(root.mkpath(QStringLiteral("run")));
    QFile::setPermissions(root.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    FBinDir = root.filePath(QStringLiteral("bin"));
    const QFileInfo exe(QStringLiteral(PARLINO_EXE));
    for (const QString& name : {exe.fileName(), BusyAnimationFile, SoundFile})
        QVERIFY2(QFile::copy(exe.dir().filePath(name), FBinDir + QLatin1Char('/') + name), qPrintable(name));
}

void TestStartup::cleanup()
{
    for (QProcess* process : std::as_const(FProcesses)) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
        delete process;
    }
    FProcesses.clear();
    delete FDir;
    FDir = nullptr;
}

QProcess* TestStartup::Start(const QStringList& hooks, const QStringList& args)
{
    auto* process = new QProcess;
    FProcesses << process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PARLINO_TEST_HOOKS"), hooks.join(QLatin1Char(',')));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), FDir->filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), FDir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(FDir->path());
    process->start(FBinDir + QStringLiteral("/parlino"), args);
    return process;
}

QString TestStartup::Output(QProcess* process)
{
    const QString text =
        QString::fromUtf8(process->property("seen").toByteArray() + process->readAllStandardError());
    process->setProperty("seen", text.toUtf8());
    return text;
}

bool TestStartup::WaitForLine(QProcess* process, const QString& line, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    const QString wanted = QStringLiteral("parlino-test: ") + line + QLatin1Char('\n');
    while (!deadline.hasExpired()) {
        if (Output(process).contains(wanted))
            return true;
        if (process->state() == QProcess::NotRunning)
            return Output(process).contains(wanted);
        process->waitForReadyRead(50);
    }
    return false;
}

void TestStartup::coreFiles_data()
{
    QTest::addColumn<QStringList>("beside");
    QTest::addColumn<QStringList>("shared");
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("present");
    const QStringList both{BusyAnimationFile, SoundFile};
    QTest::newRow("beside the program") << both << QStringList() << true << true;
    QTest::newRow("installed layout") << QStringList() << both << true << true;
    QTest::newRow("split between both")
        << QStringList{SoundFile} << QStringList{BusyAnimationFile} << true << true;
    QTest::newRow("no animation") << QStringList{SoundFile} << QStringList() << true << false;
    QTest::newRow("no sound") << QStringList{BusyAnimationFile} << QStringList() << true << false;
    QTest::newRow("no TLS") << both << QStringList() << false << false;
}

void TestStartup::coreFiles()
{
    QFETCH(QStringList, beside);
    QFETCH(QStringList, shared);
    QFETCH(bool, tls);
    QFETCH(bool, present);
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/parlino")));
    for (const QString& name : beside)
        QVERIFY(QFile(root.filePath(QStringLiteral("bin/") + name)).open(QIODevice::WriteOnly));
    for (const QString& name : shared)
        QVERIFY(QFile(root.filePath(QStringLiteral("share/parlino/") + name)).open(QIODevice::WriteOnly));
    QCOMPARE(CoreFilesPresent(root.filePath(QStringLiteral("bin")), tls), present);
}

void TestStartup::lockIsExclusive()
{
    qputenv("XDG_RUNTIME_DIR", FDir->filePath(QStringLiteral("run")).toLocal8Bit());
    const QString name = QStringLiteral("ParlinoTestLock");
    {
        TInstanceLock first;
        QCOMPARE(first.Acquire(name), TInstanceLock::TResult::Acquired);
        TInstanceLock second;
        QCOMPARE(second.Acquire(name), TInstanceLock::TResult::HeldElsewhere);
    }
    TInstanceLock again;
    QCOMPARE(again.Acquire(name), TInstanceLock::TResult::Acquired);
}

void TestStartup::normalStartIgnoresArguments()
{
    QProcess* p = Start({QStringLiteral("report"), QStringLiteral("quit-on-show")},
                        {QStringLiteral("--help"), QStringLiteral("file.txt")});
    QVERIFY(p->waitForFinished(15000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    const QString out = Output(p);
    QVERIFY2(out.contains(QStringLiteral("parlino-test: shown\n")), qPrintable(out));
    QVERIFY2(!out.contains(QStringLiteral("message")), qPrintable(out));
}

void TestStartup::secondInstanceRefused()
{
    QProcess* first = Start({QStringLiteral("report")});
    QVERIFY2(WaitForLine(first, QStringLiteral("shown")), qPrintable(Output(first)));

    QProcess* second = Start({QStringLiteral("report")});
    QVERIFY(second->waitForFinished(15000));
    QCOMPARE(second->exitCode(), 0);
    const QString out = Output(second);
    QVERIFY2(out.contains(QStringLiteral("message information [Parlino] The program has been running.\n")),
             qPrintable(out));
    QVERIFY(!out.contains(QStringLiteral("shown")));

    // The first copy is untouched and ends cleanly on a termination request.
    QCOMPARE(first->state(), QProcess::Running);
    ::kill(pid_t(first->processId()), SIGTERM);
    QVERIFY(first->waitForFinished(15000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(Output(first).contains(QStringLiteral("parlino-test: ended\n")));
}

void TestStartup::instanceCheckComesFirst()
{
    QProcess* first = Start({QStringLiteral("report")});
    QVERIFY(WaitForLine(first, QStringLiteral("shown")));
    QVERIFY(QFile::remove(FBinDir + QLatin1Char('/') + SoundFile));
    QProcess* second = Start({QStringLiteral("report")});
    QVERIFY(second->waitForFinished(15000));
    const QString out = Output(second);
    QVERIFY2(out.contains(QStringLiteral("The program has been running.")), qPrintable(out));
    QVERIFY(!out.contains(QStringLiteral("core files")));
}

void TestStartup::crashedCopyDoesNotBlock()
{
    QProcess* first = Start({QStringLiteral("report")});
    QVERIFY(WaitForLine(first, QStringLiteral("shown")));
    first->kill();
    QVERIFY(first->waitForFinished(15000));
    QCOMPARE(first->exitStatus(), QProcess::CrashExit);

    QProcess* second = Start({QStringLiteral("report"), QStringLiteral("quit-on-show")});
    QVERIFY(second->waitForFinished(15000));
    const QString out = Output(second);
    QVERIFY2(out.contains(QStringLiteral("parlino-test: shown\n")), qPrintable(out));
    QVERIFY(!out.contains(QStringLiteral("has been running")));
}

void TestStartup::missingCompanionRefused_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("busy animation") << BusyAnimationFile;
    QTest::newRow("sound") << SoundFile;
}

void TestStartup::missingCompanionRefused()
{
    QFETCH(QString, missing);
    QVERIFY(QFile::remove(FBinDir + QLatin1Char('/') + missing));
    QProcess* p = Start({QStringLiteral("report")});
    QVERIFY(p->waitForFinished(15000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    const QString out = Output(p);
    QVERIFY2(
        out.contains(QStringLiteral(
            "message information [Parlino] Unable to load the core files. Please re-install Parlino.\n")),
        qPrintable(out));
    QVERIFY2(!out.contains(QStringLiteral("shown")), qPrintable(out));
    // The settings file is not created on the way out.
    QVERIFY(!QFile::exists(FBinDir + QStringLiteral("/Parlino.ini")));
}

void TestStartup::escapedErrorShownAndSurvived()
{
    QProcess* p = Start({QStringLiteral("report"), QStringLiteral("throw")});
    QVERIFY2(WaitForLine(p, QStringLiteral("message error [Parlino] Provoked error.")),
             qPrintable(Output(p)));
    QTest::qWait(300);
    QCOMPARE(p->state(), QProcess::Running);
    ::kill(pid_t(p->processId()), SIGTERM);
    QVERIFY(p->waitForFinished(15000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
