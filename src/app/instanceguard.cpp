#include "app/instanceguard.h"

#include "app/executable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>

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
    if (ownerIsGone() && m_lock.removeStaleLockFile() && m_lock.tryLock(0))
        return false;
    return m_lock.error() == QLockFile::LockFailedError;
}

bool InstanceGuard::ownerIsGone()
{
    // With the stale time off, QLockFile would honour an unreadable record for
    // ever; one that stays unreadable past the grace time has no owner.
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application))
        return false;
    const QDateTime written = QFileInfo(m_path).lastModified();
    // Either way, so that a clock set back cannot keep the record young.
    return written.isValid() && qAbs(written.msecsTo(QDateTime::currentDateTime())) > kRecordGraceMs;
}
