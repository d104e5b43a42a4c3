// The real browser launch, with a fake xdg-open first on PATH that logs its
// arguments: each address arrives whole, as one argument, without a shell;
// and with fake openers that print their arguments too, in the environments
// where a different opener is found: none of their output reaches the
// program's. Runs on a platform that opens addresses (xcb, under xvfb-run).
#include "browser.h"
#include "modhelp.h"
#include "modtellafriend.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// Each launch prints its arguments on stdout and stderr, as a browser may,
// then appends one line to the log: the opener's name and the number of
// arguments, then each argument between bars.
const char kFakeOpener[] = "#!/bin/sh\n"
                           "printf '%s\\n' \"$*\"\n"
                           "printf '%s\\n' \"$*\" >&2\n"
                           "line=\"${0##*/}:$#\"\n"
                           "for argument in \"$@\"; do line=\"$line|$argument|\"; done\n"
                           "printf '%s\\n' \"$line\" >> \"$ORVEL_BROWSER_LOG\"\n";

// What processes started by launch write into this process's stdout and
// stderr, pointed at a file meanwhile; launch returns once they have written.
template <typename Launch>
QByteArray outputOf(const QString &path, Launch launch)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const int saved[2] = {::dup(1), ::dup(2)};
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ::dup2(file, 1);
    ::dup2(file, 2);
    ::close(file);
    launch();
    std::fflush(stdout);
    std::fflush(stderr);
    for (int fd : {1, 2}) {
        ::dup2(saved[fd - 1], fd);
        ::close(saved[fd - 1]);
    }
    QFile written(path);
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray("<not written>");
}

// What Qt printed while a test listened.
QStringList g_messages;

}  // namespace

class TestBrowserLaunch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void shouldHandTheAddressToTheBrowserAsOneArgument_data();
    void shouldHandTheAddressToTheBrowserAsOneArgument();
    void shouldLaunchOnlyWebAddresses_data();
    void shouldLaunchOnlyWebAddresses();
    void shouldPrintNothingOfAnAddressThatFailsToLaunch();
    void shouldLetNoOpenerWriteIntoTheProgramsOutput_data();
    void shouldLetNoOpenerWriteIntoTheProgramsOutput();

private:
    QString writeOpener(const QString &folder, const QString &name);

    QStringList launches() const;

    QTemporaryDir m_folder;
    QString m_log;
};

void TestBrowserLaunch::initTestCase()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        QFAIL("This test needs an X display: run it under xvfb-run (Debian package xvfb).");

    QVERIFY(m_folder.isValid());
    writeOpener(QStringLiteral("xdg"), QStringLiteral("xdg-open"));
    writeOpener(QStringLiteral("browsers"), QStringLiteral("noisy-browser"));
    writeOpener(QStringLiteral("browsers"), QStringLiteral("firefox"));
    m_log = m_folder.filePath(QStringLiteral("launches.log"));
    qputenv("ORVEL_BROWSER_LOG", QFile::encodeName(m_log));
    qputenv("PATH", QFile::encodeName(m_folder.filePath(QStringLiteral("xdg"))) + ':' + qgetenv("PATH"));
    // No other browser setting may win over xdg-open.
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
    // A session bus that answers at once that it is not there, as no portal is.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(m_folder.filePath(QStringLiteral("no-bus"))));
}

QString TestBrowserLaunch::writeOpener(const QString &folder, const QString &name)
{
    const QString path = m_folder.filePath(folder + QLatin1Char('/') + name);
    QDir().mkpath(m_folder.filePath(folder));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kFakeOpener) != qint64(sizeof kFakeOpener - 1))
        return {};
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void TestBrowserLaunch::init()
{
    QFile::remove(m_log);
}

QStringList TestBrowserLaunch::launches() const
{
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestBrowserLaunch::shouldHandTheAddressToTheBrowserAsOneArgument_data()
{
    QTest::addColumn<std::function<void()>>("launch");
    QTest::addColumn<QString>("arrives");

    QTest::newRow("help page") << std::function<void()>(modHelp::OpenHelpPage) << modHelp::HelpPage();
    QTest::newRow("home page, no trailing slash")
        << std::function<void()>(modHelp::OpenHomePage) << modHelp::HomePage();
    QTest::newRow("suite page, no trailing slash")
        << std::function<void()>(modHelp::OpenSoftwareSuitePage) << modHelp::SoftwareSuitePage();
    QTest::newRow("download page") << std::function<void()>(modHelp::OpenDownloadPage) << modHelp::DownloadPage();

    // A referral arrives exactly as built, its encoded user text untouched.
    const QString referral = modTellAFriend::RequestAddress(
        {QStringLiteral("Ann & Bob"), QStringLiteral("ann@x.test"), QStringLiteral("Your Message\r\n"),
         QStringLiteral("Zo\u00eb \"Z\""), QStringLiteral("zoe@x.test")});
    QTest::newRow("referral with spaces, line break, quotes, non-ascii")
        << std::function<void()>([referral] { Browser::open(referral); }) << referral;
}

void TestBrowserLaunch::shouldHandTheAddressToTheBrowserAsOneArgument()
{
    QFETCH(std::function<void()>, launch);
    QFETCH(QString, arrives);

    launch();

    QTRY_COMPARE_WITH_TIMEOUT(launches(), QStringList{QStringLiteral("xdg-open:1|%1|").arg(arrives)}, 10000);
}

void TestBrowserLaunch::shouldLaunchOnlyWebAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd");
    QTest::newRow("no scheme") << QStringLiteral("home.quillmoor.test/donate.html");
    QTest::newRow("empty") << QString();
    QTest::newRow("raw space and line break") << QStringLiteral("http://home.quillmoor.test/a b\r\n");
}

void TestBrowserLaunch::shouldLaunchOnlyWebAddresses()
{
    QFETCH(QString, address);

    Browser::open(address);
    // Launches are not waited for; a web address opened after it shows that
    // the first one launched nothing.
    modHelp::OpenDonatePage();

    const QStringList donateOnly{QStringLiteral("xdg-open:1|%1|").arg(modHelp::DonatePage())};
    QTRY_COMPARE_WITH_TIMEOUT(launches(), donateOnly, 10000);
    QTest::qWait(200);
    QCOMPARE(launches(), donateOnly);
}

void TestBrowserLaunch::shouldPrintNothingOfAnAddressThatFailsToLaunch()
{
    // More than the system takes as one argument, so the launch itself fails.
    const QString referral = modTellAFriend::RequestAddress(
        {QStringLiteral("Ann Private"), QStringLiteral("ann@private.test"), QString(200000, QLatin1Char('x')),
         QStringLiteral("Bob"), QStringLiteral("bob@x.test")});
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { g_messages.append(text); });
    Browser::open(referral);
    qInstallMessageHandler(previous);

    const QString printed = g_messages.join(QLatin1Char('\n'));
    QVERIFY2(!printed.contains(QLatin1String("private")), qPrintable(printed.left(300)));
    QCOMPARE(launches(), QStringList());
}

void TestBrowserLaunch::shouldLetNoOpenerWriteIntoTheProgramsOutput_data()
{
    QTest::addColumn<QString>("openers");         // the one folder of fake openers on PATH
    QTest::addColumn<QStringList>("settings");    // NAME=VALUE put in the environment, %F the test's folder
    QTest::addColumn<QString>("arrivesThrough");  // the opener that must get the address

    QTest::newRow("no xdg-open, a browser named by BROWSER")
        << QStringLiteral("browsers") << QStringList{QStringLiteral("BROWSER=noisy-browser")}
        << QStringLiteral("noisy-browser");
    QTest::newRow("no xdg-open, a browser named by DEFAULT_BROWSER")
        << QStringLiteral("browsers") << QStringList{QStringLiteral("DEFAULT_BROWSER=noisy-browser")}
        << QStringLiteral("noisy-browser");
    QTest::newRow("no xdg-open, no browser named: a browser Qt knows")
        << QStringLiteral("browsers") << QStringList() << QStringLiteral("firefox");
    // Qt asks the portal there first, and with none answering starts xdg-open itself.
    QTest::newRow("inside a Snap") << QStringLiteral("xdg") << QStringList{QStringLiteral("SNAP=/snap/orvel/1")}
                                   << QStringLiteral("xdg-open");
    QTest::newRow("inside a Flatpak") << QStringLiteral("xdg")
                                      << QStringList{QStringLiteral("XDG_RUNTIME_DIR=%F/flatpak-runtime")}
                                      << QStringLiteral("xdg-open");
}

void TestBrowserLaunch::shouldLetNoOpenerWriteIntoTheProgramsOutput()
{
    QFETCH(QString, openers);
    QFETCH(QStringList, settings);
    QFETCH(QString, arrivesThrough);

    // A Flatpak shows itself to Qt by this file in the runtime folder.
    const QString flatpakRuntime = m_folder.filePath(QStringLiteral("flatpak-runtime"));
    QVERIFY(QDir().mkpath(flatpakRuntime));
    QVERIFY(QFile::setPermissions(flatpakRuntime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QFile info(flatpakRuntime + QStringLiteral("/flatpak-info"));
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.close();

    const QProcessEnvironment before = QProcessEnvironment::systemEnvironment();
    const auto restore = qScopeGuard([&before] {
        for (const char *name : {"PATH", "XDG_RUNTIME_DIR", "SNAP", "BROWSER", "DEFAULT_BROWSER"}) {
            if (before.contains(QLatin1String(name)))
                qputenv(name, QFile::encodeName(before.value(QLatin1String(name))));
            else
                qunsetenv(name);
        }
    });
    qputenv("PATH", QFile::encodeName(m_folder.filePath(openers)));
    for (const QString &setting : std::as_const(settings)) {
        const QString value = setting.section(QLatin1Char('='), 1).replace(QStringLiteral("%F"), m_folder.path());
        qputenv(setting.section(QLatin1Char('='), 0, 0).toLatin1().constData(), QFile::encodeName(value));
    }

    // A referral, whose address holds what people typed.
    const QString referral = modTellAFriend::RequestAddress(
        {QStringLiteral("Ann Private"), QStringLiteral("ann@private.test"), QStringLiteral("Hello"),
         QStringLiteral("Bob"), QStringLiteral("bob@x.test")});
    bool logged = false;
    const QByteArray output = outputOf(m_folder.filePath(QStringLiteral("output")), [&] {
        Browser::open(referral);
        // The opener writes its log after its output.
        logged = QTest::qWaitFor([this] { return !launches().isEmpty(); }, 10000);
    });
    QVERIFY2(logged, "no opener was started");
    QCOMPARE(launches(), QStringList{QStringLiteral("%1:1|%2|").arg(arrivesThrough, referral)});
    QCOMPARE(output, QByteArray());
}

QTEST_MAIN(TestBrowserLaunch)
#include "tst_browserlaunch.moc"
