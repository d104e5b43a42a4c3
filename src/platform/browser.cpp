#include "browser.h"

#include <QDesktopServices>
#include <QUrl>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QFileInfo>
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

// Qt would start xdg-open with the program's own stdout and stderr, and
// xdg-open prints the whole address when it finds no browser. The opener is
// started here with its output, and the browser's after it, thrown away.
// Inside a Flatpak or Snap sandbox Qt asks the desktop portal over D-Bus and
// starts nothing, and without xdg-open it knows other openers: both stay Qt's.
bool launchedWithoutOutput(const QUrl &url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (QFileInfo::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP"))
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    QProcess process;
    process.setProgram(opener);
    process.setArguments({QString::fromLatin1(url.toEncoded())});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
    return true;
#else
    // Elsewhere the desktop opens the address itself: ShellExecute on Windows.
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
