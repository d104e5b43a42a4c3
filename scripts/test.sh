#!/usr/bin/env bash
# Sets up, builds with warnings as errors, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

test_packages=(
    # the browser launch on a virtual X server; the package checks
    xvfb xauth desktop-file-utils appstream dpkg-dev
)
scripts/install-deps.sh "${test_packages[@]}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEL_WERROR=ON >/dev/null
cmake --build build-test
(cd build-test && ctest --output-on-failure --parallel 2)
