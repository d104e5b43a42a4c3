// Tells whether another copy of the program is already running, by a lock
// file that the first copy holds for as long as it lives.
#pragma once

#include <QLockFile>
#include <QString>

class InstanceGuard
{
public:
    // lockPath empty: no lock can be made, and nothing is ever refused.
    explicit InstanceGuard(const QString &lockPath);

    // The lock of the running program: in the user's runtime folder, named
    // after the executable, so only the same user's same program counts.
    static QString defaultLockPath();

    // True only when another living copy holds the lock. Otherwise this guard
    // takes the lock (if it can) and keeps it until it is destroyed. A lock
    // left by a copy that crashed or was killed never blocks, and neither does
    // a lock that cannot be made at all.
    bool PrevInstance();

private:
    bool ownerIsGone();

    QString m_path;
    QLockFile m_lock;
};
