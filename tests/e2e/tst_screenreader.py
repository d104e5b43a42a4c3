"""The program as a blind person meets it: Orca, Debian's screen reader, runs
silently in the private desktop and writes down every utterance it would
speak; the program is driven by keyboard alone, and each step is checked
against what Orca says. Run with the program's path as the only argument."""

import json
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import tty
import unittest

from desktop import Desktop, TimedOut, UserFolders, wait_for, _stop

EXECUTABLE = None
DESKTOP = None
ORCA = None

HOME_PAGE = "http://home.quillmoor.test"
COBRAND_PAGE = "http://home.quillmoor.test/co-brand.html"
FULLBRAND_PAGE = "http://home.quillmoor.test/fully-branded.html"
SUITE_PAGE = "http://home.quillmoor.test/gleamware"

# Said for the name Ruth: R 9 + U 3 + T 2 + H 8 = 22, 2 + 2 = 4.
READING = "Biblical Number 4, Creation."
MEANING = ("This is the number of God's creation. The earth has four corners and four winds blow over "
           "it. Four stands for solidity and steadfastness, for things that are firmly built, and it "
           "gives a physical, a spiritual and a logical measure.")
FORUM_LINK = ("The Most Popular Online Mystic Discussion Forum. Click Here To Visit home.quillmoor.test Now."
              " link.")
EXIT_MESSAGES = (
    "Gleamware, such as this can be created and maintained only with your support.",
    "Visit Quillmoor regularly. Support Quillmoor by taking part",
    "Quillmoor is a FREE online discussion forum for all things mystic.",
    "Quillmoor needs your help.",
)


class EndsWith:
    """An utterance that ends so, whatever comes before."""

    def __init__(self, ending):
        self.ending = ending

    def __call__(self, text):
        return text.endswith(self.ending)

    def __repr__(self):
        return "something ending in %r" % self.ending


class Orca:
    """Orca with no speech server, its debug log written to a pseudo-terminal
    (to a plain file it is block-buffered) and read line by line."""

    # An utterance; echoed keys and characters are logged with a space
    # before the voice and are left out.
    UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)?\{")

    def __init__(self, env, prefs):
        self.said = []
        self.lock = threading.Lock()
        # The terminal side stays open here too: with none open, reading ends.
        self.master, self.slave = pty.openpty()
        tty.setraw(self.slave)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        env = dict(env, SPEECHD_CMD="/bin/false", GSETTINGS_BACKEND="memory")
        # Keys are not echoed, and an item of a menu or list is read with its
        # place, as "where am I" reads it.
        os.makedirs(prefs, exist_ok=True)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as settings:
            json.dump({"general": {"enableKeyEcho": False, "enablePositionSpeaking": True},
                       "profiles": {"default": {"profile": ["Default", "default"]}},
                       "pronunciations": {}, "keybindings": {}}, settings)
        self.process = subprocess.Popen(
            ["orca", "--replace", "--user-prefs", prefs, "--debug-file", os.ttyname(self.slave)], env=env,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        self.wait_said("Screen reader on.", 0, timeout=60)

    def _read(self):
        pending = b""
        while True:
            try:
                data = os.read(self.master, 65536)
            except OSError:
                return
            if not data:
                return
            pending += data
            *lines, pending = pending.split(b"\n")
            for line in lines:
                match = self.UTTERANCE.search(line.decode("utf-8", "replace"))
                if match:
                    with self.lock:
                        self.said.append(match.group(1))

    def stop(self):
        _stop(self.process, group=True)
        os.close(self.slave)
        os.close(self.master)

    def mark(self):
        """Where the next utterance will be; pass it to since() and wait_said()."""
        with self.lock:
            return len(self.said)

    def since(self, mark):
        with self.lock:
            return self.said[mark:]

    def wait_said(self, utterance, mark, timeout=20):
        """Waits until Orca says the utterance (or one that passes it, when
        it is a test) after mark; gives everything said after mark up to it."""
        test = utterance if callable(utterance) else (lambda said: said == utterance)

        def heard():
            said = self.since(mark)
            for index, text in enumerate(said):
                if test(text):
                    return said[:index + 1]
            return None

        try:
            return wait_for("Orca to say %r" % utterance, heard, timeout)
        except TimedOut as error:
            raise TimedOut("%s; it said %r" % (error, self.since(mark))) from None


def setUpModule():
    global DESKTOP, ORCA
    DESKTOP = Desktop().start()
    folders = UserFolders(DESKTOP)
    ORCA = Orca(folders.env(DESKTOP), os.path.join(folders.root, "orca"))


def tearDownModule():
    global DESKTOP, ORCA
    if ORCA:
        ORCA.stop()
        ORCA = None
    if DESKTOP:
        DESKTOP.stop()
        DESKTOP = None


def keys(*names):
    DESKTOP.run("xdotool", "key", "--delay", "30", *names)


def alt(letter):
    """Alt held as a person holds it: a millisecond chord is sometimes seen
    as a lone Alt, which puts the focus on the menu bar."""
    DESKTOP.run("xdotool", "keydown", "alt")
    time.sleep(0.1)
    DESKTOP.run("xdotool", "key", letter)
    DESKTOP.run("xdotool", "keyup", "alt")


def type_text(text):
    DESKTOP.run("xdotool", "type", "--delay", "30", text)


class ScreenReaderTest(unittest.TestCase):
    def setUp(self):
        self.folders = UserFolders(DESKTOP)
        mark = ORCA.mark()
        self.log = open(os.path.join(self.folders.root, "program.log"), "w+")
        self.program = subprocess.Popen([EXECUTABLE], env=self.folders.env(DESKTOP),
                                        stdout=self.log, stderr=subprocess.STDOUT)
        # The main window opens with the focus in the name box.
        ORCA.wait_said("Name text.", mark, timeout=30)

    def tearDown(self):
        if self.program.poll() is None:
            self.program.kill()
        self.program.wait(timeout=10)
        self.log.seek(0)
        sys.stderr.write(self.log.read())
        self.log.close()

    def step(self, action, utterance, timeout=20):
        """Does the action and gives what Orca said up to the utterance."""
        mark = ORCA.mark()
        action()
        return ORCA.wait_said(utterance, mark, timeout)

    def wait_opened(self, count):
        return wait_for("%d pages opened" % count,
                        lambda: (lambda opened: len(opened) == count and opened)(
                            self.folders.opened_addresses()))

    def test_reading_is_spoken_once_and_tab_tells_it(self):
        type_text("Ruth")
        mark = ORCA.mark()
        alt("g")
        said = ORCA.wait_said(MEANING, mark)
        # Nothing else: the focus stayed where it was.
        self.assertEqual(said, ["notification " + READING, MEANING])

        # The focus is still in the name box; the button is the next stop.
        self.step(lambda: keys("Tab"), "Get My Biblical Numerology Reading push button.")
        said = self.step(lambda: keys("Tab"), READING)
        self.assertEqual(said, ["Orvel Biblical Numerology Results panel.", "Do It Once Again push button.",
                                READING])

        # Back into the name box, its text is read once, as selected.
        said = self.step(lambda: keys("shift+Tab", "shift+Tab"), "Ruth selected.")
        self.assertEqual(said[-2:], ["Name text.", "Ruth selected."])
        self.assertFalse([text for text in said if text.startswith("Ruth") and text != "Ruth selected."], said)

        time.sleep(1)
        self.assertEqual(sum(text.startswith("notification") for text in ORCA.since(mark)), 1,
                         "the reading is announced once")

    def test_links_read_as_links_and_open_with_enter(self):
        said = self.step(lambda: keys("shift+Tab"), EndsWith(" link."))
        self.assertTrue(said[-1].startswith(("Co-brand this software for your site.",
                                             "Home Business Opportunity.")), said)
        keys("Return")
        self.assertIn(self.wait_opened(1)[0], (COBRAND_PAGE, FULLBRAND_PAGE))

        said = self.step(lambda: keys("shift+Tab"), EndsWith(" link."))
        self.assertEqual(said[-1], FORUM_LINK)
        keys("Return")
        self.assertEqual(self.wait_opened(2)[1], HOME_PAGE)

        # The about box is read with its description and its offer; its links are no part of that.
        said = self.step(lambda: (alt("h"), keys("a")), "OK push button.")
        dialog = [text for text in said if text.startswith("Orvel Biblical Numerology v1.0 dialog ")]
        self.assertEqual(len(dialog), 1, said)
        self.assertIn("Orvel Biblical Numerology shows the correspondence between your name", dialog[0])
        self.assertIn("Get this software fully branded for your website.", dialog[0])
        self.assertNotIn("Click here", dialog[0])
        self.step(lambda: keys("Tab"), "Click here for more details link.")
        keys("Return")
        self.assertEqual(self.wait_opened(3)[2], FULLBRAND_PAGE)
        # Enter followed the link and left the box open.
        self.step(lambda: keys("Tab"), "Click here to visit http://home.quillmoor.test link.")
        keys("Return")
        self.assertEqual(self.wait_opened(4)[3], HOME_PAGE)
        # The focus goes back to the link that had it.
        self.step(lambda: keys("Escape"), FORUM_LINK)

    def test_menus_count_only_their_shown_entries(self):
        said = self.step(lambda: alt("f"), EndsWith(" of 1."))
        self.assertEqual(said[-2:], ["Exit.", "1 of 1."])
        self.step(lambda: keys("Escape"), "File.")
        # Keypad Enter is Orca's "where am I". When Orca is slow to answer,
        # Qt gives the program the key as well, which opens the menu: last.
        said = self.step(lambda: keys("KP_Enter"), EndsWith(" of 3."))
        self.assertEqual(said[-2:], ["File.", "1 of 3."])

    def test_exit_screen_reads_its_message_and_promotion(self):
        said = self.step(lambda: (alt("f"), keys("x")), "Exit push button.")
        dialog = [index for index, text in enumerate(said)
                  if text.startswith("Orvel Biblical Numerology v1.0 dialog ")]
        self.assertEqual(len(dialog), 1, said)
        message = said[dialog[0]][len("Orvel Biblical Numerology v1.0 dialog "):]
        self.assertTrue(message.startswith(EXIT_MESSAGES), message)
        self.assertTrue(said[dialog[0] + 1].startswith("If you have enjoyed this software you will surely "
                                                       "be interested in our other Gleamware."), said)

        said = self.step(lambda: keys("shift+Tab"), EndsWith(" link."))
        self.assertEqual(said[-1], "Click Here To Visit Gleamware link.")
        keys("Return")
        self.assertEqual(self.wait_opened(1), [SUITE_PAGE])
        # Not ended from here: Qt's bridge leaks the key events still waiting
        # for Orca's answer when the program ends, which fails a sanitizer
        # build. The real-window suite ends it by keyboard.


def interrupted(signum, frame):
    # Stopped from outside (a test timeout), the desktop is still taken down.
    raise KeyboardInterrupt


if __name__ == "__main__":
    EXECUTABLE = os.path.abspath(sys.argv.pop(1))
    if not shutil.which("orca"):
        sys.exit("orca is not installed: scripts/test.sh installs it")
    signal.signal(signal.SIGTERM, interrupted)
    try:
        unittest.main(verbosity=2)
    finally:
        tearDownModule()
