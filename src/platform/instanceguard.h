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
    // takes the lock and keeps it until it is destroyed: of copies started
    // together exactly one takes it. Whatever was left in the lock's place by
    // a copy that crashed or was killed is cleared first; only where the lock
    // cannot be made or cleared at all does the program run without one.
    bool PrevInstance();

private:
    enum class Step { Taken, Refused, Unlockable, Again };
    enum class Owner { Alive, Gone, Vanished };

    QString removerPath() const;
    Step attempt();
    Owner owner() const;
    Step clearLeftover();
    Step removeUnwritableRecord();

    QString m_path;
    QLockFile m_lock;
};
