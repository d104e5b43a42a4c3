// Whether a process of this machine is still alive, asked of the operating
// system; the only process query of the program, one branch per platform.
#pragma once

#include <QtGlobal>

namespace ProcessAlive {

// True while the process with this id runs, including one of another user
// that may not be signalled; false for an id that no process has.
bool isRunning(qint64 pid);

}  // namespace ProcessAlive
