// Start-up timer: starts each program in turn, each time with a fresh home
// holding a recent update date and a fresh runtime folder, and takes the time
// from exec to the X server's map event of its main window, then its resident
// memory once shown. Prints the medians and the ratios to the first program
// named after --floor, and the median of the ratios of runs made one right
// after the other. With --launcher, each program is started through it
// (wine64 for Windows programs, whose windows wine makes on the same server).
//
//   orvel_startbench [--runs N] [--settle-ms M] [--launcher L] PROGRAM... --floor FLOOR
//
// DISPLAY must name an X server without a window manager (Xvfb), so that the
// programs' top-level windows are children of the root window.
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Program {
    std::string shown;  // as given on the command line
    std::string path;
    std::vector<double> mapMs;
    std::vector<double> rssMiB;
};

struct Sample {
    double mapMs = 0;
    double rssMiB = 0;
};

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "orvel_startbench: %s\n", message.c_str());
    std::exit(2);
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0,
                                                            static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        fail(std::string("cannot intern ") + name);
    const xcb_atom_t result = reply->atom;
    std::free(reply);
    return result;
}

std::optional<std::uint32_t> cardinalProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, property, XCB_ATOM_ANY, 0, 1);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::optional<std::uint32_t> value;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

// A fresh home for one run: the settings file holds today's date, so that the
// update question is not asked, and the runtime folder has no lock in it.
fs::path makeHome(const fs::path &base)
{
    std::string pattern = (base / "run-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        fail("cannot make a run folder: " + std::string(std::strerror(errno)));
    const fs::path home(pattern);
    fs::create_directories(home / ".config/Orvel");
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char today[16];
    std::strftime(today, sizeof today, "%Y-%m-%d", &local);
    std::ofstream(home / ".config/Orvel/OrvelFreeBiblicalNumerology.conf") << "[Settings]\nDuration=" << today << "\n";
    return home;
}

double residentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

class Timer
{
public:
    Timer()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            fail("cannot open the display named by DISPLAY");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        // A window manager would reparent the windows and hide their maps.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            std::free(error);
            fail("cannot watch the root window");
        }
        m_pidAtom = atom(m_connection, "_NET_WM_PID");
        m_typeAtom = atom(m_connection, "_NET_WM_WINDOW_TYPE");
        m_normalAtom = atom(m_connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    }

    ~Timer() { xcb_disconnect(m_connection); }

    Sample run(const std::string &launcher, const std::string &program, const fs::path &base, const fs::path &cache,
               int settleMs)
    {
        const fs::path home = makeHome(base);
        std::vector<std::string> variables;
        for (char **entry = environ; *entry; ++entry) {
            const std::string variable(*entry);
            if (variable.rfind("HOME=", 0) != 0 && variable.rfind("XDG_", 0) != 0)
                variables.push_back(variable);
        }
        variables.push_back("HOME=" + home.string());
        variables.push_back("XDG_CONFIG_HOME=" + (home / ".config").string());
        variables.push_back("XDG_RUNTIME_DIR=" + (home / "runtime").string());
        // Shared by every run, so that caches (fontconfig's) weigh the same for all.
        variables.push_back("XDG_CACHE_HOME=" + cache.string());
        std::vector<char *> envp;
        for (std::string &variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        // The launcher execs the program in the same process, so the window
        // still carries the pid started here.
        std::vector<std::string> command;
        if (!launcher.empty())
            command.push_back(launcher);
        command.push_back(program);
        std::vector<char *> argv;
        for (std::string &argument : command)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        drainEvents();
        pid_t pid = 0;
        const Clock::time_point start = Clock::now();
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
            fail("cannot start " + program);
        const std::optional<Clock::time_point> mapped = waitForMainWindow(pid, program);
        Sample sample;
        if (mapped) {
            sample.mapMs = std::chrono::duration<double, std::milli>(*mapped - start).count();
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
            sample.rssMiB = residentMiB(pid);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        fs::remove_all(home);
        if (!mapped)
            fail(program + " showed no main window within 20 s");
        return sample;
    }

private:
    void drainEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // The first map of a normal top-level window of the process; a dialog
    // mapped first (a question at start) spoils the run.
    std::optional<Clock::time_point> waitForMainWindow(pid_t pid, const std::string &program)
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
        pollfd watch{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (Clock::now() < deadline) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
            if (!event) {
                if (xcb_connection_has_error(m_connection))
                    fail("lost the display");
                if (waitpid(pid, nullptr, WNOHANG) == pid)
                    fail(program + " ended before it showed its main window");
                poll(&watch, 1, 100);
                continue;
            }
            const Clock::time_point received = Clock::now();
            const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            const xcb_window_t window = isMap ? map->window : 0;
            const bool overrideRedirect = isMap && map->override_redirect;
            std::free(event);
            if (!isMap || overrideRedirect)
                continue;
            if (cardinalProperty(m_connection, window, m_pidAtom) != static_cast<std::uint32_t>(pid))
                continue;
            const std::optional<std::uint32_t> type = cardinalProperty(m_connection, window, m_typeAtom);
            if (type && *type != m_normalAtom)
                fail(program + " showed a dialog before its main window");
            return received;
        }
        return std::nullopt;
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0;
    xcb_atom_t m_typeAtom = 0;
    xcb_atom_t m_normalAtom = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

[[noreturn]] void usage()
{
    std::fputs("usage: orvel_startbench [--runs N] [--settle-ms M] [--launcher L] PROGRAM... --floor FLOOR\n", stderr);
    std::exit(2);
}

}  // namespace

int main(int argc, char *argv[])
{
    int runs = 20;
    int settleMs = 300;
    std::vector<Program> programs;
    std::optional<std::size_t> floor;
    std::string launcher;
    for (int i = 1; i < argc; ++i) {
        const std::string argument(argv[i]);
        if ((argument == "--runs" || argument == "--settle-ms" || argument == "--floor" || argument == "--launcher")
            && i + 1 >= argc)
            usage();
        if (argument == "--runs")
            runs = std::atoi(argv[++i]);
        else if (argument == "--settle-ms")
            settleMs = std::atoi(argv[++i]);
        else if (argument == "--launcher")
            launcher = fs::absolute(argv[++i]).string();
        else if (argument == "--floor") {
            floor = programs.size();
            ++i;
            programs.push_back({argv[i], fs::absolute(argv[i]).string(), {}, {}});
        } else if (argument.rfind("--", 0) == 0)
            usage();
        else
            programs.push_back({argument, fs::absolute(argument).string(), {}, {}});
    }
    if (!floor || programs.size() < 2 || runs < 1)
        usage();

    std::string pattern = (fs::temp_directory_path() / "orvel-startbench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        fail("cannot make a temporary folder");
    const fs::path base(pattern);
    const fs::path cache = base / "cache";
    fs::create_directories(cache);

    Timer timer;
    // One unmeasured round first warms the page cache and the font cache.
    for (Program &program : programs)
        timer.run(launcher, program.path, base, cache, 0);
    for (int round = 0; round < runs; ++round) {
        for (Program &program : programs) {
            const Sample sample = timer.run(launcher, program.path, base, cache, settleMs);
            program.mapMs.push_back(sample.mapMs);
            program.rssMiB.push_back(sample.rssMiB);
        }
    }
    fs::remove_all(base);

    const Program &floorProgram = programs[*floor];
    const double floorMs = median(floorProgram.mapMs);
    const double floorMiB = median(floorProgram.rssMiB);
    std::printf("%d runs each, alternating; medians of exec to map of the main window, and of\n"
                "resident memory %d ms after the map\n\n",
                runs, settleMs);
    int width = 8;
    for (const Program &program : programs)
        width = std::max(width, static_cast<int>(program.shown.size()));
    std::printf("%-*s %10s %10s %12s %12s %10s %10s\n", width, "program", "start ms", "min ms", "time ratio",
                "pair ratio", "RSS MiB", "RSS diff");
    for (const Program &program : programs) {
        const double ms = median(program.mapMs);
        const double mib = median(program.rssMiB);
        // Runs made one right after the other: a load that comes and goes on
        // a shared machine weighs less on their ratios than on the medians.
        std::vector<double> pairRatios;
        for (std::size_t run = 0; run < program.mapMs.size(); ++run)
            pairRatios.push_back(program.mapMs[run] / floorProgram.mapMs[run]);
        std::printf("%-*s %10.1f %10.1f %11.3fx %11.3fx %10.1f %+9.1f\n", width, program.shown.c_str(), ms,
                    *std::min_element(program.mapMs.begin(), program.mapMs.end()), ms / floorMs, median(pairRatios),
                    mib, mib - floorMiB);
    }
    return 0;
}
