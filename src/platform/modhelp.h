// The fixed web pages of the program, each with an opener that shows it in
// the user's default browser.
#pragma once

#include <QString>

namespace modHelp {

// The pages of the link catalogue.
enum class Page { Help, Home, Donate, CoBrand, FullBrand, Download, SoftwareSuite };

// The complete address of a page.
QString Address(Page page);
// Shows a page in the user's default browser.
void Open(Page page);

// Each page by name, for the menus' and labels' connections.
// clang-format off
inline QString HelpPage() { return Address(Page::Help); }
inline QString HomePage() { return Address(Page::Home); }
inline QString DonatePage() { return Address(Page::Donate); }
inline QString CoBrandPage() { return Address(Page::CoBrand); }
inline QString FullBrandPage() { return Address(Page::FullBrand); }
inline QString DownloadPage() { return Address(Page::Download); }
inline QString SoftwareSuitePage() { return Address(Page::SoftwareSuite); }

inline void OpenHelpPage() { Open(Page::Help); }
inline void OpenHomePage() { Open(Page::Home); }
inline void OpenDonatePage() { Open(Page::Donate); }
inline void OpenCoBrandPage() { Open(Page::CoBrand); }
inline void OpenFullBrandPage() { Open(Page::FullBrand); }
inline void OpenDownloadPage() { Open(Page::Download); }
inline void OpenSoftwareSuitePage() { Open(Page::SoftwareSuite); }
// clang-format on

}  // namespace modHelp
