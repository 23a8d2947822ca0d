#!/usr/bin/env bash
# Runs the tests of a Windows cross build (ctest label "wine") under Wine, inside a network
# namespace of their own with only loopback up, so no test traffic can leave the machine.
# Usage: scripts/wine-tests.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=$(realpath "$1")
shift

# shellcheck source=scripts/wine-netns.sh
source "$(dirname "$0")/wine-netns.sh"
# One adapter for the adapter-query tests to find, with an address they know.
# Without veth links the adapter tests say they were skipped.
if ip link add orvane-w0 type veth peer name orvane-w1; then
  ip addr add 10.213.77.5/24 dev orvane-w0
  ip link set orvane-w0 up
  ip link set orvane-w1 up
  export ORVANE_TEST_ADAPTER_ADDRESS=10.213.77.5
  # A device the neighbour table knows on that adapter, for the connected-devices test.
  if ip neigh add 10.213.77.9 lladdr 02:5e:10:00:00:09 dev orvane-w0 nud stale; then
    export ORVANE_TEST_NEIGHBOUR_ADDRESS=10.213.77.9 ORVANE_TEST_NEIGHBOUR_HARDWARE=02:5e:10:00:00:09
  fi
fi
# Start the server and boot the prefix once, so each test starts a program, not a Windows. The
# server stays up until the end: by default it quits a few seconds after its last program, and a
# test starting just then failed at once without a word.
mkdir -p "$WINEPREFIX"  # the server starts in it
wineserver -p
timeout 300 wineboot >/dev/null 2>&1
ctest --test-dir "$build" -L '^wine$' --output-on-failure --timeout 120 "$@"
