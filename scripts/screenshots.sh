#!/usr/bin/env bash
# Writes screenshots of the main window's three pages (two of them also while sharing) and of its dialogs, taken from the demo on the simulated
# machine without a display, to docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-screenshots}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j 2 --target orvane-demo
mkdir -p docs/screenshots
pages=(internet-status share-my-internet connect-to)
for index in 0 1 2; do
  out="docs/screenshots/main-window-${pages[$index]}.png"
  QT_QPA_PLATFORM=offscreen ORVANE_DEMO_SCREENSHOT="$PWD/$out" ORVANE_DEMO_PAGE=$index \
    timeout 120 "$build/src/app/orvane-demo"
  echo "$out"
done
# The same two pages while sharing runs: the devices that joined, and the code to join.
for index in 1 2; do
  out="docs/screenshots/main-window-${pages[$index]}-sharing.png"
  QT_QPA_PLATFORM=offscreen ORVANE_DEMO_SCREENSHOT="$PWD/$out" ORVANE_DEMO_PAGE=$index \
    ORVANE_DEMO_SHARING=1 timeout 120 "$build/src/app/orvane-demo"
  echo "$out"
done
# The sharing page in a desktop's dark theme, and in German.
out="docs/screenshots/main-window-share-my-internet-dark.png"
QT_QPA_PLATFORM=offscreen ORVANE_DEMO_SCREENSHOT="$PWD/$out" ORVANE_DEMO_PAGE=1 ORVANE_DEMO_DARK=1 \
  ORVANE_DEMO_SHARING=1 timeout 120 "$build/src/app/orvane-demo"
echo "$out"
out="docs/screenshots/main-window-share-my-internet-german.png"
QT_QPA_PLATFORM=offscreen ORVANE_DEMO_SCREENSHOT="$PWD/$out" ORVANE_DEMO_PAGE=1 LANGUAGE=de \
  LC_ALL=de_DE.UTF-8 timeout 120 "$build/src/app/orvane-demo"
echo "$out"
for dialog in picker options about failure-helper failure-firewall; do
  out="docs/screenshots/dialog-$dialog.png"
  QT_QPA_PLATFORM=offscreen ORVANE_DEMO_SCREENSHOT="$PWD/$out" ORVANE_DEMO_DIALOG=$dialog \
    timeout 120 "$build/src/app/orvane-demo"
  echo "$out"
done
# The AppStream data states each screenshot's size: keep it that of the file just written.
metainfo=packaging/org.orvane.Orvane.metainfo.xml
for png in docs/screenshots/*.png; do
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')"
  width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
  height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
  sed -i -E "s|width=\"[0-9]+\" height=\"[0-9]+\">(https://[^<]*/$(basename "$png"))<|width=\"$width\" height=\"$height\">\1<|" \
    "$metainfo"
done
