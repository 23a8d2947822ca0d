#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it. Without a real backend for this OS
# it starts the demo on the simulated machine instead. Without a display it runs the program on
# a virtual one, saves a screenshot of the main window and prints the file's path.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}"

build=build-run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The sharing helper too: without it "Start Sharing" can only say that it is missing.
cmake --build "$build" -j "$(nproc)" --target orvane-demo $(
  [ -f src/platform/PlatformFactory.cpp ] && echo orvane) $(
  [ "$(uname -s)" = Linux ] && echo orvane-sharing-helper)

program="$build/src/app/orvane"
if [ ! -x "$program" ]; then
  echo "This system has no real backend yet: starting the demo on the simulated machine."
  program="$build/src/app/orvane-demo"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  if [ "$(id -u)" != 0 ] && [ "$program" = "$build/src/app/orvane" ]; then
    echo "Sharing from a build folder needs root (sudo $program), or install Orvane first:"
    echo "pkexec runs only a helper that root owns and nobody else can change."
  fi
  exec "$program"
fi

# No display: only the demo can be asked for a screenshot, so take it from the demo.
shot="$PWD/$build/orvane-main-window.png"
rm -f "$shot"
echo "No display: running the demo on a virtual display to take a screenshot."
ORVANE_DEMO_SCREENSHOT="$shot" timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/src/app/orvane-demo"
if [ ! -s "$shot" ]; then
  echo "No screenshot was written." >&2
  exit 1
fi
echo "Screenshot of the main window: $shot"
