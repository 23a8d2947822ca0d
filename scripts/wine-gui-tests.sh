#!/usr/bin/env bash
# Runs the tests of a Windows build with the program (ctest label "wine-gui"): the installed
# folder, then orvane.exe under Wine on a virtual display, inside a network namespace of their
# own with only loopback up, so nothing the program does can leave the machine.
# Usage: scripts/wine-gui-tests.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=$(realpath "$1")
shift

# shellcheck source=scripts/wine-netns.sh
source "$(dirname "$0")/wine-netns.sh"
ctest --test-dir "$build" -L '^wine-gui$' --output-on-failure --timeout 900 "$@"
