#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, address and undefined sanitizers; clang's extra
# warnings are the lint's business, not a reason to stop fuzzing) and runs each
# for SECONDS (default 60) from its seed corpus in fuzz/corpus/<target>. New inputs the fuzzer
# finds go to build-fuzz/corpus, not into the repository; a crash stops the script with the
# input saved as build-fuzz/<target>-crash-*, to be fixed and then added to the seed corpus.
#   fuzz/run.sh [SECONDS] [RUNS]
# With RUNS, each target makes at most RUNS runs from a fixed seed and an empty corpus of found
# inputs: the same inputs every time, so a check in CI fails only for a change in the code.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

seconds=${1:-60}
runs_limit=${2:-}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVANE_WERROR=OFF -DORVANE_BUILD_GUI=OFF -DORVANE_FUZZ=ON \
  -DORVANE_SANITIZE=fuzzer-no-link,address,undefined >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_all

export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
for target in $(cd fuzz && ls ./*Fuzz.cpp | sed 's|^\./||; s|\.cpp$||'); do
  seeds=fuzz/corpus/$target
  found=$build/corpus/$target
  repeatable=()
  if [ -n "$runs_limit" ]; then
    rm -rf "$found"
    repeatable=(-runs="$runs_limit" -seed=1)
  fi
  mkdir -p "$found"
  log=$build/$target.log
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$build/$target-" "${repeatable[@]}" "$found" "$seeds" \
    >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $target failed; the input is in $build/$target-crash-*" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $target: ${runs:-?} runs (at most ${seconds} s), no crash"
done
