#!/usr/bin/env bash
# Builds a release and times start-up against an empty Qt window on a virtual
# X server: exec to the map of the main window, and resident memory once shown;
# then counts the instructions to the map and to the first frame, which unlike
# times repeat from run to run. Arguments go to the timer, e.g. --runs 40.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh xvfb libxcb1-dev valgrind
cmake --preset bench >/dev/null
cmake --build --preset bench

# A server of its own, with no window manager, on the first free display.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
display=$(head -n1 "$display_file")

echo "$(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6)"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb build-bench/bench/orvel_startbench "$@" \
    build-bench/src/OrvelFreeBiblicalNumerology --floor build-bench/bench/orvel_emptywindow

echo
scripts/count-instructions.sh startup
