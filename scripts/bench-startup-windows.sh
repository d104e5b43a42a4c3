#!/usr/bin/env bash
# Times the Windows program's start-up under wine64 as bench-startup.sh times
# the Linux one: the same timer (a Linux program, built in build-bench)
# starts the installed program and the empty Qt window of bench/ in turn,
# each through wine64 from the same folder with the same DLLs, and takes the
# X server's map event of its main window. The wine prefix is made once, holds
# today's update date, and its wine server stays up between runs, as Windows
# does not start anew for each program. Arguments go to the timer, e.g. --runs 15.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh xvfb libxcb1-dev wine64 fonts-wine
cmake --preset bench >/dev/null
cmake --build --preset bench --target orvel_startbench

ORVEL_WINDOWS_QT=${ORVEL_WINDOWS_QT:-$(scripts/build-windows-qt.sh)}
export ORVEL_WINDOWS_QT
cmake --preset windows -DORVEL_BUILD_BENCHMARKS=ON >/dev/null
cmake --build --preset windows --target OrvelFreeBiblicalNumerology orvel_emptywindow orvel_mingw_runtime

work=$(mktemp -d /tmp/orvel-winbench-XXXXXX)
xvfb_pid=
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
wine=/usr/lib/wine/wine64
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# As the zip and the installer ship it, stripped; the empty window, stripped too, beside it.
cmake --install build-windows --prefix "$work/app" --strip >/dev/null
"$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' build-windows/CMakeCache.txt)" --strip-unneeded \
    -o "$work/app/bin/orvel_emptywindow.exe" build-windows/orvel_emptywindow.exe

# A server of its own, with no window manager, on the first free display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Orvel\OrvelFreeBiblicalNumerology\Settings' /v Duration /d "$(date +%F)" /f >/dev/null

echo "$(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $("$wine" --version), load $(cut -d' ' -f1-3 /proc/loadavg)"
timer=$PWD/build-bench/bench/orvel_startbench
cd "$work/app/bin"
"$timer" --launcher "$wine" "$@" OrvelFreeBiblicalNumerology.exe --floor orvel_emptywindow.exe
