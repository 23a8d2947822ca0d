#!/usr/bin/env bash
# Cross-builds the parts of Qt that orvane.exe links (Core, Gui, Widgets, Network for the
# single-instance socket, the Windows platform plugin and the native style) and libqrencode for
# 64-bit Windows with the project's MinGW-w64 toolchain, from Debian's own source packages, using
# Debian's host Qt tools of the same version (moc, rcc, uic run on this machine).
# Each is installed into a cache folder outside the clone, keyed by its source version, and
# reused as long as its stamp is there. The last line of the output is the two install folders
# as a CMake list, the value for ORVANE_WINDOWS_PREFIX.
# Usage: scripts/qt-mingw.sh [-jN]     (ORVANE_QT_MINGW_CACHE overrides /var/cache/orvane-qt-mingw)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
jobs=${1:--j2}
cache=${ORVANE_QT_MINGW_CACHE:-/var/cache/orvane-qt-mingw}
# Bumped whenever the options of that build below change, so an old cache is not taken for new.
qt_recipe=1
qrencode_recipe=2

log() { echo "qt-mingw: $*" >&2; }
die() {
  log "$*"
  exit 1
}

# shellcheck source=scripts/deps.sh
source "$here/deps.sh"
ensure_packages "${QT_MINGW_PACKAGES[@]}" >&2

# The host tools must be the same Qt version as the source that is cross-built.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)

# A deb-src entry of the project's own: the same mirror and suites as this machine's own
# Debian entry, so the source matches the installed host tools.
sources_entry=/etc/apt/sources.list.d/orvane-deb-src.sources
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $qt_version"; then
  [ "$(id -u)" -eq 0 ] || die "no deb-src entry for qt6-base $qt_version; run as root to add one"
  mirror=""
  suites=""
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$sources_entry" ] || continue
    if grep -qE '^URIs:.*debian/?$' "$f" && grep -qE '^Types:.*\bdeb\b' "$f"; then
      mirror=$(awk '/^URIs:/ {print $2; exit}' "$f")
      suites=$(awk '/^Suites:/ {$1=""; print; exit}' "$f")
      break
    fi
  done
  if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    read -r mirror suites < <(awk '$1 == "deb" && $2 ~ /debian\/?$/ {print $2, $3; exit}' \
      /etc/apt/sources.list) || true
  fi
  [ -n "$mirror" ] || die "found no Debian mirror in this machine's apt sources"
  suites=${suites:-bookworm}
  log "adding $sources_entry ($mirror $suites)"
  cat >"$sources_entry" <<SOURCES
# Added by Orvane's scripts/qt-mingw.sh: the source packages it cross-builds for Windows.
Types: deb-src
URIs: $mirror
Suites: $suites
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get -o DPkg::Lock::Timeout=900 update -qq
fi
qrencode_version=$(apt-cache showsrc qrencode | awk '/^Version:/ {print $2; exit}')
[ -n "$qrencode_version" ] || die "no source package for qrencode"

qt_prefix="$cache/qt-$qt_version-r$qt_recipe"
qrencode_prefix="$cache/qrencode-$qrencode_version-r$qrencode_recipe"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"

# Downloads and unpacks one source package into $work/$2 (Debian's patches applied).
fetch_source() {
  local package=$1 version=$2 dir=$3
  local plain=${version#*:}  # file names carry no epoch
  log "fetching $package $version"
  (cd "$work" && apt-get source -qq --download-only "$package=$version" \
    -o APT::Sandbox::User=root >&2) || true
  local dsc="$work/${package}_$plain.dsc"
  [ -f "$dsc" ] || die "downloading the $package source failed"
  if ! (cd "$work" && dpkg-source -q -x "$(basename "$dsc")" "$dir" >&2); then
    # Some mirrors lack Debian's part of a source package; the upstream tarball is the program.
    local orig
    orig=$(ls "$work/${package}_${plain%-*}".orig.tar.* 2>/dev/null | head -n1)
    [ -n "$orig" ] || die "unpacking the $package source failed"
    log "unpacking the upstream source of $package only"
    mkdir -p "$work/$dir"
    tar -xf "$orig" -C "$work/$dir" --strip-components=1
  fi
}

build_qt() {
  fetch_source qt6-base "$qt_version" qtbase
  log "configuring Qt $qt_version for MinGW-w64 (install folder $qt_prefix)"
  # Only what orvane.exe needs; the bundled third-party libraries so no extra DLLs are shipped.
  # Debian's source lacks the Wintab headers, so no tablet events; without OpenGL the dynamic
  # OpenGL loader must be off as well. The DirectWrite 3 font database is compiled only with
  # Direct2D, yet the platform plugin refers to it whenever DirectWrite 3 is on: off, so the
  # plugin links and uses the GDI font database. Schannel's TLS plugin is built unless it is
  # turned off by name, and it does not compile without SSL.
  cmake -S "$work/qtbase" -B "$work/qtbase-build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_testlib=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_ssl=OFF -DFEATURE_dtls=OFF -DFEATURE_gssapi=OFF \
    -DFEATURE_brotli=OFF -DFEATURE_zstd=OFF -DFEATURE_libproxy=OFF \
    -DFEATURE_networklistmanager=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF -DFEATURE_icu=OFF -DFEATURE_pkg_config=OFF >&2
  log "building Qt"
  cmake --build "$work/qtbase-build" "$jobs" >&2
  cmake --install "$work/qtbase-build" >&2
  # The licences go with the DLLs that are shipped.
  mkdir -p "$qt_prefix/share/licenses/qtbase"
  cp "$work"/qtbase/LICENSES/*.txt "$qt_prefix/share/licenses/qtbase/"
}

build_qrencode() {
  fetch_source qrencode "$qrencode_version" qrencode
  log "building libqrencode"
  # A DLL beside the program, as its licence (LGPL) asks for a library the user can replace.
  # It exports its own functions only: exported winpthreads clashed with the program's own.
  cmake -S "$work/qrencode" -B "$work/qrencode-build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$qrencode_prefix" -DBUILD_SHARED_LIBS=ON -DWITH_TOOLS=OFF \
    -DCMAKE_SHARED_LINKER_FLAGS="-Wl,--exclude-libs,ALL" \
    -DWITH_TESTS=OFF -DWITHOUT_PNG=ON >&2
  cmake --build "$work/qrencode-build" "$jobs" >&2
  cmake --install "$work/qrencode-build" >&2
  mkdir -p "$qrencode_prefix/share/licenses/qrencode"
  cp "$work/qrencode/COPYING" "$qrencode_prefix/share/licenses/qrencode/"
}

# Builds one part unless its stamp says it is there, timing the build into the stamp.
build_once() {
  local name=$1 prefix=$2 version=$3 recipe=$4
  if [ -f "$prefix/.complete" ]; then
    log "reusing $prefix ($(grep seconds "$prefix/.complete" || true))"
    return 0
  fi
  work="$cache/work-$name"
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  # The build's own output goes to a file beside the cache; its end is shown if it fails.
  local output="$cache/build-$name.log" start end
  log "building $name (output in $output)"
  start=$(date +%s)
  # In the background, so that errexit still stops the build at its first failing step.
  ("build_$name") 2>"$output" &
  if ! wait $!; then
    tail -n 40 "$output" >&2
    die "building $name failed; see $output"
  fi
  end=$(date +%s)
  log "$name built in $((end - start)) s"
  printf 'source %s\nrecipe %s\nbuild seconds %s\n' "$version" "$recipe" "$((end - start))" \
    >"$prefix/.complete"
  rm -rf "$work"
}

build_once qt "$qt_prefix" "$qt_version" "$qt_recipe"
build_once qrencode "$qrencode_prefix" "$qrencode_version" "$qrencode_recipe"
echo "$qt_prefix;$qrencode_prefix"
