// Real copies of the program side by side: a second copy is refused and ends
// while the first runs on; a copy killed outright blocks nothing; a copy that
// ends normally releases its lock.
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int kStartTimeoutMs = 20000;

// One copy of the program, in its own settings folder, sharing the lock folder.
std::unique_ptr<QProcess> startCopy(const QString &runtime, const QString &config,
                                    const QStringList &arguments = {})
{
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy->setProcessEnvironment(environment);
    copy->start(QStringLiteral(ORVEL_START_PROBE), arguments);
    return copy;
}

// Reads the copy's output until it prints "running" or ends.
QStringList outputUntilRunning(QProcess &copy)
{
    QStringList lines;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        while (copy.canReadLine())
            lines.append(QString::fromUtf8(copy.readLine()).chopped(1));
        if (lines.contains(QStringLiteral("running")) || copy.state() == QProcess::NotRunning)
            break;
        copy.waitForReadyRead(int(deadline.remainingTime()));
    }
    return lines;
}

}  // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void shouldRefuseASecondCopyWhileTheFirstRunsOn();
    void shouldStartAfterTheRunningCopyWasKilled();

private:
    QString folder(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestSingleInstance::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QDir root(m_root->path());
    for (const char *name : {"runtime", "config-first", "config-second"})
        QVERIFY(root.mkpath(QLatin1String(name)));
    QFile::setPermissions(folder(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TestSingleInstance::folder(const QString &name) const
{
    return m_root->filePath(name);
}

void TestSingleInstance::shouldRefuseASecondCopyWhileTheFirstRunsOn()
{
    const QString runtime = folder(QStringLiteral("runtime"));
    auto first = startCopy(runtime, folder(QStringLiteral("config-first")));
    const QStringList firstOutput = outputUntilRunning(*first);
    QCOMPARE(firstOutput, QStringList{QStringLiteral("running")});

    auto second = startCopy(runtime, folder(QStringLiteral("config-second")));
    QVERIFY(second->waitForFinished(kStartTimeoutMs));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    const QString refusal = QStringLiteral("box|Application is already running|%1|%2|%3")
                                .arg(int(QMessageBox::Information))
                                .arg(int(QMessageBox::Ok))
                                .arg(int(QMessageBox::Ok));
    QCOMPARE(QString::fromUtf8(second->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList{refusal});
    // The refused copy read and wrote no setting.
    QCOMPARE(QDir(folder(QStringLiteral("config-second"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());

    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(!first->waitForReadyRead(100));
    first->kill();
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
}

void TestSingleInstance::shouldStartAfterTheRunningCopyWasKilled()
{
    const QString runtime = folder(QStringLiteral("runtime"));
    auto first = startCopy(runtime, folder(QStringLiteral("config-first")));
    QCOMPARE(outputUntilRunning(*first), QStringList{QStringLiteral("running")});
    const QStringList locks = QDir(runtime).entryList({QStringLiteral("*.lock")}, QDir::Files);
    QCOMPARE(locks.size(), 1);

    first->kill();  // SIGKILL: nothing of the copy runs to clean up
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
    QVERIFY(QFileInfo::exists(QDir(runtime).filePath(locks.first())));

    // This copy ends itself once it runs, through the program's own end.
    auto next = startCopy(runtime, folder(QStringLiteral("config-second")), {QStringLiteral("--end")});
    QCOMPARE(outputUntilRunning(*next), QStringList{QStringLiteral("running")});
    QVERIFY(next->waitForFinished(kStartTimeoutMs));
    QCOMPARE(next->exitStatus(), QProcess::NormalExit);
    QCOMPARE(next->exitCode(), 0);
    // Its destructors ran: the lock is gone.
    QVERIFY(!QFileInfo::exists(QDir(runtime).filePath(locks.first())));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
