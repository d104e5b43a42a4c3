#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, with only
# what the program and its tests use, into a cache outside the clone. A second
# run finds the cache and only prints its folder. The folder is the last line
# on stdout; progress goes to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
say() { echo "build-windows-qt: $*" >&2; }

# The same version as the host Qt, whose moc, rcc and uic the cross build uses.
scripts/install-deps.sh g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev python3 >&2
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

# Everything the program does not use is left out: fewer files to build, a
# smaller folder to ship. Changing a line here builds a new Qt beside the old.
options=(
    -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # No OpenGL at all: turning the feature off alone leaves dynamic OpenGL on,
    # whose half in the Windows platform plugin then does not compile.
    -DINPUT_opengl=no
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    # Debian's source leaves out the Wintab headers that tablet events need.
    -DFEATURE_tabletevent=OFF
    # The program draws with Fusion and reads only PNG and JPEG pictures; the
    # Direct2D platform plugin would build the Windows one a second time, and
    # without it Qt 6.4 leaves out the DirectWrite 3 font database that the
    # Windows one still calls (it is only used on request, never by default).
    -DFEATURE_style_windowsvista=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_directwrite3=OFF
)
toolchain=cmake/windows/mingw-w64.cmake
hash=$( (echo "$version"; printf '%s\n' "${options[@]}"; cat "$toolchain") | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/orvel
upstream=${version%%+*}
prefix=$cache/qt-$upstream-mingw-w64-$hash
mkdir -p "$cache"

# One build at a time; a second caller waits for the first and takes its result.
exec 9>"$cache/qt-build.lock"
flock 9

# The source, fetched once through a deb-src line for the mirror apt already uses.
download=$cache/qt6-base-source-$version
fetch_source() {
    [ -f "$download/.verified" ] && return
    local as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    if ! grep -rqs '^\(Types:.*\)\?deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        say "adding deb-src lines beside apt's deb lines"
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                "${as_root[@]}" tee /etc/apt/sources.list.d/orvel-deb-src.sources >/dev/null
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
                "${as_root[@]}" tee /etc/apt/sources.list.d/orvel-deb-src.list >/dev/null
        fi
        "${as_root[@]}" apt-get update -qq
    fi
    rm -rf "$download"
    mkdir -p "$download"
    (cd "$download" && apt-get source --download-only "qt6-base=$version" >&2)
    # Every file the .dsc names, against its SHA-256 there.
    dsc=$(ls "$download"/*.dsc)
    sed -n '/^Checksums-Sha256:/,/^[^ ]/{/^ /p}' "$dsc" | awk '{print $1 "  " $3}' >"$download/SHA256SUMS"
    [ -s "$download/SHA256SUMS" ] || { say "no checksums in $dsc"; exit 1; }
    (cd "$download" && sha256sum --check --quiet SHA256SUMS) >&2
    touch "$download/.verified"
}

# Debian's upstream tarball as it is, without Debian's patches.
unpack() {
    dpkg-source --skip-debianization -x "$download"/*.dsc "$1" >/dev/null 2>&1 ||
        dpkg-source -x "$download"/*.dsc "$1" >&2
}

configure() {
    cmake -S "$1" -B "$2" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
        "${options[@]}" >"$2.configure.log" 2>&1 || { tail -40 "$2.configure.log" >&2; exit 1; }
}
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)

# What the Windows program must say about the third-party code in each DLL,
# read from the qt_attribution.json files of the source and what the build
# compiled: cmake/windows/notices.py.
notices=$prefix/orvel-notices.json
write_notices() {
    python3 cmake/windows/notices.py qt "$1" "$2" "$version" "$download/SHA256SUMS" "$notices.new" \
        -- "${options[@]}" && mv "$notices.new" "$notices"
}

if [ -f "$prefix/.complete" ]; then
    # A Qt built before the notices were written gets them from its source
    # configured again, which takes a minute or two.
    if [ ! -f "$notices" ]; then
        say "adding the notices of the third-party code in $prefix"
        fetch_source
        again=$cache/qt-notices-$hash
        rm -rf "$again"
        mkdir -p "$again"
        unpack "$again/src"
        configure "$again/src" "$again/build"
        write_notices "$again/src" "$again/build"
        rm -rf "$again"
    fi
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix"
say "no Windows Qt in $prefix: building one (15 to 45 minutes on 2 cores)"
fetch_source

work=$cache/qt-build-$hash
rm -rf "$work"
mkdir -p "$work" "$prefix"
say "unpacking"
unpack "$work/src"
# Qt's own toolchain file points at this one: keep a copy beside the Qt it built.
cp "$toolchain" "$prefix/mingw-w64.cmake"

say "configuring"
configure "$work/src" "$work/build"
say "building (log: $work/build.log)"
start=$SECONDS
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 || { tail -40 "$work/build.log" >&2; exit 1; }
say "built in $(( (SECONDS - start) / 60 )) minutes"
cmake --install "$work/build" --strip >"$work/install.log" 2>&1 || { tail -20 "$work/install.log" >&2; exit 1; }
# Exact here, from what the compiler read; should it fail, the next run
# writes them from the source configured again rather than building again.
write_notices "$work/src" "$work/build" || say "no notices written; the next run tries again"
rm -rf "$work"
touch "$prefix/.complete"
say "installed: $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
