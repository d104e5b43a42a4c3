// The single-copy lock within one process: a held lock refuses, and no lock
// that is left over, unreadable or impossible to make ever keeps the program
// from starting.
#include "instanceguard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void init();
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

void TestInstanceGuard::shouldRefuseWhileAnotherHoldsTheLock()
{
    InstanceGuard first(m_lockPath);
    InstanceGuard second(m_lockPath);
    QVERIFY(!first.PrevInstance());
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
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("ageSeconds");
    // No process ever has this id: Linux caps ids far lower.
    QTest::newRow("holder process gone") << QByteArray("2147483646\nProgram\n\n") << 0;
    QTest::newRow("empty record of a crash") << QByteArray() << 60;
    QTest::newRow("garbled record") << QByteArray("\x01\x02 not a record") << 60;
    QTest::newRow("record dated in the future") << QByteArray() << -3600;
}

void TestInstanceGuard::shouldPassOverALeftOverLock()
{
    QFETCH(QByteArray, record);
    QFETCH(int, ageSeconds);
    QFile file(m_lockPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record);
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    file.close();

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
