// The program's entry: the application object, the shared look, then the
// start-up sequence; from there on only EndApplication ends the program.
#include "displaycheck.h"
#include "endapplication.h"
#include "startapplication.h"
#include "appearance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (!DisplayCheck::displayNamed())
        return 1;
    DisplayCheck::watchOpening();
    QApplication app(argc, argv);
    DisplayCheck::openingDone();
    Appearance::apply();
    app.setQuitOnLastWindowClosed(false);
    modHelp::StartApplication();
    return modHelp::ApplicationEnded() ? 0 : app.exec();
}
