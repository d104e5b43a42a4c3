// Ending the program: the one way it ends itself.
#pragma once

#include <functional>

namespace modHelp {

// Closes every loaded window once, shown or hidden, so that its own close
// handling runs, then ends the program with status 0. A call made from a
// window that it closes finishes the work and ends; the outer call then stops.
// The end goes through the event loop, so destructors run and the lock of the
// single copy is released; no further event of any window is handled.
void EndApplication();

// True once the program has ended; main does not enter the event loop then
// (a refused second copy ends before the loop starts).
bool ApplicationEnded();

// The last step of EndApplication; tests record it instead of ending.
using ProcessEnd = std::function<void(int status)>;
void setProcessEnd(ProcessEnd end);

}  // namespace modHelp
