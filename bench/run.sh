#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs the named ones, all by default:
#   bench/run.sh [NAME...]     e.g. bench/run.sh monitor
# Each bench/<name>.cmake is a benchmark program; "wifi" is bench/wifi.sh, which times the
# program's network in the wifi test label's virtual machine (root only, last by default).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

# Quiet unless the build fails: then its output is the only clue.
build_log=$(mktemp)
trap 'rm -f "$build_log"' EXIT
if ! { cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release &&
  cmake --build build-bench -j "$(nproc)"; } >"$build_log" 2>&1; then
  cat "$build_log" >&2
  echo "bench: the optimised build failed" >&2
  exit 1
fi

if [ $# -eq 0 ]; then
  names=()
  for definition in bench/*.cmake; do
    names+=("$(basename "$definition" .cmake)")
  done
  names+=(wifi)
else
  names=("$@")
fi
for name in "${names[@]}"; do
  if [ "$name" = wifi ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "wifi: skipped (needs root: the virtual machine boots on this machine's root file system)"
      continue
    fi
    ensure_packages "${WIFI_PACKAGES[@]}"
    bench/wifi.sh build-bench
  else
    "build-bench/bench/bench_$name"
  fi
done
