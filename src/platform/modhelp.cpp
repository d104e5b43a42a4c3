#include "modhelp.h"

#include "browser.h"
#include "hosts.h"

#include <array>

namespace modHelp {
namespace {

struct Link {
    Page page;
    const char *host;
    const char *path;
};

constexpr std::array<Link, 7> kLinks = {{
    {Page::Help, Hosts::kProductSite, "/orvel-free-biblical-numerology-help.html"},
    {Page::Home, Hosts::kMakerSite, ""},
    {Page::Donate, Hosts::kMakerSite, "/donate.html"},
    {Page::CoBrand, Hosts::kMakerSite, "/co-brand.html"},
    {Page::FullBrand, Hosts::kMakerSite, "/fully-branded.html"},
    {Page::Download, Hosts::kProductSite, "/download-orvel-free-biblical-numerology.html"},
    {Page::SoftwareSuite, Hosts::kMakerSite, "/gleamware"},
}};

// A page's link is found by its place in the table.
constexpr bool inPageOrder()
{
    for (std::size_t i = 0; i < kLinks.size(); ++i) {
        if (kLinks[i].page != static_cast<Page>(i))
            return false;
    }
    return kLinks.back().page == Page::SoftwareSuite;
}
static_assert(inPageOrder(), "one link for each page, in the order of Page");

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
