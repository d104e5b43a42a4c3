// Real copies of the program side by side: a second copy is refused and ends
// while the first runs on, leaving no trace; a copy killed outright blocks
// nothing; of many copies let go at the same moment exactly one runs,
// whatever was left where the lock goes, and what was left there stays as it
// was. As root, a file of the user nobody stands for another user's.
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kStartTimeoutMs = 20000;

// One copy of the program, in its own settings folder, sharing the runtime
// and temporary folders. Windows' temporary folder is the runtime folder too,
// so that what a test leaves where a lock file could go is met there as well.
std::unique_ptr<QProcess> startCopy(const QString &root, const QString &config, const QStringList &arguments = {})
{
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString runtime = root + QStringLiteral("/runtime");
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("TMPDIR"), root + QStringLiteral("/tmp"));
    environment.insert(QStringLiteral("TMP"), runtime);
    environment.insert(QStringLiteral("TEMP"), runtime);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy->setProcessEnvironment(environment);
    // As text, so that the probe's lines end the same on Windows, where its stdout writes \r\n.
    copy->start(QStringLiteral(ORVEL_START_PROBE), arguments, QIODevice::ReadWrite | QIODevice::Text);
    return copy;
}

// Reads the copy's output until it prints the awaited line or ends.
QStringList outputUntil(QProcess &copy, const QString &awaited = QStringLiteral("running"))
{
    QStringList lines;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        while (copy.canReadLine())
            lines.append(QString::fromUtf8(copy.readLine()).chopped(1));
        if (lines.contains(awaited) || copy.state() == QProcess::NotRunning)
            break;
        copy.waitForReadyRead(int(deadline.remainingTime()));
    }
    return lines;
}

// True once the copy has ended, whether just now or before.
bool ended(QProcess &copy)
{
    return copy.state() == QProcess::NotRunning || copy.waitForFinished(kStartTimeoutMs);
}

QString refusalLine()
{
    return QStringLiteral("box|Application is already running|%1|%2|%3")
        .arg(int(QMessageBox::Information))
        .arg(int(QMessageBox::Ok))
        .arg(int(QMessageBox::Ok));
}

// What stands at path, seen without opening anything that could block: its
// kind, permissions and owner, a plain file's bytes, a folder's entries, a
// link's target.
QString standing(const QString &path)
{
    const QFileInfo info(path);
    const QString mode = QStringLiteral(" %1 %2").arg(int(info.permissions()), 0, 16).arg(info.ownerId());
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    if (info.isDir()) {
        QStringList entries;
        for (const QString &name : QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            entries.append(name + QLatin1Char(':') + standing(QDir(path).filePath(name)));
        return QStringLiteral("folder{") + entries.join(QLatin1Char(',')) + QLatin1Char('}') + mode;
    }
    if (info.isFile()) {
        QFile file(path);
        return QStringLiteral("file ")
               + (file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<unreadable>"))
               + mode;
    }
    return info.exists() ? QStringLiteral("other") + mode : QStringLiteral("nothing");
}

#if defined(Q_OS_UNIX)
// Whether another process holds an flock on the file.
bool heldByAnother(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0)
        ::close(fd);
    return held;
}
#endif

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

enum class Leftover {
    None,
    KilledCopy,
    ReadOnlyRecordOfALivingProcess,
    FolderWithAUsersFile,
    FileWithoutPermissions,
    OtherUsersFile,
    Fifo,
    DanglingLink,
    LinkToAUsersFile,
    LinkToAnEndlessDevice,
};

}  // namespace

Q_DECLARE_METATYPE(Leftover)

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void shouldRefuseASecondCopyWhileTheFirstRunsOn();
    void shouldStartAfterTheRunningCopyWasKilled();
    void shouldRunExactlyOneOfCopiesStartedTogether_data();
    void shouldRunExactlyOneOfCopiesStartedTogether();

private:
    QString folder(const QString &name) const;
    void leave(Leftover leftover, const QString &lock);

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestSingleInstance::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QDir root(m_root->path());
    for (const char *name : {"runtime", "tmp", "elsewhere", "config-first", "config-second"})
        QVERIFY(root.mkpath(QLatin1String(name)));
    QFile::setPermissions(folder(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TestSingleInstance::folder(const QString &name) const
{
    return m_root->filePath(name);
}

void TestSingleInstance::shouldRefuseASecondCopyWhileTheFirstRunsOn()
{
    auto first = startCopy(m_root->path(), folder(QStringLiteral("config-first")));
    const QStringList firstOutput = outputUntil(*first);
    QCOMPARE(firstOutput, QStringList{QStringLiteral("running")});
    const QString runtimeBefore = standing(folder(QStringLiteral("runtime")));
    const QString tmpBefore = standing(folder(QStringLiteral("tmp")));

    auto second = startCopy(m_root->path(), folder(QStringLiteral("config-second")));
    QVERIFY(second->waitForFinished(kStartTimeoutMs));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(second->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList{refusalLine()});
    // The refused copy read and wrote no setting and left nothing behind.
    QCOMPARE(QDir(folder(QStringLiteral("config-second"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(standing(folder(QStringLiteral("runtime"))), runtimeBefore);
    QCOMPARE(standing(folder(QStringLiteral("tmp"))), tmpBefore);

    QCOMPARE(first->state(), QProcess::Running);
    // The first copy said nothing more: whatever it did say shows in the failure.
    first->waitForReadyRead(100);
    QCOMPARE(QString::fromUtf8(first->readAllStandardOutput()), QString());
    first->kill();
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
}

void TestSingleInstance::shouldStartAfterTheRunningCopyWasKilled()
{
    auto first = startCopy(m_root->path(), folder(QStringLiteral("config-first")));
    QCOMPARE(outputUntil(*first), QStringList{QStringLiteral("running")});
    const QString runtimeWhileRunning = standing(folder(QStringLiteral("runtime")));

    first->kill();  // SIGKILL or TerminateProcess: nothing of the copy runs to clean up
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
    // Whatever the copy made in the runtime folder is still there.
    QCOMPARE(standing(folder(QStringLiteral("runtime"))), runtimeWhileRunning);

    // This copy ends itself once it runs, through the program's own end.
    auto next = startCopy(m_root->path(), folder(QStringLiteral("config-second")), {QStringLiteral("--end")});
    QCOMPARE(outputUntil(*next), QStringList{QStringLiteral("running")});
    QVERIFY(next->waitForFinished(kStartTimeoutMs));
    QCOMPARE(next->exitStatus(), QProcess::NormalExit);
    QCOMPARE(next->exitCode(), 0);
}

void TestSingleInstance::leave(Leftover leftover, const QString &lock)
{
    // A record as a lock file judged by its contents held it, naming a process
    // that lives: this test's own.
    const QByteArray livingRecord = QByteArray::number(QCoreApplication::applicationPid()) + "\norvel_startprobe\n\n";
#if defined(Q_OS_UNIX)
    const QByteArray path = QFile::encodeName(lock);
    const QString usersFile = folder(QStringLiteral("elsewhere/letter.txt"));
#endif
    switch (leftover) {
    case Leftover::None:
    case Leftover::KilledCopy:
        break;
    case Leftover::ReadOnlyRecordOfALivingProcess:
        QVERIFY(writeFile(lock, livingRecord));
        QVERIFY(QFile::setPermissions(lock, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        break;
    case Leftover::FolderWithAUsersFile:
        QVERIFY(QDir().mkpath(lock));
        QVERIFY(writeFile(lock + QStringLiteral("/letter.txt"), "Dear Ann,\n"));
        break;
#if defined(Q_OS_UNIX)
    case Leftover::FileWithoutPermissions:
        QVERIFY(writeFile(lock, livingRecord));
        QVERIFY(::chmod(path.constData(), 0) == 0);
        break;
    case Leftover::OtherUsersFile:
        QVERIFY(writeFile(lock, livingRecord));
        QVERIFY(::chown(path.constData(), 65534, 65534) == 0);
        break;
    case Leftover::Fifo:
        QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        break;
    case Leftover::DanglingLink:
        QVERIFY(::symlink("no-such-file", path.constData()) == 0);
        break;
    case Leftover::LinkToAUsersFile:
        QVERIFY(writeFile(usersFile, "Dear Bob,\n"));
        QVERIFY(::symlink(QFile::encodeName(usersFile).constData(), path.constData()) == 0);
        break;
    case Leftover::LinkToAnEndlessDevice:
        QVERIFY(::symlink("/dev/zero", path.constData()) == 0);
        break;
#else
    default:
        QFAIL("no such leftover here");
#endif
    }
}

void TestSingleInstance::shouldRunExactlyOneOfCopiesStartedTogether_data()
{
    QTest::addColumn<Leftover>("leftover");
    QTest::addColumn<QList<int>>("rounds");  // how many copies each round lets go together
    QList<int> oneToTen;
    for (int count = 1; count <= 10; ++count)
        oneToTen.append(count);
    QTest::newRow("no lock left") << Leftover::None << oneToTen;
    // Each round's survivor is killed, so that the next round meets what it left.
    QTest::newRow("what a killed copy left") << Leftover::KilledCopy << oneToTen;
    const QList<int> three{3};
    QTest::newRow("a read-only record naming a living process") << Leftover::ReadOnlyRecordOfALivingProcess << three;
    QTest::newRow("a folder holding a user's file") << Leftover::FolderWithAUsersFile << three;
#if defined(Q_OS_UNIX)
    QTest::newRow("a file without permissions") << Leftover::FileWithoutPermissions << three;
    QTest::newRow("another user's file") << Leftover::OtherUsersFile << three;
    QTest::newRow("a FIFO") << Leftover::Fifo << three;
    QTest::newRow("a dangling link") << Leftover::DanglingLink << three;
    QTest::newRow("a link to a user's file") << Leftover::LinkToAUsersFile << three;
    QTest::newRow("a link to an endless device") << Leftover::LinkToAnEndlessDevice << three;
#endif
}

void TestSingleInstance::shouldRunExactlyOneOfCopiesStartedTogether()
{
    QFETCH(Leftover, leftover);
    QFETCH(QList<int>, rounds);
    const QString lock = QDir(folder(QStringLiteral("runtime")))
                             .filePath(QFileInfo(QStringLiteral(ORVEL_START_PROBE)).completeBaseName()
                                       + QStringLiteral(".lock"));
#if defined(Q_OS_UNIX)
    if (leftover == Leftover::OtherUsersFile && ::geteuid() != 0)
        QSKIP("Only root can leave a file that another user owns");
#endif
    leave(leftover, lock);
    if (QTest::currentTestFailed())
        return;
    const QString leftBefore = standing(folder(QStringLiteral("runtime")));
    const QString elsewhereBefore = standing(folder(QStringLiteral("elsewhere")));

    for (const int count : std::as_const(rounds)) {
        if (leftover == Leftover::None)
            QFile::remove(lock);
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < count; ++i)
            copies.push_back(
                startCopy(m_root->path(), folder(QStringLiteral("config-first")), {QStringLiteral("--wait")}));
        for (auto &copy : copies) {
            QStringList lines = outputUntil(*copy, QStringLiteral("ready"));
            // Wine, busy with many starts at once, now and then loses a process
            // before any code of ours runs. The lock is taken only after "go",
            // so such a copy may simply be started again.
            for (int retry = 0; retry < 2 && lines.isEmpty() && copy->state() == QProcess::NotRunning; ++retry) {
                qWarning("a copy ended before it was ready, with status %d: %s", copy->exitCode(),
                         copy->readAllStandardError().constData());
                copy = startCopy(m_root->path(), folder(QStringLiteral("config-first")), {QStringLiteral("--wait")});
                lines = outputUntil(*copy, QStringLiteral("ready"));
            }
            QCOMPARE(lines, QStringList{QStringLiteral("ready")});
        }
        // Written out at once: QProcess would otherwise hold each line back
        // until that copy's output is awaited.
        for (auto &copy : copies) {
            copy->write("go\n");
            QVERIFY(copy->waitForBytesWritten(kStartTimeoutMs));
        }

        int running = 0;
        for (auto &copy : copies) {
            const QStringList lines = outputUntil(*copy);
            if (lines == QStringList{QStringLiteral("running")}) {
                ++running;
            } else {
                QVERIFY(ended(*copy));
                QCOMPARE(lines, QStringList{refusalLine()});
            }
        }
#if defined(Q_OS_UNIX)
        // The running copy did not follow the link to lock the user's file.
        if (leftover == Leftover::LinkToAUsersFile)
            QVERIFY(!heldByAnother(folder(QStringLiteral("elsewhere/letter.txt"))));
#endif
        for (auto &copy : copies) {
            copy->kill();  // the survivor ends without any clean-up of its own
            QVERIFY(ended(*copy));
        }
        QVERIFY2(running == 1, qPrintable(QStringLiteral("%1 of %2 copies ran").arg(running).arg(count)));
    }
    // Nothing that stood where the lock goes was changed or removed, nor
    // anything made beside it.
    if (leftover != Leftover::None && leftover != Leftover::KilledCopy)
        QCOMPARE(standing(folder(QStringLiteral("runtime"))), leftBefore);
    QCOMPARE(standing(folder(QStringLiteral("elsewhere"))), elsewhereBefore);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
