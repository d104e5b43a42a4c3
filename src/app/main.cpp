// The program's entry: the application object, the shared look and what a
// screen reader is told, then the start-up sequence; from there on only
// EndApplication ends the program.
#include "accessibility.h"
#include "appearance.h"
#include "displaycheck.h"
#include "endapplication.h"
#include "startapplication.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (!DisplayCheck::displayNamed(argc, argv))
        return 1;
    DisplayCheck::watchOpening();
    QApplication app(argc, argv);
    // Ended through the application object's own end, which gives a console
    // back its keyboard.
    if (!DisplayCheck::openingDone())
        return 1;
    Translations::install();
    // Docks and the Wayland app id match the window to its desktop entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVEL_APP_ID));
    Appearance::apply();
    Accessibility::install();
    app.setQuitOnLastWindowClosed(false);
    modHelp::StartApplication();
    return modHelp::ApplicationEnded() ? 0 : app.exec();
}
