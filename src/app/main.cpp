// The program's entry: the application object, the shared look and what a
// screen reader is told, then the start-up sequence; from there on only
// EndApplication ends the program.
#include "app/endapplication.h"
#include "app/startapplication.h"
#include "ui/accessibility.h"
#include "ui/appearance.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt would abort with a long message about plugins.
bool lacksDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

}  // namespace

int main(int argc, char *argv[])
{
    if (lacksDisplay()) {
        std::fputs("No graphical display is available: start Orvel Biblical Numerology from a desktop session.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    Appearance::apply();
    Accessibility::install();
    app.setQuitOnLastWindowClosed(false);
    modHelp::StartApplication();
    return modHelp::ApplicationEnded() ? 0 : app.exec();
}
