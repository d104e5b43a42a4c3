// The fixed web pages of the program, each with an opener that shows it in
// the user's default browser.
#pragma once

#include <QString>

namespace modHelp {

// The complete addresses of the link catalogue.
QString HelpPage();
QString HomePage();
QString DonatePage();
QString CoBrandPage();
QString FullBrandPage();
QString DownloadPage();
QString SoftwareSuitePage();

void OpenHelpPage();
void OpenHomePage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();
void OpenDownloadPage();
void OpenSoftwareSuitePage();

}  // namespace modHelp
