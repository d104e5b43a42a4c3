#include "processalive.h"

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#endif

#include <limits>

namespace ProcessAlive {

bool isRunning(qint64 pid)
{
#if defined(Q_OS_WIN)
    using Id = DWORD;
#else
    using Id = pid_t;
#endif
    // An id the system cannot give would otherwise be cut down to one it can.
    if (pid <= 0 || pid > qint64(std::numeric_limits<Id>::max()))
        return false;
#if defined(Q_OS_WIN)
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<Id>(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    // An ended process stays known while anyone holds a handle to it; only
    // its signalled state tells, since any exit code may equal STILL_ACTIVE.
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    // Signal 0 only checks that the process exists.
    return ::kill(static_cast<Id>(pid), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace ProcessAlive
