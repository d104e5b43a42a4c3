// The program's start-up in a process of its own, as main runs it, with each
// message box printed and answered by its default button, for the tests that
// start real copies side by side. "--end" ends the copy once it runs;
// "--wait" prints "ready" and holds the start until a line comes on stdin, so
// that many copies can be let go at the same moment.
#include "endapplication.h"
#include "probe.h"
#include "startapplication.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using Probe::say;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Probe::setUp(app);
    Probe::printWhatIsShown([](const MsgBox::Request &request) {
        return QStringLiteral("box|%1|%2|%3|%4")
            .arg(request.text)
            .arg(int(request.icon))
            .arg(int(request.buttons))
            .arg(int(request.defaultButton));
    });

    if (app.arguments().contains(QStringLiteral("--wait"))) {
        say(QStringLiteral("ready"));
        char line[8];
        if (!std::fgets(line, sizeof line, stdin))
            return 3;
    }
    modHelp::StartApplication();
    if (modHelp::ApplicationEnded())
        return 0;
    say(QStringLiteral("running"));
    if (app.arguments().contains(QStringLiteral("--end")))
        QTimer::singleShot(0, &modHelp::EndApplication);
    return app.exec();
}
