#include "modhelp.h"

#include "browser.h"
#include "hosts.h"

#include <array>

namespace modHelp {
namespace {

struct Link {
    const char *host;
    const char *path;
};

// In the order of Page.
constexpr std::array<Link, 7> kLinks = {{
    {Hosts::kProductSite, "/orvel-free-biblical-numerology-help.html"},
    {Hosts::kMakerSite, ""},
    {Hosts::kMakerSite, "/donate.html"},
    {Hosts::kMakerSite, "/co-brand.html"},
    {Hosts::kMakerSite, "/fully-branded.html"},
    {Hosts::kProductSite, "/download-orvel-free-biblical-numerology.html"},
    {Hosts::kMakerSite, "/gleamware"},
}};
static_assert(kLinks.size() == static_cast<std::size_t>(Page::SoftwareSuite) + 1, "one link for each page");

}  // namespace

QString Address(Page page)
{
    const Link &link = kLinks[static_cast<std::size_t>(page)];
    return QStringLiteral("http://") + QLatin1StringView(link.host) + QLatin1StringView(link.path);
}

void Open(Page page)
{
    Browser::open(Address(page));
}

}  // namespace modHelp
