// Whether a process is alive, asked of the system, against real child
// processes. A plain program, not a Qt Test suite: the same file is also built
// with MinGW-w64 and run under wine, where there is no Qt library to link.
#include "processalive.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

struct Answer {
    std::string name;
    bool expected;
    bool running;
};

// Asks at once: the children change state between the cases.
void ask(std::vector<Answer> &answers, const char *name, qint64 pid, bool expected)
{
    answers.push_back({name, expected, ProcessAlive::isRunning(pid)});
}

// A child that outlives every check, but not a run that was interrupted.
constexpr unsigned kChildSeconds = 60;
// Above every id the system hands out, yet the same as this process's id
// once cut down to 32 bits.
qint64 beyondRange(qint64 own)
{
    return own + (qint64(1) << 32);
}

#if defined(_WIN32)

HANDLE startChild(const char *mode)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start a child: error %lu\n", GetLastError());
        std::exit(2);
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

std::vector<Answer> answers()
{
    std::vector<Answer> all;
    const qint64 own = GetCurrentProcessId();
    ask(all, "own process", own, true);

    HANDLE alive = startChild("--wait");
    ask(all, "running child", qint64(GetProcessId(alive)), true);

    // Ended, but this process still holds a handle, so the id is not reused.
    TerminateProcess(alive, 1);
    WaitForSingleObject(alive, INFINITE);
    ask(all, "ended child, handle still open", qint64(GetProcessId(alive)), false);

    // Its exit code is the very value that GetExitCodeProcess gives for a running process.
    HANDLE stillActive = startChild("--exit-still-active");
    WaitForSingleObject(stillActive, INFINITE);
    ask(all, "child that ended with code STILL_ACTIVE", qint64(GetProcessId(stillActive)), false);

    HANDLE closed = startChild("--wait");
    TerminateProcess(closed, 1);
    const qint64 closedId = GetProcessId(closed);
    WaitForSingleObject(closed, INFINITE);
    CloseHandle(closed);
    ask(all, "ended child, no handle left", closedId, false);

    ask(all, "zero", 0, false);
    ask(all, "negative", -1, false);
    ask(all, "beyond 32 bits", beyondRange(own), false);

    CloseHandle(stillActive);
    CloseHandle(alive);
    return all;
}

int child(const char *mode)
{
    if (std::strcmp(mode, "--exit-still-active") == 0)
        return STILL_ACTIVE;
    Sleep(kChildSeconds * 1000);
    return 0;
}

#else

pid_t startChild()
{
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (pid == 0) {
        sleep(kChildSeconds);
        _exit(0);
    }
    return pid;
}

std::vector<Answer> answers()
{
    std::vector<Answer> all;
    const qint64 own = getpid();
    ask(all, "own process", own, true);
    // The init process: another user's, which may not be signalled, unless this runs as root.
    ask(all, "init process", 1, true);

    const pid_t alive = startChild();
    ask(all, "running child", alive, true);
    kill(alive, SIGKILL);
    waitpid(alive, nullptr, 0);
    ask(all, "ended child", alive, false);

    ask(all, "zero", 0, false);
    ask(all, "negative", -1, false);
    ask(all, "beyond 32 bits", beyondRange(own), false);
    return all;
}

#endif

}  // namespace

int main(int argc, char *argv[])
{
#if defined(_WIN32)
    if (argc > 1)
        return child(argv[1]);
#else
    (void)argc;
    (void)argv;
#endif
    int failures = 0;
    const std::vector<Answer> all = answers();
    for (const Answer &a : all) {
        const bool passed = a.running == a.expected;
        failures += passed ? 0 : 1;
        std::printf("%s %s: %s\n", passed ? "PASS" : "FAIL", a.name.c_str(), a.running ? "running" : "not running");
    }
    std::printf("%d of %zu failed\n", failures, all.size());
    return failures == 0 ? 0 : 1;
}
