#include "endapplication.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace modHelp {
namespace {

// Everything the program's one way of ending keeps, in one place: the step
// that ends the process (tests put their own), whether the program has ended,
// and the record of the EndApplication under way, which the calls nested
// inside it share.
struct Shutdown {
    ProcessEnd processEnd;
    bool ended = false;
    int depth = 0;
    bool endedInThisCall = false;
    QList<QPointer<QWidget>> visited;
};

Shutdown &shutdown()
{
    static Shutdown state;
    return state;
}

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
    if (shutdown().processEnd) {
        shutdown().processEnd(status);
        return;
    }
    shutdown().ended = true;
    // Every event loop returns once the current event is handled.
    QCoreApplication::exit(status);
}

}  // namespace

void EndApplication()
{
    Shutdown &state = shutdown();
    if (state.ended)
        return;
    ++state.depth;
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (isLoadedWindow(widget))
            windows.append(widget);
    }
    for (const QPointer<QWidget> &window : windows) {
        if (state.endedInThisCall)
            break;
        if (!window || state.visited.contains(window))
            continue;
        state.visited.append(window);
        // Qt does not run the close handling of a window that is already
        // closing, such as the one whose handler called us.
        window->close();
    }
    if (!state.endedInThisCall) {
        state.endedInThisCall = true;
        endProcess(0);
    }
    if (--state.depth == 0) {
        state.endedInThisCall = false;
        state.visited.clear();
    }
}

bool ApplicationEnded()
{
    return shutdown().ended;
}

void setProcessEnd(ProcessEnd end)
{
    shutdown().processEnd = std::move(end);
}

}  // namespace modHelp
