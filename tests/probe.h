// What the small programs that tests and benchmarks start have in common: the
// application set up as main sets it up, and what it shows or opens printed
// as a line on stdout, for the starting test to read, instead of shown.
#pragma once

#include "appearance.h"
#include "browser.h"
#include "messagebox.h"

#include <QApplication>
#include <QString>

#include <cstdio>
#include <functional>

namespace Probe {

// A line for the starting test, printed at once.
inline void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// The program's look, and no end when its last window closes: only EndApplication ends it.
inline void setUp(QApplication &app)
{
    Appearance::apply();
    app.setQuitOnLastWindowClosed(false);
}

// Each message box printed as describe gives it and answered by its default
// button; each address the program opens printed as "browser|ADDRESS", unless
// the browser is to be launched for real.
inline void printWhatIsShown(const std::function<QString(const MsgBox::Request &)> &describe, bool realBrowser = false)
{
    MsgBox::setHandler([describe](const MsgBox::Request &request) {
        say(describe(request));
        return request.defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : request.defaultButton;
    });
    if (!realBrowser)
        Browser::setLauncher([](const QString &address) { say(QStringLiteral("browser|") + address); });
}

}  // namespace Probe
