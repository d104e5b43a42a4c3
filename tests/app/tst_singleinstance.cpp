// Real copies of the program side by side: a second copy is refused and ends
// while the first runs on; a copy killed outright blocks nothing; a copy that
// ends normally releases its lock; of many copies let go at the same moment,
// exactly one runs, whatever lock was left behind.
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 20000;

// One copy of the program, in its own settings folder, sharing the lock folder.
std::unique_ptr<QProcess> startCopy(const QString &runtime, const QString &config, const QStringList &arguments = {})
{
    auto copy = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // Where Windows keeps the lock.
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

enum class Leftover { None, KilledCopy, OtherHostsCopy };

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
    const QStringList firstOutput = outputUntil(*first);
    QCOMPARE(firstOutput, QStringList{QStringLiteral("running")});

    auto second = startCopy(runtime, folder(QStringLiteral("config-second")));
    QVERIFY(second->waitForFinished(kStartTimeoutMs));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(second->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList{refusalLine()});
    // The refused copy read and wrote no setting.
    QCOMPARE(QDir(folder(QStringLiteral("config-second"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());

    QCOMPARE(first->state(), QProcess::Running);
    // The first copy said nothing more: whatever it did say shows in the failure.
    first->waitForReadyRead(100);
    QCOMPARE(QString::fromUtf8(first->readAllStandardOutput()), QString());
    first->kill();
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
}

void TestSingleInstance::shouldStartAfterTheRunningCopyWasKilled()
{
    const QString runtime = folder(QStringLiteral("runtime"));
    auto first = startCopy(runtime, folder(QStringLiteral("config-first")));
    QCOMPARE(outputUntil(*first), QStringList{QStringLiteral("running")});
    const QStringList locks = QDir(runtime).entryList({QStringLiteral("*.lock")}, QDir::Files);
    QCOMPARE(locks.size(), 1);

    first->kill();  // SIGKILL: nothing of the copy runs to clean up
    QVERIFY(first->waitForFinished(kStartTimeoutMs));
    QVERIFY(QFileInfo::exists(QDir(runtime).filePath(locks.first())));

    // This copy ends itself once it runs, through the program's own end.
    auto next = startCopy(runtime, folder(QStringLiteral("config-second")), {QStringLiteral("--end")});
    QCOMPARE(outputUntil(*next), QStringList{QStringLiteral("running")});
    QVERIFY(next->waitForFinished(kStartTimeoutMs));
    QCOMPARE(next->exitStatus(), QProcess::NormalExit);
    QCOMPARE(next->exitCode(), 0);
    // Its destructors ran: the lock is gone.
    QVERIFY(!QFileInfo::exists(QDir(runtime).filePath(locks.first())));
}

void TestSingleInstance::shouldRunExactlyOneOfCopiesStartedTogether_data()
{
    QTest::addColumn<Leftover>("leftover");
    QTest::newRow("no lock left") << Leftover::None;
    // Each round's survivor is killed, so that the next round meets its lock.
    QTest::newRow("the lock of a killed copy") << Leftover::KilledCopy;
    // The runtime folder belongs to this machine: a record of another host
    // names no copy that could still run here.
    QTest::newRow("the lock of a copy on another host") << Leftover::OtherHostsCopy;
}

void TestSingleInstance::shouldRunExactlyOneOfCopiesStartedTogether()
{
    QFETCH(Leftover, leftover);
    const QString runtime = folder(QStringLiteral("runtime"));
    const QString lock = QDir(runtime).filePath(QFileInfo(QStringLiteral(ORVEL_START_PROBE)).completeBaseName()
                                                + QStringLiteral(".lock"));
    // The lone copy of the first round leaves the first killed copy's lock.
    for (int count = 1; count <= 10; ++count) {
        if (leftover == Leftover::None)
            QFile::remove(lock);
        if (leftover == Leftover::OtherHostsCopy) {
            QFile record(lock);
            QVERIFY(record.open(QIODevice::WriteOnly));
            // Process 1 runs here, but the record speaks of another machine's.
            record.write("1\norvel_startprobe\n" + QSysInfo::machineHostName().toUtf8() + "-elsewhere\n");
        }

        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < count; ++i)
            copies.push_back(startCopy(runtime, folder(QStringLiteral("config-first")), {QStringLiteral("--wait")}));
        for (auto &copy : copies)
            QCOMPARE(outputUntil(*copy, QStringLiteral("ready")), QStringList{QStringLiteral("ready")});
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
        for (auto &copy : copies) {
            copy->kill();  // SIGKILL: the survivor's lock stays behind
            QVERIFY(ended(*copy));
        }
        QVERIFY2(running == 1, qPrintable(QStringLiteral("%1 of %2 copies ran").arg(running).arg(count)));
    }
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
