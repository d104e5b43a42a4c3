// The single-copy lock within one process: a held lock refuses, and nothing
// left in the lock's place, be it an old record, an unreadable one, another
// user's, a FIFO, a link or a folder, nor a lock impossible to make ever keeps
// the program from starting. As root, the rows about permissions run with the
// user nobody's rights.
#include "instanceguard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class Leftover {
    File,
    UnreadableFile,
    OtherUsersFile,
    Fifo,
    DanglingLink,
    LinkToEndlessDevice,
    Folder,
    RemoversFolder
};

// A record as QLockFile writes it, of a process that another machine ran.
const QByteArray kOtherHostsRecord("1\nProgram\nelsewhere.invalid\n");

#if defined(Q_OS_UNIX)
constexpr uid_t kNobody = 65534;
#endif

}  // namespace

Q_DECLARE_METATYPE(Leftover)

class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void shouldRefuseWhileAnotherHoldsTheLock_data();
    void shouldRefuseWhileAnotherHoldsTheLock();
    void shouldAllowAgainOnceTheHolderIsGone();
    void shouldPassOverALeftOverLock_data();
    void shouldPassOverALeftOverLock();
    void shouldRefuseWhileTheHoldersRecordIsBeingWritten();
    void shouldLetTheProgramStartWhenNoLockCanBeMade_data();
    void shouldLetTheProgramStartWhenNoLockCanBeMade();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_lockPath;
};

void TestInstanceGuard::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_lockPath = m_folder->filePath(QStringLiteral("Program.lock"));
}

void TestInstanceGuard::shouldRefuseWhileAnotherHoldsTheLock_data()
{
    QTest::addColumn<QByteArray>("holdersRecord");  // null: as the holder wrote it
    QTest::newRow("holder's own record") << QByteArray();
#if defined(Q_OS_UNIX)
    // The machine renamed while the holder runs: the file it holds still
    // counts. (Windows lets nobody write a held lock file.)
    QTest::newRow("holder's record of another host name") << kOtherHostsRecord;
#endif
}

void TestInstanceGuard::shouldRefuseWhileAnotherHoldsTheLock()
{
    QFETCH(QByteArray, holdersRecord);
    InstanceGuard first(m_lockPath);
    InstanceGuard second(m_lockPath);
    QVERIFY(!first.PrevInstance());
    if (!holdersRecord.isNull()) {
        QFile record(m_lockPath);
        QVERIFY(record.open(QIODevice::WriteOnly));
        QCOMPARE(record.write(holdersRecord), holdersRecord.size());
    }
    QVERIFY(second.PrevInstance());
}

void TestInstanceGuard::shouldAllowAgainOnceTheHolderIsGone()
{
    auto first = std::make_unique<InstanceGuard>(m_lockPath);
    QVERIFY(!first->PrevInstance());
    first.reset();
    QVERIFY(!QFile::exists(m_lockPath));

    InstanceGuard next(m_lockPath);
    QVERIFY(!next.PrevInstance());
}

void TestInstanceGuard::shouldPassOverALeftOverLock_data()
{
    QTest::addColumn<Leftover>("leftover");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("ageSeconds");
    // No process ever has this id: Linux caps ids far lower.
    QTest::newRow("holder process gone") << Leftover::File << QByteArray("2147483646\nProgram\n\n") << 0;
    QTest::newRow("empty record of a crash") << Leftover::File << QByteArray() << 60;
    QTest::newRow("garbled record") << Leftover::File << QByteArray("\x01\x02 not a record") << 60;
    QTest::newRow("record dated in the future") << Leftover::File << QByteArray() << -3600;
    // The machine renamed after a crash: the process of that record is not
    // the one with the same number here.
    QTest::newRow("record of another host name") << Leftover::File << kOtherHostsRecord << 0;
#if defined(Q_OS_UNIX)
    // Unreadable, so only its age tells that nobody writes it any more.
    QTest::newRow("unreadable record of a copy gone")
        << Leftover::UnreadableFile << QByteArray("2147483646\nProgram\n\n") << 60;
    // As a copy started with sudo -E leaves it: readable, but not writable.
    QTest::newRow("another user's record of a copy gone")
        << Leftover::OtherUsersFile << QByteArray("2147483646\nProgram\n\n") << 0;
    // Nothing that a record could be read from without waiting for ever.
    QTest::newRow("a FIFO") << Leftover::Fifo << QByteArray() << 0;
    QTest::newRow("a link to an endless device") << Leftover::LinkToEndlessDevice << QByteArray() << 0;
    QTest::newRow("a dangling symbolic link") << Leftover::DanglingLink << QByteArray() << 0;
#endif
    QTest::newRow("a folder that holds a folder") << Leftover::Folder << QByteArray() << 0;
    // While it stands where QLockFile's remover lock goes, QLockFile clears no lock.
    QTest::newRow("a folder named as the remover lock, beside a record of a copy gone")
        << Leftover::RemoversFolder << QByteArray("2147483646\nProgram\n\n") << 0;
}

void TestInstanceGuard::shouldPassOverALeftOverLock()
{
    QFETCH(Leftover, leftover);
    QFETCH(QByteArray, record);
    QFETCH(int, ageSeconds);
#if defined(Q_OS_UNIX)
    const QByteArray path = QFile::encodeName(m_lockPath);
#endif
    switch (leftover) {
    case Leftover::File:
    case Leftover::UnreadableFile:
    case Leftover::OtherUsersFile:
    case Leftover::RemoversFolder: {
        QFile file(m_lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record);
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        break;
    }
    case Leftover::Folder:
        QVERIFY(QDir().mkpath(m_lockPath + QStringLiteral("/inner")));
        break;
#if defined(Q_OS_UNIX)
    case Leftover::Fifo:
        QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        break;
    case Leftover::LinkToEndlessDevice:
        QVERIFY(::symlink("/dev/zero", path.constData()) == 0);
        break;
    case Leftover::DanglingLink:
        QVERIFY(::symlink("no-such-file", path.constData()) == 0);
        break;
#else
    default:
        QFAIL("no such leftover here");
#endif
    }
    if (leftover == Leftover::RemoversFolder)
        QVERIFY(QDir().mkdir(m_lockPath + QStringLiteral(".rmlock")));
#if defined(Q_OS_UNIX)
    const auto regainRoot = qScopeGuard([] {
        if (::getuid() == 0) {
            QVERIFY(::seteuid(0) == 0);
            QVERIFY(::setegid(0) == 0);
        }
    });
    if (leftover == Leftover::UnreadableFile || leftover == Leftover::OtherUsersFile) {
        QVERIFY(::chmod(path.constData(), leftover == Leftover::UnreadableFile ? 0 : 0644) == 0);
        if (::geteuid() != 0 && leftover == Leftover::OtherUsersFile)
            QSKIP("Only root can leave a file that another user owns");
        if (::geteuid() == 0) {
            // The folder is nobody's, and so is the unreadable file; another user's stays root's.
            QVERIFY(::chown(QFile::encodeName(m_folder->path()).constData(), kNobody, kNobody) == 0);
            if (leftover == Leftover::UnreadableFile)
                QVERIFY(::chown(path.constData(), kNobody, kNobody) == 0);
            QVERIFY(::setegid(kNobody) == 0);
            QVERIFY(::seteuid(kNobody) == 0);
        }
    }
#endif

    InstanceGuard guard(m_lockPath);
    QVERIFY(!guard.PrevInstance());
    // The guard now holds a lock of its own that refuses the next copy.
    InstanceGuard next(m_lockPath);
    QVERIFY(next.PrevInstance());
}

void TestInstanceGuard::shouldRefuseWhileTheHoldersRecordIsBeingWritten()
{
    // A holder that has just created its file has not written its record yet.
    QFile file(m_lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    InstanceGuard guard(m_lockPath);
    QVERIFY(guard.PrevInstance());
    QVERIFY(QFile::exists(m_lockPath));
}

void TestInstanceGuard::shouldLetTheProgramStartWhenNoLockCanBeMade_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("no runtime folder") << QString();
    QTest::newRow("folder that does not exist") << QStringLiteral("missing/Program.lock");
    QTest::newRow("folder that is a file") << QStringLiteral("plain-file/Program.lock");
}

void TestInstanceGuard::shouldLetTheProgramStartWhenNoLockCanBeMade()
{
    QFETCH(QString, where);
    QFile plain(m_folder->filePath(QStringLiteral("plain-file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = where.isEmpty() ? QString() : m_folder->filePath(where);

    InstanceGuard first(path);
    InstanceGuard second(path);
    QVERIFY(!first.PrevInstance());
    QVERIFY(!second.PrevInstance());
}

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
