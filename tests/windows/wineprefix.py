"""A wine prefix of its own for one Windows test: a new C: drive with nothing
of ours installed and nothing added to its PATH, its registry read with
wine's own reg command, and everything it started stopped again."""

import os
import shutil
import subprocess
import tempfile


class WinePrefix:
    def __init__(self, wine, env):
        self.wine = wine
        self.wineserver = os.path.join(os.path.dirname(wine), "wineserver")
        self.root = tempfile.mkdtemp(prefix="orvel-wine-")
        self.env = dict(env, WINEPREFIX=os.path.join(self.root, "prefix"), WINEARCH="win64",
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.env.pop("WINEPATH", None)

    def boot(self):
        self.run("wineboot", "--init", timeout=180)
        return self

    def run(self, *args, timeout=120):
        return subprocess.run([self.wine, *args], env=self.env, capture_output=True, text=True,
                              timeout=timeout)

    def start(self, *args, env=None):
        return subprocess.Popen([self.wine, *args], env=dict(self.env, **(env or {})),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_idle(self, timeout=120):
        """Waits until every process of the prefix has ended."""
        subprocess.run([self.wineserver, "-w"], env=self.env, timeout=timeout)

    def path(self, windows_path):
        """The Linux path of a path on the prefix's C: drive."""
        drive, rest = windows_path.split(":", 1)
        assert drive.upper() == "C", windows_path
        return os.path.join(self.env["WINEPREFIX"], "drive_c", *rest.strip("\\").split("\\"))

    def reg_value(self, key, name):
        """A registry value's text as `reg query` shows it, or None."""
        result = self.run("reg", "query", key, "/v", name)
        for line in result.stdout.splitlines():
            parts = line.split(None, 2)
            if len(parts) == 3 and parts[0] == name and parts[1].startswith("REG_"):
                return parts[2].strip()
        return None

    def reg_key_exists(self, key):
        return self.run("reg", "query", key).returncode == 0

    def stop(self):
        subprocess.run([self.wineserver, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-w"], env=self.env, stderr=subprocess.DEVNULL, timeout=60)
        shutil.rmtree(self.root, ignore_errors=True)
