"""The Windows installer under wine64, in a new prefix, in each of its modes:
for the current user by default (the user's own programs folder, Start menu
and entry under HKCU) and for every user with /AllUsers (Program Files, the
common Start menu, HKLM). A silent install gives the program, a Start-menu
shortcut, an uninstaller and an entry in the installed-programs list, each
where its mode puts them and nowhere else; a silent uninstall takes away
what its own mode put there, leaves the other mode's installation, and keeps
the user's settings. Installing by hand, the choice on the installer's page
takes it to the other mode. Wine grants every program administrator rights, so what
is tested is where each mode writes, not the elevation prompt. Run with the
packages folder and the wine64 program as arguments."""

import glob
import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop, wait_for  # noqa: E402
from wineprefix import WinePrefix  # noqa: E402

PACKAGES = WINE = None
NAME = "Orvel Biblical Numerology"
UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + NAME
VENDOR_KEY = "Software\\Quillmoor"
SETTINGS_KEY = r"HKCU\Software\Orvel\OrvelFreeBiblicalNumerology\Settings"
START_MENU = "Microsoft\\Windows\\Start Menu\\Programs\\" + NAME

# Each mode: its switches, the folder the program goes to, the registry root
# of its entry and the folder of its Start-menu shortcuts, in Windows terms.
MODES = [
    ("current user", [], "%LOCALAPPDATA%\\Programs\\" + NAME, "HKCU", "%APPDATA%\\" + START_MENU),
    ("all users", ["/AllUsers"], "%ProgramFiles%\\" + NAME, "HKLM", "%ProgramData%\\" + START_MENU),
]


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(d, f), folder) for d, _, names in os.walk(folder) for f in names)


def shortcuts(prefix):
    drive = os.path.join(prefix.env["WINEPREFIX"], "drive_c")
    return sorted(path for path in glob.glob(os.path.join(drive, "**", "*.lnk"), recursive=True)
                  if "Start Menu" in path and NAME in path)


class WineInstaller(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop().start()
        self.prefix = WinePrefix(WINE, self.desktop.base_env()).boot()
        found = glob.glob(os.path.join(PACKAGES, "*.exe"))
        self.assertEqual(len(found), 1, "one installer in " + PACKAGES)
        self.installer = found[0]
        archive = glob.glob(os.path.join(PACKAGES, "*.zip"))[0]
        self.zipped = sorted(name.split("/", 1)[1] for name in
                             subprocess.run(["unzip", "-Z1", archive], capture_output=True, text=True,
                                            check=True).stdout.split() if not name.endswith("/"))

    def tearDown(self):
        self.prefix.stop()
        self.desktop.stop()

    def expand(self, windows_path):
        """A Windows path with the prefix's environment variables filled in."""
        return self.prefix.run("cmd", "/c", "echo", windows_path).stdout.strip().strip('"')

    def modes(self):
        return [(name, switches, self.expand(folder), root, self.expand(menu))
                for name, switches, folder, root, menu in MODES]

    def check_installed(self, switches, folder, root, menu):
        folder = self.prefix.path(folder)
        installed = files_under(folder)
        # The same files as the zip, and the uninstaller.
        self.assertEqual([f for f in installed if f != "Uninstall.exe"], self.zipped)
        self.assertIn("Uninstall.exe", installed)
        menu = self.prefix.path(menu)
        self.assertEqual([os.path.basename(path) for path in shortcuts(self.prefix) if path.startswith(menu)],
                         [NAME + ".lnk", "Uninstall.lnk"], "the program's and the uninstaller's shortcuts")

        key = root + "\\" + UNINSTALL_KEY
        entry = {name: self.prefix.reg_value(key, name)
                 for name in ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "UninstallString")}
        self.assertEqual(entry["DisplayName"], NAME)
        self.assertEqual(entry["DisplayVersion"], os.environ["ORVEL_VERSION"])
        self.assertEqual(entry["Publisher"], "Quillmoor")
        self.assertEqual(self.prefix.path(entry["DisplayIcon"]),
                         os.path.join(folder, "bin", "OrvelFreeBiblicalNumerology.exe"))
        self.assertEqual(self.prefix.path(entry["UninstallString"].strip('"')), os.path.join(folder, "Uninstall.exe"))

    def check_uninstalled(self, switches, folder, root, menu):
        folder = self.prefix.path(folder)
        self.assertFalse(os.path.exists(folder), files_under(folder) if os.path.exists(folder) else "")
        menu = self.prefix.path(menu)
        self.assertEqual([path for path in shortcuts(self.prefix) if path.startswith(menu)], [])
        self.assertFalse(self.prefix.reg_key_exists(root + "\\" + UNINSTALL_KEY))
        self.assertFalse(self.prefix.reg_key_exists(root + "\\" + VENDOR_KEY))

    def test_silent_install_and_uninstall_in_each_mode(self):
        modes = self.modes()
        # Each mode installs beside the other, and writes only where it should.
        for index, (name, *mode) in enumerate(modes):
            with self.subTest(install=name):
                result = self.prefix.run(self.installer, "/S", *mode[0], timeout=300)
                self.assertEqual(result.returncode, 0)
                self.prefix.wait_idle()
                self.check_installed(*mode)
                for _, *other in modes[index + 1:]:
                    self.check_uninstalled(*other)

        # The user's settings, as the program writes them, outlive the uninstalls.
        self.prefix.run("reg", "add", SETTINGS_KEY, "/v", "Duration", "/d", "2026-01-02", "/f")
        for index, (name, *mode) in enumerate(modes):
            with self.subTest(uninstall=name):
                uninstaller = mode[1] + "\\Uninstall.exe"
                self.assertEqual(self.prefix.run(uninstaller, "/S", timeout=300).returncode, 0)
                # The uninstaller runs on from a copy of itself; wait for it to end.
                self.prefix.wait_idle()
                self.check_uninstalled(*mode)
                for _, *other in modes[index + 1:]:
                    self.check_installed(*other)
        self.assertEqual(shortcuts(self.prefix), [])
        self.assertEqual(self.prefix.reg_value(SETTINGS_KEY, "Duration"), "2026-01-02")

    def page_text(self, window):
        """The installer window's text, read with tesseract off a screenshot."""
        shot = os.path.join(self.shots, "page.png")
        self.desktop.run("import", "-window", window, shot)
        subprocess.run(["convert", shot, "-resize", "200%", "-colorspace", "Gray", shot], check=True)
        return " ".join(subprocess.run(["tesseract", shot, "stdout"], capture_output=True, text=True).stdout.split())

    def test_everyone_chosen_on_the_page(self):
        self.shots = tempfile.mkdtemp(dir=self.prefix.root)
        (_, *only_me), (_, *everyone) = self.modes()
        process = self.prefix.start(self.installer)
        window = wait_for("the installer's window", lambda: self.desktop.run(
            "xdotool", "search", "--onlyvisible", "--name", "^%s Setup$" % NAME).split(), timeout=60)[0]
        # Each page's default button until the last; on the users page, everyone.
        chosen = False
        for _ in range(12):
            time.sleep(1.5)
            text = self.page_text(window)
            if "Choose Users" in text:
                self.desktop.run("xdotool", "key", "--window", window, "alt+e")
                chosen = True
            elif "Completing" in text or "has been installed" in text:
                self.desktop.run("xdotool", "key", "--window", window, "Return")
                break
            self.desktop.run("xdotool", "key", "--window", window, "Return")
        self.assertTrue(chosen, "the users page was shown")
        process.wait(timeout=60)
        self.prefix.wait_idle()
        self.check_installed(*everyone)
        self.check_uninstalled(*only_me)


if __name__ == "__main__":
    PACKAGES, WINE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
