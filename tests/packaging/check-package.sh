#!/usr/bin/env bash
# Installs the build into a scratch folder and builds the Debian package, then
# checks that each lands where a Linux desktop looks for it and is valid.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
id=test.quillmoor.OrvelBiblicalNumerology

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for file in bin/OrvelFreeBiblicalNumerology share/applications/$id.desktop \
            share/metainfo/$id.metainfo.xml share/icons/hicolor/32x32/apps/$id.png; do
    [ -e "$scratch/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$id.metainfo.xml" >/dev/null
grep -qx "Exec=OrvelFreeBiblicalNumerology" "$scratch/usr/share/applications/$id.desktop"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null 2>&1)
deb=$(ls "$scratch"/deb/*.deb)
dpkg-deb -c "$deb" >"$scratch/contents"
grep -q "./usr/bin/OrvelFreeBiblicalNumerology" "$scratch/contents"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6
echo "installed files and $(basename "$deb") are in order"
