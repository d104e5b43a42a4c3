#!/usr/bin/env bash
# Builds a release and times a reading on a virtual X server (the clipboard
# the reading empties is the X server's), and GetNameNumber alone; then counts
# the instructions of the first reading made with the keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh xvfb libxcb1-dev valgrind xdotool
cmake --preset bench >/dev/null
cmake --build --preset bench

work=$(mktemp -d)
chmod 700 "$work"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done

echo "$(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" \
    build-bench/bench/orvel_readingbench

echo
scripts/count-instructions.sh reading
