"""The program as a person meets it: a real X server and window manager, real
keys and mouse clicks through xdotool, and what a screen reader reads through
the accessibility tree. Run with the program's path as the only argument."""

import datetime
import os
import signal
import subprocess
import sys
import unittest
import urllib.parse

from desktop import Desktop, TimedOut, UserFolders, wait_for

EXECUTABLE = None
DESKTOP = None
pyatspi = None

DONATE_PAGE = "http://home.quillmoor.test/donate.html"
DOWNLOAD_PAGE = "http://www.orvel-numerology.test/download-orvel-free-biblical-numerology.html"


def setUpModule():
    global DESKTOP, pyatspi
    DESKTOP = Desktop().start()
    # The accessibility client must find the same session bus as the program.
    os.environ.update(DESKTOP.env)
    import pyatspi as atspi
    pyatspi = atspi


def tearDownModule():
    global DESKTOP
    if DESKTOP:
        DESKTOP.stop()
        DESKTOP = None


def walk(node):
    try:
        children = list(node)
    except Exception:
        return
    for child in children:
        if child is None:
            continue
        yield child
        yield from walk(child)


def role_of(node):
    try:
        return node.getRoleName()
    except Exception:
        return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


class Program:
    """One run of the program, seen from outside: its process, its X windows
    and its accessibility tree."""

    def __init__(self, folders):
        self.folders = folders
        self.log = open(os.path.join(folders.root, "program-%d.log" % id(self)), "w+")
        self.process = subprocess.Popen([EXECUTABLE], env=folders.env(DESKTOP),
                                        stdout=self.log, stderr=subprocess.STDOUT)

    def stop(self):
        """Ends the process if it still runs and gives back what it printed."""
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
        self.log.seek(0)
        output = self.log.read()
        self.log.close()
        return output

    def application(self):
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    # Names and children change under us; read them afresh.
                    app.clear_cache()
                    return app
            except Exception:
                continue
        return None

    def windows(self):
        app = self.application()
        return [w for w in (app or []) if w is not None and showing(w)]

    def window_with(self, role, name):
        """A shown top-level window that holds a control of that role and name."""
        for window in self.windows():
            if find(window, role, name):
                return window
        return None

    def wait_window_with(self, role, name, timeout=20):
        return wait_for("a window with %s %r" % (role, name),
                        lambda: self.window_with(role, name), timeout)

    def main_window(self):
        return self.window_with("menu bar", None)

    def exit_screen(self):
        return self.window_with("push button", "Refer A Friend Now")

    def message_box(self, text):
        for window in self.windows():
            if find(window, "label", lambda name: text in name):
                return window
        return None

    def wait_message_box(self, text):
        return wait_for("the message %r" % text, lambda: self.message_box(text))

    def x_windows(self):
        # The program's own windows carry its caption; message boxes carry the bare title.
        out = DESKTOP.run("xdotool", "search", "--all", "--onlyvisible", "--pid",
                          str(self.process.pid), "--name", "^Orvel Biblical Numerology v1\\.0$")
        return out.split()

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TimedOut("the program did not end")


def find(root, role, name):
    """The first descendant of that role whose name equals name (or passes it,
    when name is a test); name None takes any."""
    for node in walk(root):
        if role_of(node) != role:
            continue
        if name is None:
            return node
        try:
            actual = node.name
        except Exception:
            continue
        if (name(actual) if callable(name) else actual == name):
            return node
    return None


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def centre_of(node):
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


def click(node):
    # A window just mapped may still be moved by the window manager.
    last = [None]

    def settled():
        now = centre_of(node)
        same, last[0] = now == last[0], now
        return now if same else None

    x, y = wait_for("the control to settle", settled)
    DESKTOP.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")


def keys(*names):
    DESKTOP.run("xdotool", "key", "--delay", "30", *names)


def type_text(text):
    DESKTOP.run("xdotool", "type", "--delay", "30", text)


def activate_window_of(program):
    """Gives the keyboard to the program's newest visible window."""
    ids = wait_for("an X window", program.x_windows)
    DESKTOP.run("xdotool", "windowactivate", "--sync", ids[-1])
    return ids[-1]


def frame_of(window_id):
    """The rectangle of a window with the frame that the window manager drew around it."""
    info = DESKTOP.run("xwininfo", "-id", window_id)
    values = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    extents = DESKTOP.run("xprop", "-id", window_id, "_NET_FRAME_EXTENTS")
    left, right, top, bottom = (int(v) for v in extents.split("=", 1)[1].split(","))
    return (int(values["Absolute upper-left X"]) - left, int(values["Absolute upper-left Y"]) - top,
            int(values["Width"]) + left + right, int(values["Height"]) + top + bottom)


def frame_centred(window_id):
    """Whether the framed window stands in the middle of the work area, give or take the odd pixel."""
    work = DESKTOP.run("xprop", "-root", "_NET_WORKAREA").split("=", 1)[1].split(",")[:4]
    area_x, area_y, area_width, area_height = (int(v) for v in work)
    try:
        x, y, width, height = frame_of(window_id)
    except (ValueError, IndexError, KeyError):
        return False  # not framed yet
    return (abs(2 * (x - area_x) + width - area_width) <= 1
            and abs(2 * (y - area_y) + height - area_height) <= 1)


def wait_centred(window_id, what):
    wait_for(what + " to stand centred, frame and all", lambda: frame_centred(window_id), timeout=5)


def wait_text(node, expected, what):
    wait_for("%s to read %r" % (what, expected), lambda: text_of(node) == expected)


class RealWindowTest(unittest.TestCase):
    def setUp(self):
        self.folders = UserFolders(DESKTOP)
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            # Qt's own warnings, if any, help to read a failure.
            sys.stderr.write(program.stop())

    def start(self, stored_date=None):
        if stored_date is not None:
            self.folders.write_stored_date(stored_date)
        program = Program(self.folders)
        self.programs.append(program)
        return program

    def start_to_main_window(self):
        program = self.start()
        window = wait_for("the main window", program.main_window)
        activate_window_of(program)
        return program, window

    def test_first_start_reads_a_name_and_refuses_other_characters(self):
        program = self.start()
        window = wait_for("the main window", program.main_window)
        self.assertEqual(len(program.windows()), 1, "no question comes before the main window")
        self.assertEqual(self.folders.stored_date(), datetime.date.today().isoformat())
        activate_window_of(program)

        name = find(window, "text", "Name")
        self.assertIsNotNone(name, "the name box is found by its caption")
        self.assertTrue(name.getState().contains(pyatspi.STATE_FOCUSED))
        type_text("abc")
        wait_text(name, "abc", "the name box")
        keys("alt+g")
        number = wait_for("the number", lambda: find(window, "label", "6"))
        self.assertEqual(number.description, "Biblical Number")
        keyword = find(window, "label", lambda n: n == "Mankind")
        self.assertIsNotNone(keyword)
        self.assertEqual(keyword.description, "Biblical Keywords")

        keys("alt+d")
        wait_text(name, "", "the name box after Do It Once Again")
        type_text("Eve")
        wait_text(name, "Eve", "the name box")
        for key, close in (("1", lambda box: keys("Return")),
                           ("Return", lambda box: click(find(box, "push button", "OK")))):
            with self.subTest(key=key):
                keys(key)
                box = program.wait_message_box("Name Can Accept Text Only")
                self.assertEqual(box.name, "Orvel Biblical Numerology")
                close(box)
                wait_for("the message to close",
                         lambda: not program.message_box("Name Can Accept Text Only"))
                self.assertEqual(text_of(name), "Eve")
        # Enter started no reading: the number is still that of abc.
        self.assertIsNotNone(find(window, "label", "6"))
        keys("alt+d")
        wait_text(name, "", "the name box after Do It Once Again")
        self.assertTrue(find(window, "text", "Name").getState().contains(pyatspi.STATE_FOCUSED))

        # "Donate" shares its access key with the button; it is reached along the menu bar.
        keys("alt+h", "Right", "Return")
        wait_for("the donation page", lambda: self.folders.opened_addresses() == [DONATE_PAGE])

        # Ended from the keyboard alone: File, Exit, then the exit screen's close by the window manager.
        keys("alt+f", "x")
        wait_for("the exit screen", program.exit_screen)
        activate_window_of(program)
        keys("alt+F4")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(self.folders.opened_addresses(), [DONATE_PAGE])

    def test_about_box_is_modal(self):
        program, window = self.start_to_main_window()
        main_id = program.x_windows()[0]
        wait_centred(main_id, "the main window")
        name = find(window, "text", "Name")
        keys("alt+h", "a")
        about = program.wait_window_with("push button", "OK")
        about_id = wait_for("the about box's X window",
                            lambda: [w for w in program.x_windows() if w != main_id])[0]
        wait_centred(about_id, "the about box")
        self.assertIsNotNone(find(about, "image", "Program icon"))
        self.assertIsNotNone(find(about, "link", "Click here for more details"))

        # A click and keys aimed at the main window go nowhere while the box is open.
        click(name)
        type_text("xyz")
        keys("alt+f")
        keys("Escape")
        wait_for("the about box to close", lambda: not program.window_with("push button", "OK"))
        self.assertEqual(text_of(name), "")
        self.assertFalse(any(showing(menu) for menu in walk(window) if role_of(menu) == "popup menu"))
        # Once it is closed the main window takes the keyboard again.
        type_text("Ada")
        wait_text(name, "Ada", "the name box")

    def test_second_start_is_refused_and_the_first_keeps_its_name(self):
        first, window = self.start_to_main_window()
        name = find(window, "text", "Name")
        type_text("Ruth")
        wait_text(name, "Ruth", "the name box")
        stored = self.folders.stored_date()

        second = self.start()
        box = second.wait_message_box("Application is already running")
        self.assertEqual(box.name, "Orvel Biblical Numerology")
        self.assertIsNone(second.main_window())
        click(find(box, "push button", "OK"))
        self.assertEqual(second.wait_exit(), 0)
        wait_for("no window of the second copy", lambda: not second.x_windows())

        self.assertIsNone(first.process.poll())
        self.assertEqual(text_of(find(first.main_window(), "text", "Name")), "Ruth")
        self.assertEqual(self.folders.stored_date(), stored)

    def test_old_stored_date_asks_before_the_main_window(self):
        today = datetime.date.today()
        program = self.start(stored_date=(today - datetime.timedelta(days=15)).isoformat())
        question = program.wait_message_box("There maybe an update to this software available")
        self.assertIsNone(program.main_window())
        self.assertEqual(len(program.x_windows()), 0, "only the question is on screen")
        click(find(question, "push button", "Yes"))
        wait_for("the download page", lambda: self.folders.opened_addresses() == [DOWNLOAD_PAGE])
        wait_for("the main window", program.main_window)
        self.assertEqual(self.folders.stored_date(), today.isoformat())

    def test_closing_hands_over_to_the_exit_screen_which_refers_and_exits(self):
        program, window = self.start_to_main_window()
        main_id = program.x_windows()[0]
        self.click_close_box(main_id)
        screen = wait_for("the exit screen", program.exit_screen)
        wait_for("the main window to go", lambda: program.main_window() is None)
        screen_id = wait_for("one X window", lambda: (lambda ids: len(ids) == 1 and ids)(
            program.x_windows()))[0]
        wait_centred(screen_id, "the exit screen")

        # Another program's window, even activated, stays below the exit screen.
        other = subprocess.Popen(["xmessage", "-center", "another program"], env=DESKTOP.base_env())
        try:
            other_id = wait_for("the other window", lambda: DESKTOP.run(
                "xdotool", "search", "--onlyvisible", "--class", "Xmessage").split())[0]
            DESKTOP.run("xdotool", "windowactivate", "--sync", other_id)
            stacking = DESKTOP.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
            order = [int(w, 16) for w in stacking.split("#", 1)[1].replace(",", " ").split()]
            self.assertGreater(order.index(int(screen_id)), order.index(int(other_id)))
            self.assertIn("_NET_WM_STATE_ABOVE",
                          DESKTOP.run("xprop", "-id", screen_id, "_NET_WM_STATE"))
        finally:
            other.terminate()
            other.wait(timeout=10)

        DESKTOP.run("xdotool", "windowactivate", "--sync", screen_id)
        click(find(screen, "text", "Your Name"))
        type_text("Ann Lee")
        self.fill_by_tab(["Tab", "Tab"], "Your Email Address", "ann@example.org", screen)
        self.fill_by_tab(["Tab"], "Friend's Email Address", "bo@example.org", screen)
        self.fill_by_tab(["Tab"], "Friend's Name", "Bo Lee", screen)
        keys("alt+n")
        wait_for("the referral", self.folders.opened_addresses)

        keys("alt+x")
        self.assertEqual(program.wait_exit(), 0)
        wait_for("no window left", lambda: not DESKTOP.run(
            "xdotool", "search", "--onlyvisible", "--name", "Orvel").split())
        opened = self.folders.opened_addresses()
        self.assertEqual(len(opened), 1, opened)
        address = urllib.parse.urlsplit(opened[0])
        self.assertEqual(address.path, "/orvelkit-refer-a-friend.php")
        query = dict(urllib.parse.parse_qsl(address.query, keep_blank_values=True))
        self.assertEqual(query, {"taf1": "Ann Lee", "taf2": "ann@example.org",
                                 "taf3": "Your Message\r\n", "taf4": "Bo Lee",
                                 "taf5": "bo@example.org",
                                 "taf6": "http://www.orvel-numerology.test/"})

    def fill_by_tab(self, tabs, box_name, text, screen):
        keys(*tabs)
        box = find(screen, "text", box_name)
        wait_for(box_name + " to take the focus",
                 lambda: box.getState().contains(pyatspi.STATE_FOCUSED) and text_of(box) == "")
        type_text(text)
        wait_text(box, text, box_name)

    def click_close_box(self, window_id):
        """Clicks the close button that the window manager draws at the right
        end of the title bar."""
        geometry = DESKTOP.run("xwininfo", "-id", window_id)
        values = dict(line.strip().split(":", 1) for line in geometry.splitlines() if ":" in line)
        left = int(values["Absolute upper-left X"])
        top = int(values["Absolute upper-left Y"])
        width = int(values["Width"])
        extents = DESKTOP.run("xprop", "-id", window_id, "_NET_FRAME_EXTENTS")
        _, frame_right, frame_top, _ = (int(v) for v in extents.split("=", 1)[1].split(","))
        x = left + width + frame_right - 10
        y = top - frame_top // 2
        DESKTOP.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")


def interrupted(signum, frame):
    # Stopped from outside (a test timeout), the desktop is still taken down.
    raise KeyboardInterrupt


if __name__ == "__main__":
    EXECUTABLE = os.path.abspath(sys.argv.pop(1))
    signal.signal(signal.SIGTERM, interrupted)
    try:
        # pyatspi still calls the interface getters that its own library deprecates.
        unittest.main(verbosity=2, warnings="ignore")
    finally:
        tearDownModule()
