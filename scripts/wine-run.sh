#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest, its output with Unix line ends, so
# ctest's GoogleTest discovery reads the names Wine's console writes with CR LF.
# Wine now and then ends a start at once without a word (twice in CI on fresh machines, never in
# thousands of starts here). Every test program prints before it does anything, so a start that
# failed with no output at all never ran the program: it is made once more, and said so. A
# program that printed anything is never started again.
# Usage: scripts/wine-run.sh PROGRAM [ARGS...]
set -uo pipefail
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
  wine "$@" 2>&1 | tr -d '\r' | tee "$output"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$output" ]; then
    break
  fi
  echo "wine-run.sh: start $attempt of 2 ended with status $status before the program printed anything" >&2
done
exit "$status"
