#include "platform/instancelock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TInstanceLock::~TInstanceLock()
{
    if (FFd >= 0)
        ::close(FFd);
}

QString TInstanceLock::LockFilePath(const QString& name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name + QStringLiteral(".lock");
}

TInstanceLock::TResult TInstanceLock::Acquire(const QString& name)
{
    if (FFd >= 0)
        return TResult::Acquired;
    const QByteArray path = QFile::encodeName(LockFilePath(name));
    // O_CLOEXEC: a program started by us must not inherit the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return TResult::Unavailable;
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? TResult::HeldElsewhere : TResult::Unavailable;
    }
    FFd = fd;
    return TResult::Acquired;
}
