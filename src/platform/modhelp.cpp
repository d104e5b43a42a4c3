#include "modhelp.h"

#include "browser.h"
#include "hosts.h"

namespace modHelp {
namespace {

QString address(const char *host, const char *path)
{
    return QStringLiteral("http://") + QLatin1StringView(host) + QLatin1StringView(path);
}

}  // namespace

QString HelpPage()
{
    return address(Hosts::kProductSite, "/orvel-free-biblical-numerology-help.html");
}
QString HomePage()
{
    return address(Hosts::kMakerSite, "");
}
QString DonatePage()
{
    return address(Hosts::kMakerSite, "/donate.html");
}
QString CoBrandPage()
{
    return address(Hosts::kMakerSite, "/co-brand.html");
}
QString FullBrandPage()
{
    return address(Hosts::kMakerSite, "/fully-branded.html");
}
QString DownloadPage()
{
    return address(Hosts::kProductSite, "/download-orvel-free-biblical-numerology.html");
}
QString SoftwareSuitePage()
{
    return address(Hosts::kMakerSite, "/gleamware");
}

void OpenHelpPage()
{
    Browser::open(HelpPage());
}
void OpenHomePage()
{
    Browser::open(HomePage());
}
void OpenDonatePage()
{
    Browser::open(DonatePage());
}
void OpenCoBrandPage()
{
    Browser::open(CoBrandPage());
}
void OpenFullBrandPage()
{
    Browser::open(FullBrandPage());
}
void OpenDownloadPage()
{
    Browser::open(DownloadPage());
}
void OpenSoftwareSuitePage()
{
    Browser::open(SoftwareSuitePage());
}

}  // namespace modHelp
