// The single-copy lock within one process: a held lock refuses the same
// program's name and no other; a released one refuses nothing. On Linux, a
// folder that cannot hold the lock passes it on to the next, so that one copy
// still runs and a living copy is still seen, and where no folder can hold it
// nothing is refused. What stands where the lock goes is tried with real
// copies in tst_singleinstance.
#include "instanceguard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(Q_OS_UNIX)
namespace {

enum class Folder { Usable, Missing, File, OpenToOthers, ReadOnly, Link, OtherUsers };

// Sets or clears the immutable attribute, which stops root too; false where
// the file system or the machine does not allow it.
bool setImmutable(const QString &path, bool on)
{
    const QString chattr = QStandardPaths::findExecutable(QStringLiteral("chattr"));
    return !chattr.isEmpty()
           && QProcess::execute(chattr, {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

}  // namespace

Q_DECLARE_METATYPE(Folder)
#endif

class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void shouldRefuseOnlyTheSameProgramWhileItHoldsTheLock_data();
    void shouldRefuseOnlyTheSameProgramWhileItHoldsTheLock();
    void shouldAllowAgainOnceTheHolderIsGone();
    // Linux only: Windows keeps the lock in no folder.
    void cleanup();
    void shouldPassTheLockOnToTheNextFolder_data();
    void shouldPassTheLockOnToTheNextFolder();
    void shouldStillRefuseWithoutAUsableRuntimeFolder_data();
    void shouldStillRefuseWithoutAUsableRuntimeFolder();

private:
    QString path(const QString &name) const { return m_root->filePath(name); }
#if defined(Q_OS_UNIX)
    bool make(Folder kind, const QString &folder);
    bool canMakeReadOnly()
    {
        return ::geteuid() != 0 || setImmutable(m_root->path(), false);
    }
#endif

    std::unique_ptr<QTemporaryDir> m_root;
    QStringList m_folders;
    QString m_immutable;
};

void TestInstanceGuard::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_folders = QStringList{path(QStringLiteral("runtime")), path(QStringLiteral("private"))};
}

void TestInstanceGuard::shouldRefuseOnlyTheSameProgramWhileItHoldsTheLock_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("starting");
    QTest::addColumn<bool>("refused");
    QTest::newRow("the same program") << QStringLiteral("GuardedProgram") << QStringLiteral("GuardedProgram") << true;
    QTest::newRow("a renamed copy") << QStringLiteral("GuardedProgram") << QStringLiteral("RenamedProgram") << false;
#if defined(Q_OS_WIN)
    // Windows finds a file by its name in any case: the same executable.
    QTest::newRow("the name in other case")
        << QStringLiteral("GuardedProgram") << QStringLiteral("guardedprogram") << true;
#else
    QTest::newRow("the name in other case")
        << QStringLiteral("GuardedProgram") << QStringLiteral("guardedprogram") << false;
#endif
}

void TestInstanceGuard::shouldRefuseOnlyTheSameProgramWhileItHoldsTheLock()
{
    QFETCH(QString, running);
    QFETCH(QString, starting);
    QFETCH(bool, refused);
    InstanceGuard first(running, m_folders);
    InstanceGuard second(starting, m_folders);
    QVERIFY(!first.PrevInstance());
    QCOMPARE(second.PrevInstance(), refused);
    // Asked again, the holder still holds its lock.
    QVERIFY(!first.PrevInstance());
}

void TestInstanceGuard::shouldAllowAgainOnceTheHolderIsGone()
{
    auto first = std::make_unique<InstanceGuard>(QStringLiteral("GuardedProgram"), m_folders);
    QVERIFY(!first->PrevInstance());
    first.reset();

    InstanceGuard next(QStringLiteral("GuardedProgram"), m_folders);
    QVERIFY(!next.PrevInstance());
}

#if defined(Q_OS_UNIX)
void TestInstanceGuard::cleanup()
{
    if (!m_immutable.isEmpty())
        QVERIFY(setImmutable(std::exchange(m_immutable, QString()), false));
}

bool TestInstanceGuard::make(Folder kind, const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder);
    switch (kind) {
    case Folder::Usable:
    case Folder::Missing:
        return true;
    case Folder::File: {
        QFile file(folder);
        return file.open(QIODevice::WriteOnly);
    }
    case Folder::OpenToOthers:
        return QDir().mkpath(folder) && ::chmod(native.constData(), 0755) == 0;
    case Folder::ReadOnly:
        // Root writes into any folder that is not immutable.
        if (::geteuid() != 0)
            return QDir().mkpath(folder) && ::chmod(native.constData(), 0500) == 0;
        m_immutable = folder;
        return QDir().mkpath(folder) && ::chmod(native.constData(), 0700) == 0 && setImmutable(folder, true);
    case Folder::Link:
        return QDir().mkpath(folder + QStringLiteral("-target"))
               && ::symlink(QFile::encodeName(folder + QStringLiteral("-target")).constData(), native.constData()) == 0;
    case Folder::OtherUsers:
        return QDir().mkpath(folder) && ::chmod(native.constData(), 0700) == 0
               && ::chown(native.constData(), 65534, 65534) == 0;
    }
    return false;
}

void TestInstanceGuard::shouldPassTheLockOnToTheNextFolder_data()
{
    QTest::addColumn<Folder>("first");
    QTest::addColumn<Folder>("second");
    QTest::addColumn<int>("holder");  // the folder that holds the lock; -1: none can

    QTest::newRow("a usable folder") << Folder::Usable << Folder::Usable << 0;
    QTest::newRow("first missing, made") << Folder::Missing << Folder::Usable << 0;
    QTest::newRow("first a file") << Folder::File << Folder::Usable << 1;
    QTest::newRow("first open to others") << Folder::OpenToOthers << Folder::Usable << 1;
    QTest::newRow("first read-only") << Folder::ReadOnly << Folder::Usable << 1;
    // As someone could leave in the temporary folder, where the second lies.
    QTest::newRow("first a link to a folder") << Folder::Link << Folder::Usable << 1;
    QTest::newRow("first another user's") << Folder::OtherUsers << Folder::Usable << 1;
    QTest::newRow("none usable") << Folder::File << Folder::Link << -1;
}

void TestInstanceGuard::shouldPassTheLockOnToTheNextFolder()
{
    QFETCH(Folder, first);
    QFETCH(Folder, second);
    QFETCH(int, holder);
    if (first == Folder::OtherUsers && ::geteuid() != 0)
        QSKIP("Only root can make a folder that another user owns");
    if (first == Folder::ReadOnly && !canMakeReadOnly())
        QSKIP("chattr is not available here, so no folder can be made read-only for root");
    QVERIFY(make(first, m_folders.at(0)));
    QVERIFY(make(second, m_folders.at(1)));

    InstanceGuard running(QStringLiteral("GuardedProgram"), m_folders);
    InstanceGuard starting(QStringLiteral("GuardedProgram"), m_folders);
    QVERIFY(!running.PrevInstance());
    // Where no folder can hold a lock, the program runs rather than lock the user out.
    QCOMPARE(starting.PrevInstance(), holder >= 0);
    for (int i = 0; i < m_folders.size(); ++i)
        QCOMPARE(QFileInfo(m_folders.at(i) + QStringLiteral("/GuardedProgram.lock")).isFile(), i == holder);
}

void TestInstanceGuard::shouldStillRefuseWithoutAUsableRuntimeFolder_data()
{
    QTest::addColumn<Folder>("runtime");  // Missing: XDG_RUNTIME_DIR unset
    QTest::newRow("unset") << Folder::Missing;
    QTest::newRow("not private") << Folder::OpenToOthers;
    QTest::newRow("read-only") << Folder::ReadOnly;
}

void TestInstanceGuard::shouldStillRefuseWithoutAUsableRuntimeFolder()
{
    QFETCH(Folder, runtime);
    const QString folder = path(QStringLiteral("runtime"));
    if (runtime == Folder::ReadOnly && !canMakeReadOnly())
        QSKIP("chattr is not available here, so no folder can be made read-only for root");
    QVERIFY(make(runtime, folder));
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    if (runtime == Folder::Missing)
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    // Qt's own substitute for a runtime folder and the fallback both lie in
    // the temporary folder: this test's own.
    QVERIFY(QDir().mkpath(path(QStringLiteral("tmp"))));
    qputenv("TMPDIR", QFile::encodeName(path(QStringLiteral("tmp"))));

    InstanceGuard running(QStringLiteral("GuardedProgram"));
    InstanceGuard starting(QStringLiteral("GuardedProgram"));
    const bool runningRefused = running.PrevInstance();
    const bool startingRefused = starting.PrevInstance();
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("TMPDIR", savedTemp);

    QVERIFY(!runningRefused);
    QVERIFY(startingRefused);
}
#else
void TestInstanceGuard::cleanup() {}
void TestInstanceGuard::shouldPassTheLockOnToTheNextFolder_data() {}
void TestInstanceGuard::shouldPassTheLockOnToTheNextFolder()
{
    QSKIP("Windows keeps the lock in no folder");
}
void TestInstanceGuard::shouldStillRefuseWithoutAUsableRuntimeFolder_data() {}
void TestInstanceGuard::shouldStillRefuseWithoutAUsableRuntimeFolder()
{
    QSKIP("Windows keeps the lock in no folder");
}
#endif

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
