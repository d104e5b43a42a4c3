#!/usr/bin/env bash
# Sets up, builds with warnings as errors, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

test_packages=(
    # the browser launch on a virtual X server; the package checks
    xvfb xauth desktop-file-utils appstream dpkg-dev
    clang libclang-rt-14-dev  # the fuzz targets: clang with libFuzzer and its sanitizers
    openbox xdotool x11-utils dbus-daemon at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0  # the real-window suite
    valgrind libxcb1-dev  # the start-up cost in instructions, against the empty window of bench/
)
scripts/install-deps.sh "${test_packages[@]}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEL_WERROR=ON >/dev/null
cmake --build build-test
(cd build-test && ctest --output-on-failure --parallel 2)

# Start-up cost: the first frame may take at most 1.25 times the instructions
# of an empty Qt window's (release build in build-bench; instructions, unlike
# times, repeat from run to run on a shared machine). Drawing the window's own
# texts in its own fonts takes about 1.18 times even with plain labels; what
# start-up adds on top of that is what this catches.
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVEL_WERROR=ON -DORVEL_BUILD_TESTS=OFF \
    -DORVEL_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench --target OrvelFreeBiblicalNumerology orvel_emptywindow
scripts/count-instructions.sh startup --max-frame-ratio 1.25

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included (CMakePresets.json; build-asan).
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Each fuzz target for a bounded time from its seeds in fuzz/corpus/, built
# with clang and libFuzzer (build-fuzz). A crash input it finds is left in
# build-fuzz/fuzz/crashes/; keep it in fuzz/regressions/<target>/.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
