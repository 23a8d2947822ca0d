#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs the named ones, all by default:
#   bench/run.sh [NAME...]     e.g. bench/run.sh monitor
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)" >/dev/null

if [ $# -eq 0 ]; then
  names=()
  for definition in bench/*.cmake; do
    names+=("$(basename "$definition" .cmake)")
  done
else
  names=("$@")
fi
for name in "${names[@]}"; do
  "build-bench/bench/bench_$name"
done
