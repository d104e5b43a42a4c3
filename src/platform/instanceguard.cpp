#include "instanceguard.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if !defined(Q_OS_WIN)
namespace {

enum class Lock { Taken, Held, Unusable };

// Used only when the folder, made if missing, is this user's and nobody
// else may enter it, so that nobody else can put anything where the lock goes.
// The file's contents are never read: the kernel's lock alone tells. It is
// opened for reading, which flock needs no more than, so that a read-only file
// locks too; never through a link, never waiting on a FIFO. Only a plain file
// of this user's is locked: whatever else stands there makes the folder
// unusable and is left as it is.
Lock lockIn(const QString &folder, const QString &name, int *fd)
{
    const QByteArray dir = QFile::encodeName(folder);
    ::mkdir(dir.constData(), 0700);
    struct stat info;
    if (::lstat(dir.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()
        || (info.st_mode & 077) != 0)
        return Lock::Unusable;
    const QByteArray path = dir + '/' + QFile::encodeName(name) + ".lock";
    *fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (*fd < 0)
        return Lock::Unusable;
    const bool plainFile = ::fstat(*fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
    if (plainFile && ::flock(*fd, LOCK_EX | LOCK_NB) == 0)
        return Lock::Taken;
    const Lock lock = plainFile && errno == EWOULDBLOCK ? Lock::Held : Lock::Unusable;
    ::close(*fd);
    *fd = -1;
    return lock;
}

}  // namespace
#endif

InstanceGuard::InstanceGuard(const QString &name, const QStringList &folders)
    : m_name(name)
    , m_folders(folders)
{
}

InstanceGuard::~InstanceGuard()
{
#if defined(Q_OS_WIN)
    if (m_mutex)
        CloseHandle(m_mutex);
#else
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

QStringList InstanceGuard::defaultFolders()
{
#if defined(Q_OS_WIN)
    return {};
#else
    // The second for a runtime folder that is read-only or has something else
    // in the lock's place; in the temporary folder, so on this machine alone.
    return {QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
            QDir::tempPath() + QStringLiteral("/orvel-") + QString::number(::geteuid())};
#endif
}

bool InstanceGuard::PrevInstance()
{
#if defined(Q_OS_WIN)
    if (m_mutex)
        return false;
    // Mutex names are case-sensitive and file names are not; a backslash
    // would name a namespace.
    const QString key = QStringLiteral("Local\\Orvel.") + m_name.toLower().replace(QLatin1Char('\\'), QLatin1Char('_'));
    m_mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(key.utf16()));
    if (!m_mutex || GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    CloseHandle(m_mutex);
    m_mutex = nullptr;
    return true;
#else
    if (m_fd >= 0)
        return false;
    for (const QString &folder : std::as_const(m_folders)) {
        const Lock lock = lockIn(folder, m_name, &m_fd);
        if (lock != Lock::Unusable)
            return lock == Lock::Held;
    }
    return false;
#endif
}
