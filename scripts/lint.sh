#!/usr/bin/env bash
# Static checks of the C++ sources: clang-tidy with the checks of .clang-tidy,
# and clang-format's verdict against .clang-format.
#   scripts/lint.sh            both (what scripts/test.sh runs)
#   scripts/lint.sh --tidy     clang-tidy only: every source of src/
#   scripts/lint.sh --format   clang-format only: every C++ file in the repository
# clang-tidy reads the compile commands of build-dev/, which the dev preset
# configures when they are missing (ORVEL_LINT_BUILD names another build folder).
set -euo pipefail
cd "$(dirname "$0")/.."

tidy=1
format=1
case "${1:-}" in
    --tidy) format=0 ;;
    --format) tidy=0 ;;
    "") ;;
    *) echo "usage: $0 [--tidy|--format]" >&2; exit 2 ;;
esac

status=0
if [[ $tidy == 1 ]]; then
    build=${ORVEL_LINT_BUILD:-build-dev}
    if [[ ! -f $build/compile_commands.json ]]; then
        cmake --preset dev -B "$build" >/dev/null
    fi
    # Generated sources (moc, resources) must exist before the sources that include them are read.
    cmake --build "$build" --target OrvelFreeBiblicalNumerology >/dev/null
    # The program's own sources; the tests are checked as they are built, with -Werror.
    run-clang-tidy -p "$build" -j "$(nproc)" -quiet "$PWD/src/(engine|platform|forms|app)/[^/]*\.cpp\$" \
        >"$build/clang-tidy.log" 2>&1 || status=1
    # run-clang-tidy always colours its findings.
    sed -i 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log"
    grep -E '(warning|error):' "$build/clang-tidy.log" || true
    [[ $status == 0 ]] && echo "clang-tidy: no findings" || echo "clang-tidy: findings above (full log: $build/clang-tidy.log)"
fi

if [[ $format == 1 ]]; then
    # The files git tracks; from an unpacked source archive, every C++ file outside the build folders.
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        list_sources() { git ls-files -z '*.cpp' '*.h'; }
    else
        list_sources() { find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0; }
    fi
    if ! list_sources | xargs -0 clang-format --dry-run --Werror; then
        echo "clang-format: the files above differ from .clang-format"
        status=1
    fi
fi
exit $status
