#!/usr/bin/env bash
# Installs the build into a temporary root, builds the Debian package and unpacks it into
# another, and checks that both lay out a desktop program a menu can show.
#   layout_test.sh BUILD_DIR APP_ID REQUIRE_HELPER(ON|OFF) ICON_SIZE...
set -euo pipefail
build=$1 app=$2 require_helper=$3
shift 3
sizes=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

png_size() {  # width x height from the PNG header
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ')
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
  echo "$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
}

check_layout() {  # root (the /usr of an install), what it is
  local usr=$1 what=$2
  [ -x "$usr/bin/orvane" ] || fail "$what: no program in bin"
  local desktop=$usr/share/applications/$app.desktop
  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "$what: the .desktop file does not validate"
    grep -qx "Exec=orvane" "$desktop" || fail "$what: the menu entry does not start the program"
    grep -qx "Icon=$app" "$desktop" || fail "$what: the menu entry names another icon"
  else
    fail "$what: no .desktop file"
  fi
  local metainfo=$usr/share/metainfo/$app.metainfo.xml
  if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >/dev/null ||
      fail "$what: appstreamcli rejects the metadata"
  else
    fail "$what: no AppStream metadata"
  fi
  local size icon
  for size in "${sizes[@]}"; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$app.png
    if [ -f "$icon" ]; then
      [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$what: $icon is $(png_size "$icon")"
    else
      fail "$what: no ${size}x${size} icon"
    fi
  done
  local helper policy
  helper=$(find "$usr/libexec" -type f -name 'orvane-sharing-helper' 2>/dev/null | head -n1 || true)
  policy=$(find "$usr/share/polkit-1/actions" -name '*.policy' 2>/dev/null | head -n1 || true)
  if [ "$require_helper" = ON ] || [ -n "$helper$policy" ]; then
    [ -n "$helper" ] && [ -x "$helper" ] || fail "$what: no sharing helper in libexec"
    [ -n "$policy" ] || fail "$what: no polkit policy"
    if [ -n "$helper" ] && [ "$(stat -c %a "$helper")" != 755 ]; then
      fail "$what: the helper's mode is $(stat -c %a "$helper"), not 755"
    fi
    if [ -n "$helper" ] && [ -n "$policy" ]; then
      grep -q "/usr${helper#"$usr"}" "$policy" || fail "$what: the policy does not name the helper"
    fi
  fi
}

DESTDIR="$work/install" cmake --install "$build" --prefix /usr >/dev/null
check_layout "$work/install/usr" "cmake --install"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(find "$work/deb" -maxdepth 1 -name 'orvane_*.deb' | head -n1)
if [ -z "$deb" ]; then
  fail "cpack made no orvane_*.deb"
else
  dpkg-deb -x "$deb" "$work/root"
  check_layout "$work/root/usr" ".deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 nftables dnsmasq-base pkexec; do
    grep -q "$needed" <<<"$depends" || fail ".deb does not depend on $needed: $depends"
  done
  grep -q network-manager <<<"$(dpkg-deb -f "$deb" Recommends)" ||
    fail ".deb does not recommend network-manager"
  # Whether apt could install it here: every dependency must resolve.
  if compgen -G '/var/lib/apt/lists/*Packages*' >/dev/null; then
    apt-get install --simulate -qq "$deb" >/dev/null 2>"$work/apt.log" ||
      fail "apt cannot resolve the package's dependencies: $(cat "$work/apt.log")"
  else
    echo "note: no apt package lists on this machine; dependency resolution not tried"
  fi
fi

[ "$failures" -eq 0 ] && echo "layout: install and .deb laid out as a desktop program"
exit $((failures > 0))
