#include "links/browser.h"

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
        QDesktopServices::openUrl(url);
}

Launcher setLauncher(Launcher newLauncher)
{
    return std::exchange(launcher(), std::move(newLauncher));
}

}  // namespace Browser
