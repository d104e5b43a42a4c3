// Tells whether another copy of the program is running, by a lock that the
// system holds for the life of the process and releases however it ends.
#pragma once

#include <QString>
#include <QStringList>

class InstanceGuard
{
public:
    // The lock named after name, the executable's base name. On Linux a file
    // locked with flock in the first of folders that can hold it; on Windows
    // a mutex in the session's namespace, where folders play no part.
    explicit InstanceGuard(const QString &name, const QStringList &folders = defaultFolders());
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    // The user's runtime folder (Qt's own private substitute when it has
    // none), then a private folder of the user's own in the temporary folder.
    static QStringList defaultFolders();

    // True only while another living process holds the lock. Otherwise this
    // guard holds it until it is destroyed; where no lock can be made at all,
    // nothing is refused.
    bool PrevInstance();

private:
    QString m_name;
    QStringList m_folders;
#if defined(Q_OS_WIN)
    void *m_mutex = nullptr;
#else
    int m_fd = -1;
#endif
};
