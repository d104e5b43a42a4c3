// The program started on a broken machine: each fault is set up in fresh
// user folders, then the real start-up runs in a process of its own (the
// fault probe, under the program's own executable name), types a name, takes
// the reading and ends the program. Whatever the fault, the program must
// start, read, end with status 0, show no message box but the ones it names,
// and leave every stored value as it was or as the update reminder renews it.
//
// Folder permissions do not stop root, so as root the probe runs as the user
// nobody, with the folders handed to that user.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Fault {
    SettingsFolderUnreadable,
    SettingsFolderUnwritable,
    SettingsFolderUnwritableFirstStart,
    FileWhereSettingsFolderIs,
    FileWhereConfigHomeIs,
    FifoWhereSettingsFileIs,
    GarbageSettingsFile,
    GarbageAroundTheDate,
    NoDateInTheKey,
    NoBrowser,
    NoisyBrowserHelper,
    RuntimeFolderReadOnly,
    RuntimeFolderMissing,
    CrashedCopysLockInReadOnlyRuntimeFolder,
    FolderWhereLockIs,
    ClockSetBackAYear,
};

const char kProgram[] = "OrvelFreeBiblicalNumerology";
const char kQuestion[] = "box|There maybe an update to this software available/Do you want to check for an update?";
const char kDownload[] = "browser|http://www.orvel-numerology.test/download-orvel-free-biblical-numerology.html";
constexpr uid_t kNobody = 65534;

QByteArray storedDate(int daysFromToday)
{
    return "[Settings]\nDuration=" + QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate).toLatin1()
           + "\n";
}

// Bytes of every value, the same on every run.
QByteArray garbage(int size)
{
    QRandomGenerator generator(7);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool setMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Sets or clears the immutable attribute, which stops root too; false where
// the file system or the machine does not allow it.
bool setImmutable(const QString &path, bool on)
{
    const QString chattr = QStandardPaths::findExecutable(QStringLiteral("chattr"));
    return !chattr.isEmpty()
           && QProcess::execute(chattr, {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

void handTo(const QString &path, uid_t user)
{
    QDir folder(path);
    for (const QFileInfo &entry : folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir() && !entry.isSymLink())
            handTo(entry.filePath(), user);
        else
            QVERIFY(::lchown(QFile::encodeName(entry.filePath()).constData(), user, user) == 0);
    }
    QVERIFY(::chown(QFile::encodeName(path).constData(), user, user) == 0);
}

}  // namespace

Q_DECLARE_METATYPE(Fault)

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void shouldStartReadAndEndDespite_data();
    void shouldStartReadAndEndDespite();
    void shouldEndInOneSentenceWithoutADisplay_data();
    void shouldEndInOneSentenceWithoutADisplay();
};

void TestFaults::shouldStartReadAndEndDespite_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QByteArray>("stored");           // the settings file before the start; null: none
    QTest::addColumn<QStringList>("expectedEvents");  // what the program asks and opens, in order
    QTest::addColumn<bool>("renewed");                // afterwards the file holds today's date

    const QByteArray recent = storedDate(-3);
    const QByteArray yearAgo = storedDate(-365);
    const QStringList quiet;
    const QString question = QLatin1String(kQuestion);
    const QString download = QLatin1String(kDownload);

    QTest::newRow("settings folder unreadable") << Fault::SettingsFolderUnreadable << yearAgo << quiet << false;
    // The question is asked; the date cannot be renewed, which ends the reminder.
    QTest::newRow("settings folder unwritable")
        << Fault::SettingsFolderUnwritable << yearAgo << QStringList{question} << false;
    QTest::newRow("settings folder unwritable, first start")
        << Fault::SettingsFolderUnwritableFirstStart << QByteArray() << quiet << false;
    QTest::newRow("a file where the settings folder is")
        << Fault::FileWhereSettingsFolderIs << QByteArray() << quiet << false;
    QTest::newRow("a file where the configuration home is")
        << Fault::FileWhereConfigHomeIs << QByteArray() << quiet << false;
    // Nothing to read there without waiting for ever: a first start, whose
    // date is not written into the FIFO either.
    QTest::newRow("a FIFO where the settings file is")
        << Fault::FifoWhereSettingsFileIs << QByteArray() << quiet << false;
    // Nothing in it reads as a date: a first start, which records today.
    QTest::newRow("settings file of random bytes") << Fault::GarbageSettingsFile << garbage(4096) << quiet << true;
    QTest::newRow("garbage around a recent date")
        << Fault::GarbageAroundTheDate << garbage(700) + "\n" + recent + garbage(700) << quiet << false;
    QTest::newRow("a key that holds no date")
        << Fault::NoDateInTheKey << QByteArray("[Settings]\nDuration=\x01\xff{not a date}\n") << quiet << false;
    // Texts that QSettings alone would read as a list, as no value and as
    // bytes that spell an old date.
    QTest::newRow("a key that holds a list")
        << Fault::NoDateInTheKey << QByteArray("[Settings]\nDuration=a, b\n") << quiet << false;
    QTest::newRow("a key that holds @Invalid()")
        << Fault::NoDateInTheKey << QByteArray("[Settings]\nDuration=@Invalid()\n") << quiet << false;
    QTest::newRow("a key that holds @ByteArray() of an old date")
        << Fault::NoDateInTheKey << QByteArray("[Settings]\nDuration=@ByteArray(2020-01-01)\n") << quiet << false;
    QTest::newRow("no browser on the machine") << Fault::NoBrowser << yearAgo << QStringList{question} << true;
    QTest::newRow("a browser helper that prints the address")
        << Fault::NoisyBrowserHelper << yearAgo << QStringList{question} << true;
    QTest::newRow("runtime folder read-only") << Fault::RuntimeFolderReadOnly << recent << quiet << false;
    QTest::newRow("runtime folder missing") << Fault::RuntimeFolderMissing << recent << quiet << false;
    QTest::newRow("a crashed copy's lock in a read-only runtime folder")
        << Fault::CrashedCopysLockInReadOnlyRuntimeFolder << recent << quiet << false;
    QTest::newRow("a folder where the lock is") << Fault::FolderWhereLockIs << recent << quiet << false;
    // The stored date lies a year ahead: the question, then a renewed date.
    QTest::newRow("clock set back a year")
        << Fault::ClockSetBackAYear << storedDate(365) << QStringList{question, download} << true;
}

void TestFaults::shouldStartReadAndEndDespite()
{
    QFETCH(Fault, fault);
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, expectedEvents);
    QFETCH(bool, renewed);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(setMode(root.path(), 0755));
    const QString config = root.filePath(QStringLiteral("config"));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    const QString settingsFolder = config + QStringLiteral("/Orvel");
    const QString settingsFile = settingsFolder + QLatin1Char('/') + QLatin1String(kProgram) + QStringLiteral(".conf");
    const QString lock = runtime + QLatin1Char('/') + QLatin1String(kProgram) + QStringLiteral(".lock");
    QVERIFY(QDir().mkpath(settingsFolder));
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(setMode(runtime, 0700));
    if (!stored.isNull())
        QVERIFY(writeFile(settingsFile, stored));

    // The probe under the program's own name, where the user nobody can run it.
    const QString program = root.filePath(QLatin1String(kProgram));
    QVERIFY(QFile::copy(QStringLiteral(ORVEL_FAULT_PROBE), program));
    QVERIFY(setMode(program, 0755));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), root.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
    // Where a lock goes that the runtime folder cannot hold: this run's own,
    // not the machine's, which other runs share.
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("tmp"))));
    environment.insert(QStringLiteral("TMPDIR"), root.filePath(QStringLiteral("tmp")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // The sanitizers' suppression files must be readable by the user nobody too.
    for (const char *name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        QString options = environment.value(QLatin1String(name));
        const qsizetype at = options.indexOf(QLatin1String("suppressions="));
        if (at < 0)
            continue;
        const qsizetype start = at + qsizetype(sizeof("suppressions=") - 1);
        const qsizetype end = options.indexOf(QLatin1Char(':'), start);
        const QString original = options.mid(start, end < 0 ? -1 : end - start);
        const QString copy = root.filePath(QLatin1String(name) + QStringLiteral(".supp"));
        QVERIFY(QFile::copy(original, copy));
        environment.insert(QLatin1String(name), options.replace(start, original.size(), copy));
    }

    bool needsPermissions = true;
    QString protectedPath;  // a folder whose mode is restored before the checks
    QString helperLog;      // where the fake browser helper notes the address it was given
    QStringList command{program};
    switch (fault) {
    case Fault::SettingsFolderUnreadable:
        protectedPath = settingsFolder;
        QVERIFY(setMode(settingsFolder, 0));
        break;
    case Fault::SettingsFolderUnwritable:
    case Fault::SettingsFolderUnwritableFirstStart:
        protectedPath = settingsFolder;
        QVERIFY(setMode(settingsFolder, 0500));
        break;
    case Fault::FileWhereSettingsFolderIs:
        QVERIFY(QDir(settingsFolder).removeRecursively());
        QVERIFY(writeFile(settingsFolder, "not a folder\n"));
        break;
    case Fault::FileWhereConfigHomeIs:
        QVERIFY(QDir(config).removeRecursively());
        QVERIFY(writeFile(config, "not a folder\n"));
        break;
    case Fault::FifoWhereSettingsFileIs:
        needsPermissions = false;
        QVERIFY(::mkfifo(QFile::encodeName(settingsFile).constData(), 0600) == 0);
        break;
    case Fault::GarbageSettingsFile:
    case Fault::GarbageAroundTheDate:
    case Fault::NoDateInTheKey:
    case Fault::ClockSetBackAYear:
        needsPermissions = false;
        break;
    case Fault::NoBrowser:
    case Fault::NoisyBrowserHelper: {
        needsPermissions = false;
        // The real launch, with nothing on PATH that could open an address
        // but the fake helper, if any; on an X display when there is one to
        // be had, where Qt does look for xdg-open and the browsers it knows.
        const QString bin = root.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        if (fault == Fault::NoisyBrowserHelper) {
            // Prints the address on stderr, as xdg-open does when it finds no browser.
            const QString helper = bin + QStringLiteral("/xdg-open");
            QVERIFY(writeFile(helper, "#!/bin/sh\n"
                                      "echo \"xdg-open: no method available for opening '$*'\" >&2\n"
                                      "echo \"$*\" > \"$ORVEL_HELPER_LOG\"\n"));
            QVERIFY(setMode(helper, 0755));
            helperLog = root.filePath(QStringLiteral("helper.log"));
            environment.insert(QStringLiteral("ORVEL_HELPER_LOG"), helperLog);
        }
        environment.insert(QStringLiteral("ORVEL_PROBE_REAL_BROWSER"), QStringLiteral("1"));
        for (const char *name : {"BROWSER", "DEFAULT_BROWSER"})
            environment.remove(QLatin1String(name));
        command = QStringList{QStringLiteral("/usr/bin/env"), QStringLiteral("PATH=") + bin, program};
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (!xvfbRun.isEmpty()) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            // On xcb the menu bar asks the session bus for a global menu. With
            // no bus, libdbus would try to start one and leak its child's
            // error text; an address where no bus listens fails at once.
            environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                               QStringLiteral("unix:path=") + root.filePath(QStringLiteral("no-session-bus")));
            command = QStringList{xvfbRun, QStringLiteral("-a")} + command;
        }
        break;
    }
    case Fault::RuntimeFolderReadOnly:
        protectedPath = runtime;
        QVERIFY(setMode(runtime, 0500));
        break;
    case Fault::RuntimeFolderMissing:
        QVERIFY(QDir(runtime).removeRecursively());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime + QStringLiteral("/gone"));
        break;
    case Fault::CrashedCopysLockInReadOnlyRuntimeFolder: {
        // A record of a copy that crashed, naming a process id that no process has.
        QVERIFY(writeFile(lock,
                          "2147483646\n" + QByteArray(kProgram) + "\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        needsPermissions = false;
        if (!setImmutable(runtime, true))
            QSKIP("chattr +i is not available here, so no folder can be made read-only for every user");
        break;
    }
    case Fault::FolderWhereLockIs:
        QVERIFY(QDir().mkpath(lock));
        break;
    }

    const bool asOther = needsPermissions && ::geteuid() == 0;
    if (asOther) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("As root only another user feels folder permissions, and setpriv is missing");
        handTo(root.path(), kNobody);
        command = QStringList{setpriv, QStringLiteral("--reuid=%1").arg(kNobody),
                              QStringLiteral("--regid=%1").arg(kNobody), QStringLiteral("--clear-groups"),
                              QStringLiteral("--")}
                  + command;
    }

    const QDate before = QDate::currentDate();
    QProcess probe;
    probe.setProcessEnvironment(environment);
    // A file, not a pipe: a helper the program started may write after the program has ended.
    const QString errorsFile = root.filePath(QStringLiteral("stderr"));
    probe.setStandardErrorFile(errorsFile);
    probe.start(command.takeFirst(), command);
    const bool finished = probe.waitForFinished(90000);
    const QDate after = QDate::currentDate();
    if (fault == Fault::CrashedCopysLockInReadOnlyRuntimeFolder)
        QVERIFY(setImmutable(runtime, false));
    if (!protectedPath.isEmpty())
        QVERIFY(setMode(protectedPath, 0700));
    if (!finished)
        probe.kill();
    // The helper is not waited for by the program; once it has noted the
    // address it has printed all it prints.
    if (!helperLog.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(readFile(helperLog), QByteArray(kDownload).split('|').last() + "\n", 10000);

    const QString errors = QString::fromLocal8Bit(readFile(errorsFile));
    QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(finished, qPrintable(errors));
    QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0, qPrintable(errors));
    // A launch that fails must not print the address it was given.
    QVERIFY2(!errors.contains(QLatin1String("http")), qPrintable(errors));
    // "abc" is worth 1 + 2 + 3.
    QVERIFY2(lines.contains(QStringLiteral("reading|6|Mankind")), qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.last(), QStringLiteral("ended|0"));
    lines.removeAll(QStringLiteral("reading|6|Mankind"));
    lines.removeLast();
    QCOMPARE(lines, expectedEvents);

    // Nothing stored is lost: the settings, or whatever stands in their place,
    // are as they were, unless the reminder renewed the date.
    switch (fault) {
    case Fault::FileWhereSettingsFolderIs:
        QCOMPARE(readFile(settingsFolder), QByteArray("not a folder\n"));
        break;
    case Fault::FileWhereConfigHomeIs:
        QCOMPARE(readFile(config), QByteArray("not a folder\n"));
        break;
    case Fault::SettingsFolderUnwritableFirstStart:
        QVERIFY(!QFile::exists(settingsFile));
        break;
    case Fault::FifoWhereSettingsFileIs: {
        struct stat info;
        QVERIFY(::lstat(QFile::encodeName(settingsFile).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
        break;
    }
    default:
        if (renewed) {
            const QByteArray now = readFile(settingsFile);
            // Either day, should the run cross midnight.
            QVERIFY2(now.contains("Duration=" + before.toString(Qt::ISODate).toLatin1())
                         || now.contains("Duration=" + after.toString(Qt::ISODate).toLatin1()),
                     now.constData());
        } else {
            QCOMPARE(readFile(settingsFile), stored);
        }
        break;
    }
}

void TestFaults::shouldEndInOneSentenceWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("setting");  // NAME=VALUE pairs put in the program's environment
    QTest::addColumn<QString>("sentence");

    const QString none = QStringLiteral(
        "No graphical display is available: start Orvel Biblical Numerology from a desktop session.");
    const QString broken = QStringLiteral(
        "The graphical display could not be opened: start Orvel Biblical Numerology from a desktop session.");
    QTest::newRow("no display named") << QStringList() << none;
    QTest::newRow("an X display where no server runs") << QStringList{QStringLiteral("DISPLAY=:4093")} << broken;
    QTest::newRow("Wayland where no compositor runs")
        << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"), QStringLiteral("WAYLAND_DISPLAY=orvel-none")}
        << broken;
    QTest::newRow("a platform that does not exist")
        << QStringList{QStringLiteral("QT_QPA_PLATFORM=nosuchplatform")} << broken;
    // The framebuffer platform opens without a screen when its device is
    // missing; named here, so that no real console is ever drawn on.
    QTest::newRow("a framebuffer platform without a framebuffer")
        << QStringList{QStringLiteral("QT_QPA_PLATFORM=linuxfb:fb=/dev/orvel-no-framebuffer"),
                       QStringLiteral("QT_QPA_FB_DISABLE_INPUT=1")}
        << broken;
}

void TestFaults::shouldEndInOneSentenceWithoutADisplay()
{
    QFETCH(QStringList, setting);
    QFETCH(QString, sentence);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("HOME"), root.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.path());
    for (const QString &pair : std::as_const(setting))
        environment.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ORVEL_PROGRAM), {});
    QVERIFY(program.waitForFinished(30000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), sentence + QLatin1Char('\n'));
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
