#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest, its output with Unix line ends, so
# ctest's GoogleTest discovery reads the names Wine's console writes with CR LF.
# Wine now and then ends a start at once without a word (twice in CI on fresh machines, never in
# thousands of starts here). Every test program prints before it does anything, so a start with
# no output at all never ran the program: it is made once more, and said so, and if that prints
# nothing either it fails whatever Wine's exit status says. A program that printed anything is
# never started again.
# Usage: scripts/wine-run.sh PROGRAM [ARGS...]
set -uo pipefail
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
  wine "$@" 2>&1 | tr -d '\r' | tee "$output"
  status=${PIPESTATUS[0]}
  if [ -s "$output" ]; then
    exit "$status"
  fi
  echo "wine-run.sh: start $attempt of 2 ended with status $status and no output" >&2
done
exit $((status == 0 ? 1 : status))
