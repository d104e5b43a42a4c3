#include "browser.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

namespace Browser {
namespace {

Launcher &launcher()
{
    static Launcher current;
    return current;
}

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

// Qt reports a launch that fails (no browser, an address too long for one
// argument) with the whole address, and a referral's address holds the names
// and e-mail addresses people typed: none of it may reach a terminal or a log.
void openQuietly(const QUrl &url)
{
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
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
