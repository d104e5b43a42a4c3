"""The Windows installer under wine64, in a new prefix: a silent install
gives the program, a Start-menu shortcut, an uninstaller and an entry in the
installed-programs list; the silent uninstall takes away every file it put
there and leaves the user's settings. Run with the packages folder and the
wine64 program as arguments."""

import glob
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop  # noqa: E402
from wineprefix import WinePrefix  # noqa: E402

PACKAGES = WINE = None
NAME = "Orvel Biblical Numerology"
INSTALL_DIR = "C:\\Program Files\\" + NAME
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + NAME
SETTINGS_KEY = r"HKCU\Software\Orvel\OrvelFreeBiblicalNumerology\Settings"


def files_under(folder):
    return sorted(os.path.relpath(os.path.join(d, f), folder) for d, _, names in os.walk(folder) for f in names)


def shortcuts(prefix):
    drive = os.path.join(prefix.env["WINEPREFIX"], "drive_c")
    return [path for path in glob.glob(os.path.join(drive, "**", "*.lnk"), recursive=True)
            if "Start Menu" in path and NAME in path]


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

    def test_silent_install_and_uninstall(self):
        self.assertEqual(self.prefix.run(self.installer, "/S", timeout=300).returncode, 0)
        self.prefix.wait_idle()
        folder = self.prefix.path(INSTALL_DIR)
        installed = files_under(folder)
        # The same files as the zip, and the uninstaller.
        self.assertEqual([f for f in installed if f != "Uninstall.exe"], self.zipped)
        self.assertIn("Uninstall.exe", installed)
        self.assertEqual(len(shortcuts(self.prefix)), 2, "the program's and the uninstaller's shortcuts")

        entry = {name: self.prefix.reg_value(UNINSTALL_KEY, name)
                 for name in ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "UninstallString")}
        self.assertEqual(entry["DisplayName"], NAME)
        self.assertEqual(entry["DisplayVersion"], os.environ["ORVEL_VERSION"])
        self.assertEqual(entry["Publisher"], "Quillmoor")
        self.assertTrue(entry["DisplayIcon"].endswith("\\bin\\OrvelFreeBiblicalNumerology.exe"), entry["DisplayIcon"])
        self.assertTrue(entry["UninstallString"].strip('"').endswith("\\Uninstall.exe"), entry["UninstallString"])

        # The user's settings, as the program writes them, outlive the uninstall.
        self.prefix.run("reg", "add", SETTINGS_KEY, "/v", "Duration", "/d", "2026-01-02", "/f")
        self.assertEqual(self.prefix.run(INSTALL_DIR + "\\Uninstall.exe", "/S", timeout=300).returncode, 0)
        # The uninstaller runs on from a copy of itself; wait for it to end.
        self.prefix.wait_idle()
        self.assertFalse(os.path.exists(folder), files_under(folder) if os.path.exists(folder) else "")
        self.assertEqual(shortcuts(self.prefix), [])
        self.assertFalse(self.prefix.reg_key_exists(UNINSTALL_KEY))
        self.assertEqual(self.prefix.reg_value(SETTINGS_KEY, "Duration"), "2026-01-02")


if __name__ == "__main__":
    PACKAGES, WINE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
