#include "endapplication.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace modHelp {
namespace {

ProcessEnd &processEnd()
{
    static ProcessEnd current;
    return current;
}

bool g_applicationEnded = false;

// The state of one EndApplication, shared with the calls nested inside it.
int g_depth = 0;
bool g_endedInThisCall = false;
QList<QPointer<QWidget>> g_visited;

// A program window that is still loaded. A closed window waiting for its
// deletion has lost WA_DeleteOnClose and is no longer loaded; menus and tool
// tips are parts of their windows, not windows of their own.
bool isLoadedWindow(const QWidget *widget)
{
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop:
        return false;
    default:
        return widget->isVisible() || widget->testAttribute(Qt::WA_DeleteOnClose);
    }
}

void endProcess(int status)
{
    if (processEnd()) {
        processEnd()(status);
        return;
    }
    g_applicationEnded = true;
    // Every event loop returns once the current event is handled.
    QCoreApplication::exit(status);
}

}  // namespace

void EndApplication()
{
    if (g_applicationEnded)
        return;
    ++g_depth;
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (isLoadedWindow(widget))
            windows.append(widget);
    }
    for (const QPointer<QWidget> &window : windows) {
        if (g_endedInThisCall)
            break;
        if (!window || g_visited.contains(window))
            continue;
        g_visited.append(window);
        // Qt does not run the close handling of a window that is already
        // closing, such as the one whose handler called us.
        window->close();
    }
    if (!g_endedInThisCall) {
        g_endedInThisCall = true;
        endProcess(0);
    }
    if (--g_depth == 0) {
        g_endedInThisCall = false;
        g_visited.clear();
    }
}

bool ApplicationEnded()
{
    return g_applicationEnded;
}

void setProcessEnd(ProcessEnd end)
{
    processEnd() = std::move(end);
}

}  // namespace modHelp
