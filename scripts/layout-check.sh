#!/usr/bin/env bash
# Fails when a source file includes a header of a higher room than its own: the platform layer
# knows nothing above it, components know only the platform and the common helpers, the workflow
# knows no Qt window, and only the executables' entry points reach everything.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [platform]="platform"
  [common]="common platform"
  [network]="network common platform"
  [wireless]="wireless common platform"
  [dialogs]="dialogs common platform"
  [service]="service common platform"
  [app]="app network wireless dialogs service common platform"
  [gui]="gui app network wireless dialogs service common platform"
)

failures=0
while IFS= read -r file; do
  room=${file#src/}
  room=${room%%/*}
  [[ $file == src/app/main/* ]] && continue # the entry points wire every room together
  [ -n "${allowed[$room]+set}" ] || { echo "layout: $file is in no known room" >&2; failures=1; continue; }
  while IFS= read -r included; do
    target=${included%%/*}
    if [[ " ${allowed[$room]} " != *" $target "* ]]; then
      echo "layout: $file ($room) includes \"$included\" of a higher or sibling room" >&2
      failures=1
    fi
  done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard -- 'src/*.cpp' 'src/*.h')
[ "$failures" -eq 0 ] && echo "layout: every include stays in its room or below"
exit "$failures"
