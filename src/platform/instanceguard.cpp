#include "instanceguard.h"

#include "executable.h"
#include "processalive.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

// A copy writes its record right after it creates the lock file; a record
// still unreadable after this long was cut short by a crash.
constexpr qint64 kRecordGraceMs = 3000;

}  // namespace

InstanceGuard::InstanceGuard(const QString &lockPath)
    : m_path(lockPath), m_lock(lockPath)
{
    // The first copy may run for days: only a dead owner makes the lock stale.
    m_lock.setStaleLockTime(0);
}

QString InstanceGuard::defaultLockPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + Executable::baseName() + QStringLiteral(".lock");
}

bool InstanceGuard::PrevInstance()
{
    if (m_path.isEmpty() || m_lock.isLocked())
        return false;
    // QLockFile already clears a lock whose owner's process has gone.
    if (m_lock.tryLock(0))
        return false;
    if (m_lock.error() != QLockFile::LockFailedError)
        return false;
    if (ownerIsGone()) {
        // A lock that no living copy holds never blocks, not even one that a
        // read-only folder keeps from being cleared.
        if (m_lock.removeStaleLockFile())
            m_lock.tryLock(0);
        return false;
    }
    return true;
}

bool InstanceGuard::ownerIsGone()
{
    // With the stale time off, QLockFile would honour an unreadable record for
    // ever; one that stays unreadable past the grace time has no owner.
    const QFileInfo record(m_path);
    // Only a file can be a record: a folder in its place holds nothing.
    if (record.exists() && !record.isFile())
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    // QLockFile clears a dead owner's lock itself, except where the folder is
    // read-only; such a lock is left behind by a copy that is gone.
    if (m_lock.getLockInfo(&pid, &host, &application))
        return host == QSysInfo::machineHostName() && !ProcessAlive::isRunning(pid);
    const QDateTime written = record.lastModified();
    // Either way, so that a clock set back cannot keep the record young.
    return written.isValid() && qAbs(written.msecsTo(QDateTime::currentDateTime())) > kRecordGraceMs;
}
