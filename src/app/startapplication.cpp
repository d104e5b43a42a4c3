#include "startapplication.h"

#include "endapplication.h"
#include "executable.h"
#include "frmmain.h"
#include "instanceguard.h"
#include "messagebox.h"
#include "rnd.h"
#include "updatereminder.h"
#include "windowflow.h"

#include <QCoreApplication>

#include <cmath>

namespace modHelp {
namespace {

// Held for the life of the process, keyed on the executable's name: the
// system releases its lock however the process ends.
InstanceGuard &instanceGuard()
{
    static InstanceGuard guard(Executable::baseName());
    return guard;
}

}  // namespace

void StartApplication()
{
    if (instanceGuard().PrevInstance()) {
        MsgBox::show({nullptr, QCoreApplication::translate("StartApplication", "Application is already running"),
                      QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok});
        EndApplication();
        return;
    }
    Rnd::Randomize();
    CheckForUpdate();
    CoBrand_Randomize(*WindowFlow::ShowMainWindow());
}

int CoBrandPick(float r)
{
    // In double, 6r + 1 is exact for every float r, so the only rounding is
    // the one asked for; nearbyint rounds a half to even by default.
    return static_cast<int>(std::nearbyint(6.0 * static_cast<double>(r) + 1.0));
}

void CoBrand_Randomize(frmMain &form)
{
    CoBrand_Randomize(form, Rnd::Next());
}

void CoBrand_Randomize(frmMain &form, float r)
{
    const int intCoBrandRandomNumber = CoBrandPick(r);
    if (intCoBrandRandomNumber == 7)
        return;
    form.BringToFront(intCoBrandRandomNumber % 2 == 0 ? frmMain::Promotion::FullBrand : frmMain::Promotion::CoBrand);
}

}  // namespace modHelp
