"""The Windows program as a person meets it, seen from outside the process:
unpacked from its zip into a new wine prefix with nothing else on its PATH,
run under wine64 on Xvfb, driven with xdotool, its reading read off a
screenshot with tesseract, its browser launch caught by a fake xdg-open that
wine's winebrowser calls, its settings read from the wine registry.
Run with the packages folder and the wine64 program as arguments."""

import datetime
import glob
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop, wait_for  # noqa: E402
from wineprefix import WinePrefix  # noqa: E402

PACKAGES = WINE = None
DESKTOP = PREFIX = None
TITLE = "Orvel Biblical Numerology v1.0"
BOX_TITLE = "Orvel Biblical Numerology"
DONATE_PAGE = "http://home.quillmoor.test/donate.html"
SETTINGS_KEY = r"HKCU\Software\Orvel\OrvelFreeBiblicalNumerology\Settings"
# The result frame's place in the client area and the two labels' places in
# it, in pixels at 96 dpi, with room for the labels' own sizes.
RESULT_FRAME = (2, 32)
NUMBER_LABEL = (500, 14, 88, 36)
KEYWORD_LABEL = (140, 14, 180, 24)
CENTRAL_HEIGHT = 392


def setUpModule():
    global DESKTOP, PREFIX
    DESKTOP = Desktop().start()
    PREFIX = WinePrefix(WINE, DESKTOP.base_env()).boot()


def tearDownModule():
    if PREFIX:
        PREFIX.stop()
    if DESKTOP:
        DESKTOP.stop()


def screenshot(window_id, name):
    folder = os.environ.get("ORVEL_SCREENSHOTS") or tempfile.mkdtemp()
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    DESKTOP.run("import", "-window", window_id, path)
    return path


def ocr(shot, box, offset, digits=False):
    """The text in a box of a window screenshot, enlarged and in grey first."""
    x, y, width, height = box
    crop = shot + ".%d-%d.png" % (x, y)
    subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (width, height, x + offset[0], y + offset[1]),
                    "+repage", "-resize", "400%", "-colorspace", "Gray", "-normalize", crop], check=True)
    command = ["tesseract", crop, "stdout", "--psm", "7"]
    if digits:
        command += ["-c", "tessedit_char_whitelist=0123456789"]
    # Read without spaces: tesseract sometimes splits a word on the enlarged glyphs.
    return "".join(subprocess.run(command, capture_output=True, text=True).stdout.split())


def words_on(shot):
    """The words anywhere in a window screenshot, read at two enlargements in
    grey: short words on buttons come out at one or the other."""
    words = []
    for scale in ("200%", "400%"):
        big = "%s.words-%s.png" % (shot, scale)
        subprocess.run(["convert", shot, "-resize", scale, "-colorspace", "Gray", "-normalize", big], check=True)
        words += subprocess.run(["tesseract", big, "stdout", "--psm", "3"], capture_output=True,
                                text=True).stdout.split()
    return words


def keys(*names):
    DESKTOP.run("xdotool", "key", "--delay", "60", *names)


def window_height(window_id):
    out = DESKTOP.run("xdotool", "getwindowgeometry", window_id)
    return int(re.search(r"Geometry: \d+x(\d+)", out).group(1))


class Folder:
    """The zip unpacked, and a user's PATH with a browser stand-in first."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="program-", dir=PREFIX.root)
        archive = glob.glob(os.path.join(PACKAGES, "*.zip"))
        assert len(archive) == 1, "one zip in " + PACKAGES
        with zipfile.ZipFile(archive[0]) as z:
            z.extractall(self.root)
        found = glob.glob(os.path.join(self.root, "*", "bin", "OrvelFreeBiblicalNumerology.exe"))
        assert len(found) == 1, "the program in the zip's bin folder"
        self.exe = found[0]
        self.bin = os.path.join(self.root, "fake-bin")
        self.browser_log = os.path.join(self.root, "opened.txt")
        os.makedirs(self.bin)
        opener = os.path.join(self.bin, "xdg-open")
        with open(opener, "w") as script:
            script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.browser_log)
        os.chmod(opener, 0o755)

    def env(self):
        return {"PATH": self.bin + os.pathsep + "/usr/bin:/bin"}

    def opened(self):
        try:
            with open(self.browser_log) as log:
                return [line.strip() for line in log if line.strip()]
        except FileNotFoundError:
            return []


def windows_named(title):
    out = DESKTOP.run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title))
    return out.split()


class WineProgram(unittest.TestCase):
    def test_a_person_reads_a_name_follows_a_link_and_leaves(self):
        folder = Folder()
        started = time.monotonic()
        first = PREFIX.start(folder.exe, env=folder.env())
        main_id = wait_for("the main window", lambda: windows_named(TITLE), timeout=60)[0]
        print("window mapped %.1f s after the start under wine" % (time.monotonic() - started))
        # The first start asks nothing, and writes today's date to the registry.
        self.assertEqual(PREFIX.reg_value(SETTINGS_KEY, "Duration"), datetime.date.today().isoformat())
        DESKTOP.run("xdotool", "windowactivate", "--sync", main_id)
        time.sleep(1)
        screenshot(main_id, "wine-main.png")

        keys("a", "b", "c", "alt+g")
        offset_y = window_height(main_id) - CENTRAL_HEIGHT
        offset = (RESULT_FRAME[0], RESULT_FRAME[1] + offset_y)

        def reading():
            shot = screenshot(main_id, "wine-reading.png")
            found = (ocr(shot, NUMBER_LABEL, offset, digits=True), ocr(shot, KEYWORD_LABEL, offset))
            return found if found == ("6", "Mankind") else None

        try:
            wait_for("the reading of abc", reading, timeout=20, interval=1)
        except AssertionError:
            shot = screenshot(main_id, "wine-reading.png")
            self.fail("read off the screen: %r" % ((ocr(shot, NUMBER_LABEL, offset, digits=True),
                                                    ocr(shot, KEYWORD_LABEL, offset)),))

        # "Donate" from the Help menu, by keyboard along the menu bar; wine
        # hands the address to winebrowser, which hands it to xdg-open.
        keys("alt+h", "Right", "Return")
        wait_for("the donation page", lambda: folder.opened() == [DONATE_PAGE], timeout=30)

        # The about box, opened and closed from the keyboard.
        keys("alt+h", "a")
        about_id = wait_for("the about box", lambda: [w for w in windows_named(TITLE) if w != main_id],
                            timeout=20)[0]
        time.sleep(1)
        screenshot(about_id, "wine-about.png")
        keys("Return")
        wait_for("the about box to close", lambda: windows_named(TITLE) == [main_id], timeout=20)

        # A second copy says so and ends; the first goes on.
        second = PREFIX.start(folder.exe, env=folder.env())
        box_id = wait_for("the second copy's message", lambda: windows_named(BOX_TITLE), timeout=60)[0]
        time.sleep(1)
        screenshot(box_id, "wine-already-running.png")
        DESKTOP.run("xdotool", "windowactivate", "--sync", box_id)
        keys("Return")
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertIsNone(first.poll())

        # Closing the main window shows the exit screen; Alt+X ends the program.
        DESKTOP.run("xdotool", "windowactivate", "--sync", main_id)
        keys("alt+F4")
        exit_id = wait_for("the exit screen", lambda: [w for w in windows_named(TITLE) if w != main_id],
                           timeout=20)[0]
        time.sleep(1)
        screenshot(exit_id, "wine-exit.png")
        DESKTOP.run("xdotool", "windowactivate", "--sync", exit_id)
        keys("alt+x")
        self.assertEqual(first.wait(timeout=30), 0)
        self.assertEqual(folder.opened(), [DONATE_PAGE])

    def test_qt_buttons_speak_the_users_language(self):
        # Qt's own translations ship in the folder; a German user's update
        # reminder, shown for a date long past, answers in German.
        folder = Folder()
        PREFIX.run("reg", "add", SETTINGS_KEY, "/v", "Duration", "/d", "2000-01-01", "/f")
        program = PREFIX.start(folder.exe, env=dict(folder.env(), LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8"))
        box_id = wait_for("the update reminder", lambda: windows_named(BOX_TITLE), timeout=60)[0]
        time.sleep(1)
        words = words_on(screenshot(box_id, "wine-reminder-de.png"))
        self.assertIn("Ja", words)
        self.assertIn("Nein", words)

        # Escape answers "Nein": no page opens, and the program goes on to its window.
        DESKTOP.run("xdotool", "windowactivate", "--sync", box_id)
        keys("Escape")
        main_id = wait_for("the main window", lambda: windows_named(TITLE), timeout=60)[0]
        DESKTOP.run("xdotool", "windowactivate", "--sync", main_id)
        keys("alt+F4")
        exit_id = wait_for("the exit screen", lambda: [w for w in windows_named(TITLE) if w != main_id],
                           timeout=20)[0]
        DESKTOP.run("xdotool", "windowactivate", "--sync", exit_id)
        keys("alt+x")
        self.assertEqual(program.wait(timeout=30), 0)
        self.assertEqual(folder.opened(), [])


if __name__ == "__main__":
    PACKAGES, WINE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
