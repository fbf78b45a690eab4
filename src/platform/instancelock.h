#pragma once

#include <QString>

// One copy of the program per user session. The lock is an advisory lock on a
// file in the user's runtime directory; the kernel drops it when the process
// ends in any way, so a crashed copy never blocks the next start.
class TInstanceLock final
{
public:
    TInstanceLock() = default;
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    enum class TResult
    {
        Acquired,
        HeldElsewhere,
        Unavailable
    };

    // Tries to take the lock named `name` without waiting. Unavailable means
    // the lock file could not be opened at all (no runtime directory, no
    // permission); the caller decides whether to run unguarded.
    TResult Acquire(const QString& name);

    // Where the lock file for `name` lives.
    static QString LockFilePath(const QString& name);

private:
    int FFd = -1;
};
