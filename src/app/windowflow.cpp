#include "windowflow.h"

#include "endapplication.h"
#include "frmmain.h"
#include "frmnagscreen2.h"

namespace WindowFlow {

frmMain *ShowMainWindow()
{
    auto *form = new frmMain;
    // Shown before the main window is gone, so the program is never without a window.
    QObject::connect(form, &frmMain::closed, form, [] { ShowExitScreen(); });
    form->show();
    return form;
}

frmNagScreen2 *ShowExitScreen()
{
    auto *screen = new frmNagScreen2;
    QObject::connect(screen, &frmNagScreen2::closed, screen, &modHelp::EndApplication);
    QObject::connect(screen, &frmNagScreen2::exitAsked, screen, &modHelp::EndApplication);
    screen->show();
    return screen;
}

}  // namespace WindowFlow
