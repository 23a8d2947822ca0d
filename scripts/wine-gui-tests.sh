#!/usr/bin/env bash
# Runs the tests of a Windows build with the program (ctest label "wine-gui"): the installed
# folder, then orvane.exe under Wine on a virtual display, inside a network namespace of their
# own with only loopback up, so nothing the program does can leave the machine.
# Usage: scripts/wine-gui-tests.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=$(realpath "$1")
shift

if [ "${ORVANE_IN_WINE_NETNS:-}" != 1 ]; then
  exec env ORVANE_IN_WINE_NETNS=1 unshare --net -- "$0" "$build" "$@"
fi

ip link set lo up
# A prefix of the build's own, so the tests never touch a user's Wine setup.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
ctest --test-dir "$build" -L '^wine-gui$' --output-on-failure --timeout 900 "$@"
