#include "browser.h"

#include <QDesktopServices>
#include <QUrl>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QProcess>
#include <QStandardPaths>
#endif

#include <utility>

namespace Browser {
namespace {

Launcher &launcher()
{
    static Launcher current;
    return current;
}

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// The opener Qt would pick, in Qt 6.4's order (xdg-open, the browser the
// environment names, the desktops' own launchers, then the browsers it
// knows), as a program and the arguments that go before the address. Qt
// tries a desktop's launcher only on that desktop; here each is tried on
// every desktop, so that whenever Qt would find an opener this finds one too.
QStringList opener()
{
    QByteArray named = qgetenv("DEFAULT_BROWSER");
    if (named.isEmpty())
        named = qgetenv("BROWSER");
    const QList<QStringList> candidates{
        {QStringLiteral("xdg-open")},   {QString::fromLocal8Bit(named)},
        {QStringLiteral("kde-open5")},  {QStringLiteral("kfmclient"), QStringLiteral("exec")},
        {QStringLiteral("gnome-open")}, {QStringLiteral("google-chrome")},
        {QStringLiteral("firefox")},    {QStringLiteral("mozilla")},
        {QStringLiteral("opera")},
    };
    for (QStringList candidate : candidates) {
        const QString found = candidate.first().isEmpty() ? QString()
                                                          : QStandardPaths::findExecutable(candidate.first());
        if (!found.isEmpty()) {
            candidate.first() = found;
            return candidate;
        }
    }
    return {};
}
#endif

// Qt would start the opener with the program's own stdout and stderr, and
// xdg-open prints the whole address when it finds no browser, as a browser
// named by $BROWSER may print its arguments. The opener is started here with
// its output, and the browser's after it, thrown away; inside a Snap that is
// the Snap's own xdg-open, inside a Flatpak the one that asks the portal. Qt
// is asked only where no opener is found: in a sandbox it then asks the
// desktop portal over D-Bus and starts nothing, elsewhere it finds nothing
// either. Windows opens the address itself (ShellExecute).
bool launchedWithoutOutput(const QUrl &url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QStringList command = opener();
    if (command.isEmpty())
        return false;
    QProcess process;
    process.setProgram(command.takeFirst());
    process.setArguments(command << QString::fromLatin1(url.toEncoded()));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // An address the system refuses to start (too long) opens nothing: it is
    // not handed to Qt, which would try it again and report it.
    process.startDetached();
    return true;
#else
    Q_UNUSED(url);
    return false;
#endif
}

// Qt reports a launch that fails (no browser, an address too long for one
// argument) with the whole address, and a referral's address holds the names
// and e-mail addresses people typed: none of it may reach a terminal or a log.
void openQuietly(const QUrl &url)
{
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    if (!launchedWithoutOutput(url))
        QDesktopServices::openUrl(url);
    qInstallMessageHandler(previous);
}

}  // namespace

void open(const QString &address)
{
    if (launcher()) {
        launcher()(address);
        return;
    }
    // Addresses are built already encoded; anything that does not parse as it
    // stands, or is no web address, is not handed on.
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")))
        openQuietly(url);
}

Launcher setLauncher(Launcher newLauncher)
{
    return std::exchange(launcher(), std::move(newLauncher));
}

}  // namespace Browser
