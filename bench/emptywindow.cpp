// The floor that start-up is measured against: an empty Qt Widgets main
// window with a menu bar, as large as the program's own.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.menuBar()->addMenu(QStringLiteral("&File"));
    // The main window's size, so that both back buffers weigh the same.
    window.setFixedSize(590, 412);
    window.show();
    return app.exec();
}
