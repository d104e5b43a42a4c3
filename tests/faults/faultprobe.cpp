// The program's start-up, one reading and its normal end, in a process of
// its own, for the tests that start it on a broken machine. Each message box
// is printed and answered by its default button; each address the program
// opens is printed, unless ORVEL_PROBE_REAL_BROWSER asks for the real launch.
//   faultprobe NAME   prints "reading|NUMBER|KEYWORD" for NAME typed into the box
#include "controls.h"
#include "endapplication.h"
#include "frmmain.h"
#include "probe.h"
#include "startapplication.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using Probe::say;

frmMain *mainWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<frmMain *>(widget))
            return form;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Probe::setUp(app);
    Probe::printWhatIsShown(
        [](const MsgBox::Request &request) {
            return QStringLiteral("box|") + QString(request.text).replace(QLatin1Char('\r'), QLatin1Char('/'));
        },
        !qEnvironmentVariableIsEmpty("ORVEL_PROBE_REAL_BROWSER"));

    modHelp::StartApplication();
    if (modHelp::ApplicationEnded()) {
        say(QStringLiteral("refused"));
        return 0;
    }
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("abc");
    QTimer::singleShot(0, [name] {
        frmMain *form = mainWindow();
        if (!form || !form->isVisible()) {
            say(QStringLiteral("no main window"));
        } else {
            QTest::keyClicks(control<QLineEdit>(form, "txtName"), name);
            control<QPushButton>(form, "cmdProceed")->click();
            say(QStringLiteral("reading|%1|%2")
                    .arg(control<QLabel>(form, "lblResult_0")->text(), control<QLabel>(form, "lblResult_1")->text()));
        }
        modHelp::EndApplication();
    });
    const int status = app.exec();
    say(QStringLiteral("ended|%1").arg(status));
    return status;
}
