// One of the program's three windows, made for a test that looks at each in
// turn: "main", "about", or anything else for the exit screen.
#pragma once

#include "frmabout.h"
#include "frmmain.h"
#include "frmnagscreen2.h"

#include <QString>

#include <memory>

inline std::unique_ptr<QWidget> makeWindow(const QString &which)
{
    if (which == QLatin1String("main"))
        return std::make_unique<frmMain>();
    if (which == QLatin1String("about"))
        return std::make_unique<frmAbout>();
    auto *screen = new frmNagScreen2([] { return 0.0f; });
    // Deleted by the test, not by its own close.
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    return std::unique_ptr<QWidget>(screen);
}
