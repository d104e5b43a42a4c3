// The program's entry: the shared look, then the main window.
#include "ui/appearance.h"
#include "ui/main/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Appearance::apply();
    (new frmMain)->show();
    return app.exec();
}
