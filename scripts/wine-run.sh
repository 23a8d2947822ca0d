#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest, its output with Unix line ends, so
# ctest's GoogleTest discovery reads the names Wine's console writes with CR LF.
# Usage: scripts/wine-run.sh PROGRAM [ARGS...]
set -uo pipefail
wine "$@" 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
exit "$status"
