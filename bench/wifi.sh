#!/usr/bin/env bash
# wifi_start_to_station_fetch_ms: from "Start Sharing" to a real station's first page through
# the program's WPA2 network, in the virtual machine of scripts/wifi-vm.sh (simulated radios,
# plain emulation), beside NetworkManager's own hotspot timed the same way in the same boot;
# medians of the rounds and their ratio. Needs root, as the wifi test label does.
#   bench/wifi.sh [BUILD_DIR]     (default build-bench; the tests must be built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${ORVANE_WIFI_BENCH_ROUNDS:-3}
tests=$PWD/$build/tests/platform/linux/wifi_workflow_tests
results=$PWD/$build/bench/wifi-vm
mkdir -p "$results"

[ -x "$tests" ] || { echo "wifi: failed (no $tests; build the tests first)"; exit 1; }
set +e
scripts/wifi-vm.sh --timeout $((300 + rounds * 300)) --results "$results" \
  scripts/wifi-vm/bench.sh "$tests" "$rounds" >"$results/run.log" 2>&1
status=$?
set -e
if [ "$status" -eq 77 ]; then
  echo "wifi: skipped ($(sed -n 's/^wifi-vm: skipped: //p' "$results/run.log" | head -n 1))"
  exit 0
fi
if [ "$status" -ne 0 ]; then
  echo "wifi: failed (status $status; see $results/run.log and guest.log)"
  exit 1
fi

median() {  # figure name: the median of its values in the guest's log
  sed -n "s/^figure: $1: \([0-9]*\) ms$/\1/p" "$results/guest.log" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
program=$(median wifi_start_to_station_fetch_ms) || { echo "wifi: failed (no figure of the program)"; exit 1; }
hotspot=$(median nm_hotspot_start_to_station_fetch_ms) || { echo "wifi: failed (no figure of NetworkManager's hotspot)"; exit 1; }
echo "wifi_start_to_station_fetch_ms: $program ms"
echo "nm_hotspot_start_to_station_fetch_ms: $hotspot ms"
awk -v p="$program" -v h="$hotspot" 'BEGIN { printf "wifi_start_to_station_fetch_ratio: %.2f\n", p / h }'
