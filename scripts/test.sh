#!/usr/bin/env bash
# Sets up, builds with warnings as errors, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "scripts/test.sh: on a fresh Debian 12 with 2 cores this takes 20 to 40 minutes, plus 15 to 45 for the Windows"
echo "Qt the first time, about 7 GB of disk, and installs about 800 packages. A line starting with == names each"
echo "stage as it begins."
stage() { echo "== $*"; }

test_packages=(
    # the browser launch on a virtual X server; the package checks, with the
    # window's identity on X11 and on a headless Wayland compositor
    xvfb xauth desktop-file-utils appstream appstream-compose dpkg-dev file lintian weston qt6-wayland
    # the Windows program: MinGW-w64 (scripts/build-windows-qt.sh installs it
    # with Qt's source), wine64 for its suites, NSIS for its installer, and
    # tesseract, ImageMagick and unzip to read the program off its screen
    wine64 fonts-wine nsis tesseract-ocr imagemagick unzip
    osslsigncode openssl  # the Windows packages signed with a certificate made on the spot
    e2fsprogs  # chattr, for the fault that makes the runtime folder read-only for every user
    clang libclang-rt-14-dev  # the fuzz targets: clang with libFuzzer and its sanitizers
    openbox xdotool x11-utils dbus-daemon at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0  # the real-window suite
    orca  # the screen-reader test, in the same desktop
    clang-tidy clang-format git  # scripts/lint.sh; the format check lists the files git tracks
    valgrind libxcb1-dev  # the start-up cost in instructions, against the empty window of bench/
)
stage "installing the packages that are missing"
scripts/install-deps.sh "${test_packages[@]}"
stage "building with warnings as errors and running every test (build-dev/)"
# The everyday preset; the package is checked once, below, from an optimised build.
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev

# clang-tidy over the program's sources (.clang-tidy), on build-dev's compile
# commands, and clang-format's verdict on every C++ file (.clang-format).
stage "clang-tidy and clang-format"
scripts/lint.sh

# The Debian package from an optimised build, as a packager makes it: lintian,
# appstreamcli, the window's identity and the hardening (build-package).
stage "the Debian package (build-package/)"
cmake --preset package >/dev/null
cmake --build --preset package
ctest --preset package

# Start-up cost: the first frame may take at most 1.225 times the instructions
# of an empty Qt window's (release build in build-bench; instructions, unlike
# times, repeat from run to run on a shared machine). Drawing the window's own
# texts in its own fonts takes about 1.18 times even with plain labels; what
# start-up adds on top of that is what this catches.
stage "the start-up cost in instructions (build-bench/)"
cmake --preset bench >/dev/null
cmake --build --preset bench --target OrvelFreeBiblicalNumerology orvel_emptywindow
scripts/count-instructions.sh startup --max-frame-ratio 1.225

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included (CMakePresets.json; build-asan). The screen-reader test is
# left out there: under the sanitizers Orca gives up waiting on the slowed
# program's key replies, and the Debug run above already covers it.
stage "every test again under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Each fuzz target for a bounded time from its seeds in fuzz/corpus/, built
# with clang and libFuzzer (build-fuzz). A crash input it finds is left in
# build-fuzz/fuzz/crashes/; keep it in fuzz/regressions/<target>/.
stage "fuzzing each target from its seeds (build-fuzz/)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

# The Windows program: a Qt for Windows built once from Debian's own source
# into a cache outside the clone (scripts/build-windows-qt.sh: about 15 to 45
# minutes the first time, seconds after that), the program and its suites
# cross-built with MinGW-w64 against it (build-windows), the suites run under
# wine64 on a virtual X server, the zip and the installer made, and the
# program tried from them under wine as a person uses it.
stage "Qt for Windows, built once into ${XDG_CACHE_HOME:-$HOME/.cache}/orvel"
ORVEL_WINDOWS_QT=$(scripts/build-windows-qt.sh)
export ORVEL_WINDOWS_QT
stage "the Windows program and its suites under wine64 (build-windows/)"
cmake --preset windows -DORVEL_BUILD_BENCHMARKS=ON >/dev/null  # the benchmarks too, so that they keep building for Windows
cmake --build --preset windows
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
