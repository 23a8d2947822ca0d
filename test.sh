#!/usr/bin/env bash
# Builds everything and runs every test label this machine allows, then the unit tests again
# under address+undefined and under thread sanitizers, then each fuzz target briefly. Says which
# labels ran and which not.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" "${CHECK_PACKAGES[@]}"

jobs=$(nproc)
ran=()
skipped=()

configure_and_build() {  # dir, then cmake options
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

has_tests() {  # dir, label
  ctest --test-dir "$1" -N -L "^$2\$" | grep -q 'Total Tests: [1-9]'
}

run_label() {  # dir, label, description
  if has_tests "$1" "$2"; then
    ctest --test-dir "$1" -L "^$2\$" --output-on-failure -j "$jobs"
    ran+=("$3")
  else
    skipped+=("$3: no tests with this label yet")
  fi
}

netns_allowed() {
  [ "$(id -u)" -eq 0 ] || return 1
  local probe="orvane-probe-$$"
  ip netns add "$probe" 2>/dev/null || return 1
  ip netns del "$probe"
}

configure_and_build build
scripts/lint.sh build
ran+=("format and clang-tidy checks")
run_label build unit "unit"
export QT_QPA_PLATFORM=offscreen
run_label build gui "gui (Qt offscreen)"
if netns_allowed; then
  run_label build linux-net "linux-net (network namespaces)"
else
  skipped+=("linux-net: needs root and network namespaces, which this machine does not allow")
fi
# The program on a real kernel Wi-Fi stack: a QEMU virtual machine on this machine's root with
# simulated radios and a station (scripts/wifi-vm.sh fetches Debian's kernel into a cache).
if netns_allowed; then
  ensure_packages "${WIFI_PACKAGES[@]}"
  run_label build wifi "wifi (virtual machine with simulated radios and a real station)"
else
  skipped+=("wifi: needs root, as the virtual machine boots on this machine's root file system")
fi
run_label build dbus "dbus (mock services on a private bus)"
run_label build package "package (install layout and .deb)"
# The Windows build: components, backend, their tests and orvane.exe itself, against Qt and
# libqrencode cross-built from Debian's sources into a cache outside the clone (long the first
# time on a machine, reused after). The tests run under Wine in a network namespace of their own
# (unshare needs root, as the network namespaces above do); then the program is installed as a
# Windows user gets it and started under Wine on a virtual display.
if netns_allowed; then
  ensure_packages "${WINE_PACKAGES[@]}" "${QT_MINGW_PACKAGES[@]}" "${WINE_GUI_PACKAGES[@]}"
  windows_prefix=$(scripts/qt-mingw.sh -j"$jobs" | tail -n1)
  configure_and_build build-wine -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DORVANE_BUILD_GUI=ON -DORVANE_WINDOWS_PREFIX="$windows_prefix"
  scripts/wine-tests.sh build-wine -j "$jobs"
  ran+=("wine (the Windows build under Wine)")
  scripts/wine-gui-tests.sh build-wine
  ran+=("wine-gui (orvane.exe installed and started under Wine on Xvfb)")
else
  skipped+=("wine: needs root and network namespaces to keep Wine off the network")
  skipped+=("wine-gui: needs root and network namespaces to keep Wine off the network")
fi

configure_and_build build-asan -DORVANE_BUILD_GUI=OFF -DORVANE_SANITIZE=address,undefined
run_label build-asan unit "unit under address+undefined sanitizers"

# ThreadSanitizer's runtime cannot map its shadow memory under full address randomisation.
configure_and_build build-tsan -DORVANE_BUILD_GUI=OFF -DORVANE_SANITIZE=thread
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" setarch "$(uname -m)" -R \
  ctest --test-dir build-tsan -L '^unit$' --output-on-failure -j "$jobs"
ran+=("unit under thread sanitizer")

# Each fuzz target from the kept seeds, so an input that once crashed stays fixed, then a bounded
# number of runs from a fixed seed: the same inputs on every machine (long runs: fuzz/run.sh).
fuzz/run.sh 60 20000
ran+=("fuzz targets, 20000 repeatable runs each")

echo
echo "Labels run:"
printf '  %s\n' "${ran[@]}"
echo "Labels skipped:"
printf '  %s\n' "${skipped[@]}"
