#!/usr/bin/env bash
# Installs the build into a scratch folder and builds the Debian package, then
# checks them as a desktop, a software centre and a Debian packager would: the
# files where a desktop looks for them, the icon in every size, the running
# window's identity on X11 and Wayland, lintian, the catalogue that
# appstreamcli composes, and the hardening of the program in the package.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
id=test.quillmoor.OrvelBiblicalNumerology
exe=OrvelFreeBiblicalNumerology
doc=share/doc/orvel-biblical-numerology
# The sizes a desktop and a software centre look for; a catalogue needs 64 px at least.
icon_sizes="16x16 24x24 32x32 48x48 64x64 128x128 256x256"
# The window carries the sizes up to 128; larger ones come from the installed set.
window_icon_set="16x16 24x24 32x32 48x48 64x64 128x128"

fail() {
    echo "$*" >&2
    exit 1
}

# Width x height from a PNG's header.
png_size() {
    od -An -j16 -N8 -tu1 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

# The sizes in a window's _NET_WM_ICON: width, height, then width x height pixels, repeated.
window_icon_sizes() {
    xprop -id "$1" -notype 32c _NET_WM_ICON | tr -d ',' | awk '{
        for (i = 3; i + 1 <= NF; i += 2 + $i * $(i + 1)) printf "%s%dx%d", (i > 3 ? " " : ""), $i, $(i + 1)
    }'
}

# A fresh home for one run of the program, so that no question comes before its window.
user_env() {
    local home=$scratch/home-$1
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    # A session bus address that fails at once: libdbus would start one of its own otherwise.
    echo HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
         DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent QT_QPA_PLATFORMTHEME=
}

wait_until() {
    local what=$1
    shift
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

# Run by xvfb-run: the program's main window on X11, its WM_CLASS and icon sizes.
if [ "${1:-}" = --x11-identity ]; then
    program=$2
    scratch=$3
    env $(user_env x11) QT_QPA_PLATFORM=xcb "$program" &
    pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    window=
    find_window() { window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    wait_until "the main window on X11" find_window
    xprop -id "$window" WM_CLASS | sed 's/^WM_CLASS(STRING) = //'
    window_icon_sizes "$window"
    echo
    exit 0
fi

build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
cleanup() {
    # The program and the compositor started below, should a check have failed while they ran.
    jobs -p | xargs -r kill 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
usr=$scratch/usr
for file in bin/$exe share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/man/man1/$exe.1.gz \
            $doc/copyright $doc/changelog.gz; do
    [ -e "$usr/$file" ] || fail "not installed: $file"
done
for size in $icon_sizes; do
    icon=$usr/share/icons/hicolor/$size/apps/$id.png
    [ -e "$icon" ] || fail "no $size icon"
    [ "$(png_size "$icon")" = "$size" ] || fail "the $size icon is $(png_size "$icon")"
done

desktop=$usr/share/applications/$id.desktop
desktop-file-validate "$desktop"
grep -qx "Exec=$exe" "$desktop" || fail "the desktop entry does not start $exe"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -qx "StartupWMClass=$exe" "$desktop" || fail "the desktop entry's StartupWMClass is not $exe"
appstreamcli validate --pedantic --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$scratch/validate" 2>&1 ||
    { cat "$scratch/validate"; fail "appstreamcli validate failed"; }

# The running window is the desktop entry's: on X11 its WM_CLASS is the
# entry's StartupWMClass, on Wayland its app id is the entry's id.
identity=$(xvfb-run -a "$0" --x11-identity "$usr/bin/$exe" "$scratch")
wm_class=$(sed -n 1p <<<"$identity")
[ "$wm_class" = "\"$exe\", \"$exe\"" ] || fail "WM_CLASS is $wm_class"
window_icons=$(sed -n 2p <<<"$identity")
[ "$window_icons" = "$window_icon_set" ] || fail "the window's icon comes in $window_icons, not $window_icon_set"

wayland_runtime=$scratch/wayland
mkdir -m 700 "$wayland_runtime"
XDG_RUNTIME_DIR=$wayland_runtime weston --backend=headless-backend.so --socket=orvel --idle-time=0 \
    >"$scratch/weston.log" 2>&1 &
weston=$!
wait_until "the Wayland compositor" test -S "$wayland_runtime/orvel"
# The protocol log names the app id that the program sends the compositor.
env $(user_env wayland) XDG_RUNTIME_DIR="$wayland_runtime" WAYLAND_DISPLAY=orvel QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=1 "$usr/bin/$exe" 2>"$scratch/wayland.log" &
program=$!
wait_until "the window's app id on Wayland" grep -qs 'set_app_id(' "$scratch/wayland.log"
kill "$program" "$weston"
wait "$program" "$weston" || true
app_id=$(grep -o 'set_app_id("[^"]*")' "$scratch/wayland.log" | head -n 1)
[ "$app_id" = "set_app_id(\"$id\")" ] || fail "the Wayland app id is $app_id"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null 2>&1)
deb=$(ls "$scratch"/deb/*.deb)
dpkg-deb -c "$deb" >"$scratch/contents"
grep -q "./usr/bin/$exe" "$scratch/contents" || fail "the package holds no $exe"
grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$deb" Depends)" || fail "the package does not depend on Qt"
grep -qw qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the package does not recommend qt6-wayland"

# Nothing a Debian packager would have to mend: no error, no warning, and no
# hardening tag even among the informational ones.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian"; fail "lintian finds errors or warnings"; }
if grep -q 'hardening-' "$scratch/lintian"; then
    cat "$scratch/lintian"
    fail "lintian finds the program unhardened"
fi

# A software centre's catalogue, composed from the package as a distribution does.
dpkg-deb -x "$deb" "$scratch/root"
appstreamcli compose --no-net --no-color --origin orvel --result-root="$scratch/catalogue" "$scratch/root" \
    >"$scratch/compose" 2>&1 || { cat "$scratch/compose"; fail "appstreamcli compose failed"; }
catalogue=$scratch/catalogue/usr/share/swcatalog
zgrep -q "<id>$id</id>" "$catalogue/xml/orvel.xml.gz" || { cat "$scratch/compose"; fail "the catalogue lacks $id"; }
for size in 64x64 128x128; do
    [ -e "$catalogue/icons/orvel/$size/$id.png" ] || fail "the catalogue has no $size icon"
done

# Debian's hardening, in the program as the package ships it.
program=$scratch/root/usr/bin/$exe
dynamic=$(readelf -dW "$program")
segments=$(readelf -lW "$program")
symbols=$(readelf --dyn-syms -W "$program")
grep -Eq 'BIND_NOW|Flags:.* NOW' <<<"$dynamic" || fail "$exe is not linked with -z now"
grep -q GNU_RELRO <<<"$segments" || fail "$exe is not linked with -z relro"
grep -q ' __stack_chk_fail' <<<"$symbols" || fail "$exe has no stack protector"
# Fortified calls: lintian found no libc call left unchecked above. The
# program has no call whose buffer size the compiler knows, so no __*_chk
# shows in it; what an optimised build must show is the flag on every source.
if grep -Eq '^CMAKE_BUILD_TYPE:[A-Z]+=(Release|RelWithDebInfo|MinSizeRel)$' "$build/CMakeCache.txt"; then
    commands=$(grep '"command":' "$build/compile_commands.json")
    unfortified=$(grep -cv -- '-D_FORTIFY_SOURCE=2' <<<"$commands" || true)
    [ "$unfortified" = 0 ] || fail "$unfortified sources are compiled without -D_FORTIFY_SOURCE=2"
    hardened="stack protector, relro, bind now, -D_FORTIFY_SOURCE=2"
else
    hardened="stack protector, relro, bind now; -D_FORTIFY_SOURCE=2 only in optimised builds"
fi
echo "installed files, window identity and $(basename "$deb") are in order ($hardened)"
