#!/bin/sh
# Runs Windows test programs under wine64, quietly, in a prefix of their own
# that the first run makes (slowly: wineboot) and later runs reuse.
# Usage: run-under-wine.sh WINE64 WINESERVER PREFIX PROGRAM...
set -u
wine=$1 wineserver=$2 prefix=$3
shift 3
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer prompts, and no windows: the programs print only.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    "$wine" wineboot --init >"$prefix.log" 2>&1 || { cat "$prefix.log"; exit 1; }
fi
status=0
for program in "$@"; do
    echo "== $(basename "$program")"
    "$wine" "$program" || status=1
done
# The server would linger for a few seconds with the prefix's services.
"$wineserver" -k 2>/dev/null
exit $status
