#!/usr/bin/env bash
# Sets up, builds and starts the program: an optimised build without the
# tests, in build-run/ of its own, so that a by-hand build in build/ keeps its
# own options.
set -euo pipefail
cd "$(dirname "$0")/.."

# Said before anything is installed or built: without a display there would be nothing to start.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No graphical display is available: start Orvel Biblical Numerology from a desktop session." >&2
    exit 1
fi

scripts/install-deps.sh
cmake --preset run >/dev/null
cmake --build --preset run
echo "Starting build-run/src/OrvelFreeBiblicalNumerology (its windows are titled Orvel Biblical Numerology)."
exec build-run/src/OrvelFreeBiblicalNumerology
