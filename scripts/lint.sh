#!/usr/bin/env bash
# Fails when an include reaches a higher room, when a C++ file differs from what .clang-format
# makes of it, or when clang-tidy's agreed checks (.clang-tidy) find something in the components
# or the Linux platform layer.
#   scripts/lint.sh [BUILD_DIR]    a configured build (its compile_commands.json); default build
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${LINT_PACKAGES[@]}"
build=${1:-build}

files() { git ls-files --cached --others --exclude-standard -- "$@"; }

scripts/layout-check.sh

mapfile -t formatted < <(files '*.cpp' '*.h')
clang-format --dry-run --Werror "${formatted[@]}"
echo "lint: ${#formatted[@]} files formatted as .clang-format says"

# Only the components and the platform layer: the Qt windows in src/gui hand their children to
# Qt's parent ownership, which the owning-memory check cannot follow. Windows sources are not in a
# Linux build's compile commands, and some of g++'s warning options are unknown to clang.
mapfile -t checked < <(files 'src/common/*.cpp' 'src/network/*.cpp' 'src/wireless/*.cpp' \
  'src/service/*.cpp' 'src/platform/*.cpp' ':!src/platform/windows/*')
printf '%s\n' "${checked[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option \
    2> >(grep -v "warnings\\? generated" >&2)
echo "lint: clang-tidy found nothing in ${#checked[@]} files"
