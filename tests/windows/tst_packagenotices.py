"""What the Windows zip and installer say of the code they bundle, read from
the packages as made: the notices beside the program name the libraries
inside each DLL shipped, the Qt source and options it was built from, and
the licences; the installer's licence page is the program's own terms, then
the same notices, and never CPack's placeholder.
Run with the packages folder as argument."""

import glob
import os
import re
import subprocess
import sys
import unittest
import zipfile

PACKAGES = None
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
NOTICES = "THIRD-PARTY-NOTICES.txt"
# The third-party folders of the Qt source that each Qt DLL is built from,
# as Qt's own build compiles them into it.
QT_PARTS = {
    "Qt6Core.dll": ["zlib", "pcre2", "double-conversion", "tinycbor", "md5", "sha3", "blake2", "easing"],
    "Qt6Gui.dll": ["freetype", "harfbuzz-ng", "libpng", "md4c"],
}
# Built with this Qt, but into a plugin that is not shipped.
NOT_SHIPPED = ["libjpeg"]


def zipped(suffix):
    archive = glob.glob(os.path.join(PACKAGES, "*.zip"))
    assert len(archive) == 1, "one zip in " + PACKAGES
    with zipfile.ZipFile(archive[0]) as z:
        return {name.split("/", 1)[1]: (z.read(name) if name.endswith(suffix) else None)
                for name in z.namelist() if not name.endswith("/")}


def parts_in(notices):
    """Each third-party entry's Qt source folder, with the DLLs it names."""
    found = {}
    for block in notices.split("\n\n"):
        dlls = re.search(r"^  In: (.*)$", block, re.M)
        source = re.search(r"^  Qt source: src/3rdparty/([^/\s]+)", block, re.M)
        if dlls and source:
            found.setdefault(source.group(1), set()).update(d.strip() for d in dlls.group(1).split(","))
    return found


class PackageNotices(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.files = zipped(NOTICES)
        data = cls.files.get("bin/" + NOTICES)
        assert data, "the notices beside the program in the zip"
        cls.notices = data.decode("utf-8-sig").replace("\r\n", "\n")

    def test_every_dll_is_named_with_what_it_holds(self):
        dlls = [os.path.basename(f) for f in self.files if f.lower().endswith(".dll")]
        self.assertGreaterEqual(len(dlls), 7)
        for dll in dlls:
            self.assertRegex(self.notices, r"\n  %s: " % re.escape(dll), "the summary line of " + dll)
        parts = parts_in(self.notices)
        for dll, folders in QT_PARTS.items():
            for folder in folders:
                self.assertIn(dll, parts.get(folder, set()), "%s in %s" % (folder, dll))
        for folder in NOT_SHIPPED:
            self.assertNotIn(folder, parts)
        # The MinGW-w64 runtime: GCC's exception and the winpthreads notices.
        self.assertIn("GCC RUNTIME LIBRARY EXCEPTION", self.notices)
        self.assertRegex(self.notices, r"libstdc\+\+-6\.dll: GCC runtime library \(GPL-3\.0-or-later WITH GCC-")
        self.assertIn("Copyright: 2010 Lockless Inc.", self.notices)

    def test_qt_is_named_with_its_source_options_and_licences(self):
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "qt6-base-dev"], capture_output=True,
                                 text=True, check=True).stdout
        self.assertIn("apt-get source qt6-base=" + version, self.notices)
        with open(os.path.join(ROOT, "scripts", "build-windows-qt.sh")) as script:
            block = re.search(r"^options=\((.*?)^\)", script.read(), re.M | re.S).group(1)
        options = [word for line in block.splitlines() for word in line.split("#")[0].split()]
        self.assertGreater(len(options), 10)
        for option in options:
            self.assertIn("\n  " + option + "\n", self.notices)
        self.assertIn("GNU LESSER GENERAL PUBLIC LICENSE\n                       Version 3",
                      self.notices)
        self.assertIn("GNU GENERAL PUBLIC LICENSE\n                       Version 3", self.notices)

    def test_the_installer_licence_is_the_programs_terms_then_the_notices(self):
        scripts = glob.glob(os.path.join(PACKAGES, "_CPack_Packages", "*", "NSIS", "project.nsi"))
        self.assertEqual(len(scripts), 1)
        with open(scripts[0], encoding="utf-8", errors="replace") as f:
            page = re.search(r'^\s*!insertmacro MUI_PAGE_LICENSE "(.*)"', f.read(), re.M)
        self.assertTrue(page, "a licence page in " + scripts[0])
        with open(page.group(1), encoding="utf-8-sig") as f:
            licence = f.read()
        self.assertNotIn("No license provided", licence)
        self.assertNotIn("created using CPack", licence)
        self.assertTrue(licence.startswith("Orvel Biblical Numerology "), licence[:80])
        with open(os.path.join(ROOT, "packaging", "copyright")) as f:
            holder = re.search(r"^Copyright: (.*)$", f.read(), re.M).group(1)
        self.assertIn("Copyright " + holder, licence)
        self.assertIn("All rights reserved.", licence)
        self.assertIn(self.notices, licence)


if __name__ == "__main__":
    PACKAGES = sys.argv[1]
    unittest.main(argv=sys.argv[:1], verbosity=2)
