// The real browser launch, with a fake xdg-open first on PATH that logs its
// arguments: each address arrives whole, as one argument, without a shell.
// Runs on a platform that opens addresses (xcb, under xvfb-run).
#include "browser.h"
#include "modhelp.h"
#include "modtellafriend.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// Each launch appends one line: the number of arguments, then each argument
// between bars.
const char kFakeXdgOpen[] = "#!/bin/sh\n"
                            "line=\"$#\"\n"
                            "for argument in \"$@\"; do line=\"$line|$argument|\"; done\n"
                            "printf '%s\\n' \"$line\" >> \"$ORVEL_BROWSER_LOG\"\n";

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

private:
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
    const QString script = m_folder.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kFakeXdgOpen);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_log = m_folder.filePath(QStringLiteral("launches.log"));
    qputenv("ORVEL_BROWSER_LOG", QFile::encodeName(m_log));
    qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH"));
    // No other browser setting may win over xdg-open.
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
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

    QTRY_COMPARE_WITH_TIMEOUT(launches(), QStringList{QStringLiteral("1|%1|").arg(arrives)}, 10000);
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

    const QStringList donateOnly{QStringLiteral("1|%1|").arg(modHelp::DonatePage())};
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

QTEST_MAIN(TestBrowserLaunch)
#include "tst_browserlaunch.moc"
