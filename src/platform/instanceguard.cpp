#include "instanceguard.h"

#include "executable.h"
#include "processalive.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// A copy writes its record right after it creates the lock file; a record
// still unreadable after this long was cut short by a crash.
constexpr qint64 kRecordGraceMs = 3000;
// Copies started together clear the way for each other within moments; one
// that finds no living owner for this long runs rather than wait for ever.
constexpr qint64 kSettleMs = 3000;
constexpr unsigned long kRetryPauseMs = 5;

enum class Entry { Nothing, LockFile, Other };

// What stands where the lock goes, seen without following a link and without
// opening it: reading a FIFO or a device as a record would never end, and no
// copy ever makes anything there but a plain file.
Entry entryAt(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return Entry::Other;
    if (!info.exists())
        return Entry::Nothing;
    return info.isFile() ? Entry::LockFile : Entry::Other;
}

// Removes what is not a plain file, a folder with all it holds; a folder
// walk never removes a plain file that a copy has just made in its place.
bool removeOther(const QString &path)
{
    const QFileInfo info(path);
    const bool removed = info.isDir() && !info.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
    return removed || entryAt(path) != Entry::Other;
}

// The name QLockFile writes into its record for this machine.
QString thisMachine()
{
#if defined(Q_OS_WIN)
    return qEnvironmentVariable("COMPUTERNAME");
#else
    return QSysInfo::machineHostName();
#endif
}

}  // namespace

InstanceGuard::InstanceGuard(const QString &lockPath)
    : m_path(lockPath)
    , m_lock(lockPath)
{
    // The first copy may run for days: only a dead owner makes the lock stale.
    m_lock.setStaleLockTime(0);
}

QString InstanceGuard::defaultLockPath()
{
    // Windows has no runtime folder: Qt gives the home folder, where the lock
    // would show among the user's own files. The user's temporary folder is
    // as private and out of sight.
#if defined(Q_OS_WIN)
    const auto where = QStandardPaths::TempLocation;
#else
    const auto where = QStandardPaths::RuntimeLocation;
#endif
    const QString folder = QStandardPaths::writableLocation(where);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + Executable::baseName() + QStringLiteral(".lock");
}

bool InstanceGuard::PrevInstance()
{
    if (m_path.isEmpty() || m_lock.isLocked())
        return false;
    const QDeadlineTimer deadline(kSettleMs);
    for (;;) {
        switch (attempt()) {
        case Step::Taken:
        case Step::Unlockable:
            return false;
        case Step::Refused:
            return true;
        case Step::Again:
            break;
        }
        // Every try found the owner gone: the user is never locked out.
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryPauseMs);
    }
}

QString InstanceGuard::removerPath() const
{
    return m_path + QStringLiteral(".rmlock");
}

InstanceGuard::Step InstanceGuard::attempt()
{
    // No copy makes anything but a plain file where the remover's lock goes,
    // and while something else stands there QLockFile never clears a lock.
    if (entryAt(removerPath()) == Entry::Other)
        return removeOther(removerPath()) ? Step::Again : Step::Unlockable;
    if (entryAt(m_path) == Entry::Other)
        return clearLeftover();
    // QLockFile itself clears a lock whose owner's process has gone.
    if (m_lock.tryLock(0))
        return Step::Taken;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Step::Unlockable;
    switch (owner()) {
    case Owner::Alive:
        return Step::Refused;
    case Owner::Gone:
        return clearLeftover();
    case Owner::Vanished:
        break;
    }
    return Step::Again;
}

InstanceGuard::Owner InstanceGuard::owner() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application)) {
        // The runtime folder belongs to this machine, so a record written
        // under another name (the machine renamed since) names no copy here.
        if (!host.isEmpty() && host != thisMachine())
            return Owner::Gone;
        return ProcessAlive::isRunning(pid) ? Owner::Alive : Owner::Gone;
    }
    // With the stale time off, QLockFile would honour an unreadable record
    // for ever; one that stays unreadable past the grace time has no owner.
    const QDateTime written = QFileInfo(m_path).lastModified();
    if (!written.isValid())
        return Owner::Vanished;
    // Either way, so that a clock set back cannot keep the record young.
    return qAbs(written.msecsTo(QDateTime::currentDateTime())) > kRecordGraceMs ? Owner::Gone : Owner::Alive;
}

InstanceGuard::Step InstanceGuard::clearLeftover()
{
    // The remover's lock that QLockFile takes before it clears a stale lock:
    // one copy clears at a time, so what it finds stays in place until it has
    // looked again and cleared it, and no copy clears a lock just taken.
    QLockFile remover(removerPath());
    if (!remover.tryLock(0))
        return remover.error() == QLockFile::LockFailedError ? Step::Again : Step::Unlockable;
    switch (entryAt(m_path)) {
    case Entry::Nothing:
        break;
    case Entry::Other:
        return removeOther(m_path) ? Step::Again : Step::Unlockable;
    case Entry::LockFile:
        if (owner() != Owner::Gone)
            break;
        // QLockFile will not clear a file that a living process still holds
        // open and locked: that process is the owner, whatever its record says.
        return m_lock.removeStaleLockFile() ? Step::Again : removeUnwritableRecord();
    }
    return Step::Again;
}

InstanceGuard::Step InstanceGuard::removeUnwritableRecord()
{
#if defined(Q_OS_UNIX)
    // QLockFile clears only a file it may open for writing, and takes any
    // other for one that a living process holds. Another user's record (a copy
    // started with sudo -E) or one without permissions is asked through a
    // descriptor for reading; one that this user cannot open at all cannot be
    // asked, and its age has already told that nobody writes it.
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        if (held)
            return Step::Refused;
    } else if (errno != EACCES) {
        return Step::Again;
    }
    // The runtime folder is the user's own, so whatever stands in it may go.
    return ::unlink(name.constData()) == 0 || errno == ENOENT ? Step::Again : Step::Unlockable;
#else
    return Step::Refused;
#endif
}
