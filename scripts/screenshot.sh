#!/usr/bin/env bash
# Takes the software-centre screenshot from the running program: a reading
# for a name, in the main window on a virtual X server, written to
# packaging/screenshots/reading.png (the metainfo's screenshot).
# Usage: scripts/screenshot.sh [PROGRAM]   (default: the optimised build of scripts/run.sh in build-run/)
set -euo pipefail
cd "$(dirname "$0")/.."
out=packaging/screenshots/reading.png
name="John Smith"

scripts/install-deps.sh xvfb xdotool imagemagick
program=${1:-}
if [ -z "$program" ]; then
    cmake --preset run >/dev/null
    cmake --build --preset run
    program=build-run/src/OrvelFreeBiblicalNumerology
fi

scratch=$(mktemp -d)
mkdir -m 700 "$scratch/runtime"
display_file=$scratch/display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "${app:-}" "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$display_file")"

# A first start in a fresh home, so that no question comes before the window.
HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime LANG=C.UTF-8 \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= \
    "$program" &
app=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }

shot() { import -window "$window" png:- | md5sum; }
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool type --delay 30 "$name"
before=$(shot)
# Alt held as a person holds it, then the button's access key.
xdotool keydown alt sleep 0.1 key g sleep 0.1 keyup alt
# The reading is shown once the window has changed and stays as it is.
last=$before
for _ in $(seq 50); do
    sleep 0.2
    now=$(shot)
    [ "$now" != "$before" ] && [ "$now" = "$last" ] && break
    last=$now
done
[ "$now" != "$before" ] || { echo "no reading appeared" >&2; exit 1; }

mkdir -p "$(dirname "$out")"
# No time stamps in the file, so that an unchanged picture gives an unchanged file.
import -window "$window" -strip "$out"
echo "wrote $out: $(identify -format '%w x %h' "$out")"
