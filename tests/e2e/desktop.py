"""A private desktop for driving the program as a person does: an X server,
a window manager, a session bus with the accessibility bus, and a browser
stand-in that only writes down the addresses it is asked to open.

Everything here is started by this module and stopped by it again."""

import os
import shutil
import signal
import subprocess
import tempfile
import time


class TimedOut(AssertionError):
    pass


def wait_for(what, condition, timeout=15.0, interval=0.05):
    """Polls condition until it gives a true value and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimedOut("timed out waiting for " + what)
        time.sleep(interval)


def _group_alive(pgid):
    try:
        os.killpg(pgid, 0)
        return True
    except ProcessLookupError:
        return False


def _stop(process, group=False):
    """Ends a process, or with group the whole process group it leads: the
    services a session bus starts outlive the bus itself when left alone."""
    if group:
        def ended():
            process.poll()  # a leader not yet reaped still counts as a member
            return not _group_alive(process.pid)

        for sig in (signal.SIGTERM, signal.SIGKILL):
            if ended():
                break
            os.killpg(process.pid, sig)
            try:
                wait_for("the process group to end", ended, timeout=5)
            except TimedOut:
                continue
        return
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=5)


class Desktop:
    """Xvfb with openbox and a private D-Bus session; the environment that
    the program and the accessibility client share lives in self.env."""

    def __init__(self, size="1280x1024"):
        self.size = size
        self.root = tempfile.mkdtemp(prefix="orvel-e2e-")
        self.processes = []
        self.env = {}

    def start(self):
        try:
            self._start_x()
            self._start_window_manager()
            self._start_session_bus()
        except BaseException:
            self.stop()
            raise
        return self

    def _start_x(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size + "x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        self.processes.append((xvfb, False))
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def _start_window_manager(self):
        # A home of its own, so that no user's openbox settings come in.
        openbox = subprocess.Popen(
            ["openbox", "--sm-disable"], env=dict(self.base_env(), HOME=self.root),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append((openbox, False))
        # The manager announces itself on the root window once it runs.
        wait_for("the window manager", lambda: "window id" in self._xprop_root(
            "_NET_SUPPORTING_WM_CHECK"))

    def _start_session_bus(self):
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            env=dict(self.base_env(), HOME=self.root), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            text=True, start_new_session=True)
        # The accessibility bus that the session bus starts on demand lives
        # in the bus's process group and ends with it.
        self.processes.append((bus, True))
        address = bus.stdout.readline().strip()
        bus.stdout.close()
        if not address:
            raise RuntimeError("dbus-daemon did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _xprop_root(self, prop):
        result = subprocess.run(["xprop", "-root", prop], env=self.base_env(),
                                capture_output=True, text=True)
        return result.stdout

    def base_env(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "DBUS_", "AT_SPI"))}
        env.pop("WAYLAND_DISPLAY", None)
        env.update(self.env)
        env["LANG"] = env["LC_ALL"] = "C.UTF-8"
        return env

    def stop(self):
        for process, group in reversed(self.processes):
            _stop(process, group)
        self.processes.clear()
        shutil.rmtree(self.root, ignore_errors=True)

    def run(self, *args):
        """Runs an X client such as xdotool to its end and returns its output."""
        result = subprocess.run(list(args), env=self.base_env(), capture_output=True,
                                text=True, timeout=30)
        return result.stdout


class UserFolders:
    """A fresh home, settings and runtime folder for one run of the program,
    with a fake xdg-open first on PATH that logs each address it gets."""

    def __init__(self, desktop):
        self.root = tempfile.mkdtemp(prefix="user-", dir=desktop.root)
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.home, ".config")
        self.runtime = os.path.join(self.root, "runtime")
        self.bin = os.path.join(self.root, "bin")
        self.browser_log = os.path.join(self.root, "opened.txt")
        for folder in (self.home, self.config, self.runtime, self.bin):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        opener = os.path.join(self.bin, "xdg-open")
        with open(opener, "w") as script:
            script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.browser_log)
        os.chmod(opener, 0o755)

    @property
    def settings_file(self):
        return os.path.join(self.config, "Orvel", "OrvelFreeBiblicalNumerology.conf")

    def write_stored_date(self, text):
        os.makedirs(os.path.dirname(self.settings_file), exist_ok=True)
        with open(self.settings_file, "w") as settings:
            settings.write("[Settings]\nDuration=%s\n" % text)

    def stored_date(self):
        try:
            with open(self.settings_file) as settings:
                for line in settings:
                    if line.startswith("Duration="):
                        return line.strip().split("=", 1)[1]
        except FileNotFoundError:
            pass
        return None

    def opened_addresses(self):
        try:
            with open(self.browser_log) as log:
                return [line.rstrip("\n") for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def env(self, desktop, extra=None):
        env = desktop.base_env()
        env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_RUNTIME_DIR": self.runtime,
            "PATH": self.bin + os.pathsep + env.get("PATH", "/usr/bin:/bin"),
            "QT_QPA_PLATFORM": "xcb",
            "QT_QPA_PLATFORMTHEME": "",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        env.update(extra or {})
        return env
