#!/usr/bin/env bash
# Counts the instructions that start-up and a reading take, with valgrind's
# callgrind on the main thread from the first instruction of the dynamic
# loader. Counts repeat within a fraction of a percent, where times on a
# shared machine move by several. Each run has a private X server without a
# window manager and a fresh home holding today's update date, so that no
# question is asked.
#
#   scripts/count-instructions.sh startup [--max-frame-ratio R]
#       to the main window mapped and to its first frame drawn, the program
#       against the empty window; with R, fails when the first-frame ratio passes R
#   scripts/count-instructions.sh reading
#       the first reading and a later one: from the key that presses the button to the
#       result drawn
#
# Runs the release build in build-bench (scripts/bench-startup.sh makes it), or
# the one named by ORVEL_BENCH_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ORVEL_BENCH_BUILD:-build-bench}
program=$build/src/OrvelFreeBiblicalNumerology
floor=$build/bench/orvel_emptywindow
mode=${1:-}
shift || true
max_ratio=
while [ $# -gt 0 ]; do
    case $1 in
        --max-frame-ratio) max_ratio=$2; shift 2 ;;
        *) echo "usage: $0 startup [--max-frame-ratio R] | reading" >&2; exit 2 ;;
    esac
done
case $mode in
    startup|reading) ;;
    *) echo "usage: $0 startup [--max-frame-ratio R] | reading" >&2; exit 2 ;;
esac
for binary in "$program" "$floor"; do
    [ -x "$binary" ] || { echo "$0: $binary is missing: build $build first" >&2; exit 2; }
done

work=$(mktemp -d)
chmod 700 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 2' INT TERM

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "$0: Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER WAYLAND_DISPLAY

# The main thread's dumps of a run, in order: thread 1 writes NAME.N-01.
dumps() { ls "$1" 2>/dev/null | grep -E '^cg\.out\.[0-9]+-01$' | sort -t. -k3n | sed "s|^|$1/|"; }
# A dump is whole once its totals are written.
complete() { grep -q '^totals:' "$1" 2>/dev/null; }
trigger() { sed -n 's/^desc: Trigger: //p' "$1"; }
count() { sed -n 's/^summary: //p' "$1"; }

# Starts one program under callgrind with a fresh home; its dumps go to $run.
# Sets $run and $run_pid.
start() {
    local binary=$1; shift
    run=$(mktemp -d "$work/run-XXXXXX")
    mkdir -p "$run/home/.config/Orvel" "$run/home/runtime"
    chmod 700 "$run/home/runtime"
    printf '[Settings]\nDuration=%s\n' "$(date +%F)" >"$run/home/.config/Orvel/OrvelFreeBiblicalNumerology.conf"
    HOME="$run/home" XDG_CONFIG_HOME="$run/home/.config" XDG_RUNTIME_DIR="$run/home/runtime" \
        XDG_CACHE_HOME="$work/cache" \
        valgrind --tool=callgrind --separate-threads=yes "$@" --callgrind-out-file="$run/cg.out" \
        "$binary" >"$run/log" 2>&1 &
    run_pid=$!
    pids+=("$run_pid")
}

stop() {
    kill "$run_pid" 2>/dev/null || true
    wait "$run_pid" 2>/dev/null || true
}

# Waits until the main thread has dumped once after the window was mapped and
# once more after its first frame was flushed.
wait_first_frame() {
    for _ in $(seq 1200); do
        local mapped=
        for dump in $(dumps "$run"); do
            complete "$dump" || break
            case $(trigger "$dump") in
                *QXcbWindow::show*) mapped=yes ;;
                *QBackingStore::flush*) [ -n "$mapped" ] && return 0 ;;
            esac
        done
        kill -0 "$run_pid" 2>/dev/null || { echo "$0: the program ended early:" >&2; cat "$run/log" >&2; exit 2; }
        sleep 0.1
    done
    echo "$0: no first frame within two minutes" >&2
    exit 2
}

# Sets $mapped_at and $drawn_at: the instructions to the map and to the first frame.
count_startup() {
    local binary=$1 total=0
    mapped_at=
    start "$binary" --dump-after='QXcbWindow::show()' --dump-after='QBackingStore::flush*'
    wait_first_frame
    stop
    for dump in $(dumps "$run"); do
        total=$((total + $(count "$dump")))
        case $(trigger "$dump") in
            *QXcbWindow::show*) mapped_at=$total ;;
            *QBackingStore::flush*) [ -n "$mapped_at" ] && break ;;
        esac
    done
    drawn_at=$total
}

mega() { awk -v n="$1" 'BEGIN { printf "%.2f M", n / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3fx", a / b }'; }

if [ "$mode" = startup ]; then
    count_startup "$floor"
    floor_map=$mapped_at floor_frame=$drawn_at
    count_startup "$program"
    program_map=$mapped_at program_frame=$drawn_at
    echo "Instructions on the main thread (valgrind --tool=callgrind), release build"
    printf '%-28s %14s %14s %8s\n' "" "empty window" "program" "ratio"
    printf '%-28s %14s %14s %8s\n' "to the window mapped" "$(mega "$floor_map")" "$(mega "$program_map")" \
        "$(ratio "$program_map" "$floor_map")"
    printf '%-28s %14s %14s %8s\n' "to the first frame drawn" "$(mega "$floor_frame")" "$(mega "$program_frame")" \
        "$(ratio "$program_frame" "$floor_frame")"
    if [ -n "$max_ratio" ] \
        && awk -v a="$program_frame" -v b="$floor_frame" -v m="$max_ratio" 'BEGIN { exit !(a > b * m) }'; then
        echo "FAIL: the first frame takes more than ${max_ratio}x the empty window's instructions" >&2
        exit 1
    fi
    exit 0
fi

# Waits until the program has rested for two seconds: no new dump, or none
# whose trigger matches $1.
settle() {
    local last=-1 now
    for _ in $(seq 120); do
        now=$(for dump in $(dumps "$run"); do head -n 20 "$dump" | sed -n 's/^desc: Trigger: //p'; done \
            | grep -c -- "${1:-.}" || true)
        [ "$now" = "$last" ] && return 0
        last=$now
        sleep 2
    done
    echo "$0: the program did not come to rest" >&2
    exit 2
}

# A reading as a person makes it: the name typed into the box, Tab to the
# button and Space.
read_name() {
    xdotool type --delay 200 "$1"
    # The name box's cursor blinks: only the keys tell when typing is done.
    settle processKeyEvent
    xdotool key Tab
    settle
    xdotool key space
    settle
}

# The instructions of the reading among the first $1 dumps: from a dump just
# before the last key event (Space up, which clicks) through every frame
# after it, the button drawn released, then the result.
reading_count() {
    local reading= drawn= index=0
    for dump in $(dumps "$run"); do
        index=$((index + 1))
        [ "$index" -gt "$1" ] && break
        case $(trigger "$dump") in
            *processKeyEvent*) reading=0 drawn= ;;
            *) if [ -n "$reading" ]; then
                   reading=$((reading + $(count "$dump")))
                   case $(trigger "$dump") in *QBackingStore::flush*) drawn=$reading ;; esac
               fi ;;
        esac
    done
    [ -n "$drawn" ] || { echo "$0: the reading was not seen" >&2; exit 2; }
    echo "$drawn"
}

start "$program" --dump-after='QXcbWindow::show()' --dump-after='QBackingStore::flush*' \
    --dump-before='QGuiApplicationPrivate::processKeyEvent*'
wait_first_frame
window=$(xdotool search --sync --onlyvisible --pid "$run_pid" --name 'Orvel Biblical Numerology')
xdotool windowfocus --sync "$window"
read_name 'John Smith'
first=$(dumps "$run" | wc -l)
# Back to the input screen by its button, the next stop after the hidden one,
# and a second name whose reading shows other texts.
xdotool key Tab space
settle processKeyEvent
read_name 'Mary Jones'
later=$(dumps "$run" | wc -l)
stop
echo "Instructions on the main thread (valgrind --tool=callgrind), release build"
printf '%-48s %10s\n' "the first reading, key to the result drawn" "$(mega "$(reading_count "$first")")"
printf '%-48s %10s\n' "a later reading, key to the result drawn" "$(mega "$(reading_count "$later")")"
