#!/usr/bin/env bash
# Installs the build into a temporary root, builds the Debian package and unpacks it into
# another, and checks that both lay out a desktop program a menu can show, that the package ships
# stripped programs with their symbols apart and a copyright file, and where the polkit policy
# lands for a prefix other than /usr.
#   layout_test.sh BUILD_DIR APP_ID REQUIRE_HELPER(ON|OFF) ICON_SIZE...
set -euo pipefail
build=$1 app=$2 require_helper=$3
shift 3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
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

# Every screenshot is one of docs/screenshots, published under the homepage, with that file's size.
check_screenshots() {  # metainfo, what it is
  local metainfo=$1 what=$2 count=0 line url name file size
  while IFS= read -r line; do
    url=$(sed -E 's/.*>([^<]*)<\/image>.*/\1/' <<<"$line")
    name=${url#https://orvane.org/screenshots/}
    [ "$name" != "$url" ] || fail "$what: screenshot $url is not under https://orvane.org/screenshots/"
    file=$source_dir/docs/screenshots/$name
    if [ -f "$file" ]; then
      size=$(sed -E 's/.*width="([0-9]+)" height="([0-9]+)".*/\1x\2/' <<<"$line")
      [ "$size" = "$(png_size "$file")" ] ||
        fail "$what: screenshot $name says $size, the file is $(png_size "$file")"
    else
      fail "$what: screenshot $url has no file in docs/screenshots"
    fi
    count=$((count + 1))
  done < <(grep '<image' "$metainfo")
  [ "$count" -gt 0 ] || fail "$what: no screenshots in the AppStream metadata"
  [ "$(grep -c '<screenshot type="default">' "$metainfo")" = 1 ] ||
    fail "$what: the AppStream metadata needs exactly one default screenshot"
}

# A machine-readable copyright file: the format line, then a Files: * paragraph whose licence has
# its text (a standalone License paragraph, or lines under the field).
check_copyright() {  # file, what it is
  local file=$1 what=$2
  head -n1 "$file" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$what: the copyright file does not start with the DEP-5 format line"
  awk -v RS= 'NR > 1 && /(^|\n)Files: \*(\n|$)/ && /\nCopyright: [^\n]+/ &&
              /\nLicense: [^\n]+\n [^\n]+/ { found = 1 } END { exit !found }' "$file" ||
    fail "$what: the copyright file has no Files: * paragraph with a copyright and a licence text"
  grep -q '	' "$file" && fail "$what: the copyright file has tabs"
  return 0
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
    check_screenshots "$metainfo" "$what"
  else
    fail "$what: no AppStream metadata"
  fi
  local copyright=$usr/share/doc/orvane/copyright
  if [ -f "$copyright" ]; then
    check_copyright "$copyright" "$what"
  else
    fail "$what: no copyright file in share/doc/orvane"
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

elf_files() {  # root: the ELF files under it
  find "$1" -type f -exec sh -c 'head -c4 "$1" | grep -q "ELF" && echo "$1"' _ {} \;
}
build_id() {
  readelf -n "$1" | sed -n 's/.*Build ID: *//p'
}
has_section() {  # file, section (grep reads it all: an early exit would fail readelf under pipefail)
  readelf -SW "$1" | grep " $2 " >/dev/null
}
kib() {
  echo "$(($(du -cb "$@" | tail -n1 | cut -f1) / 1024)) KiB"
}

DESTDIR="$work/install" cmake --install "$build" --prefix /usr >/dev/null
check_layout "$work/install/usr" "cmake --install"
mapfile -t unstripped < <(elf_files "$work/install")

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
  recommends=$(dpkg-deb -f "$deb" Recommends)
  for wanted in network-manager qt6-translations-l10n; do
    grep -q "$wanted" <<<"$recommends" || fail ".deb does not recommend $wanted: $recommends"
  done

  # The programs ship without symbols; each keeps a link to its symbols in the -dbgsym package.
  mapfile -t shipped < <(elf_files "$work/root")
  [ ${#shipped[@]} -gt 0 ] || fail ".deb holds no program"
  ddeb=$(find "$work/deb" -maxdepth 1 -name 'orvane-dbgsym_*.ddeb' | head -n1)
  [ -n "$ddeb" ] && dpkg-deb -x "$ddeb" "$work/dbgsym" || fail "cpack made no orvane-dbgsym_*.ddeb"
  for binary in "${shipped[@]}"; do
    name=${binary#"$work/root"}
    for section in .symtab .debug_info; do
      has_section "$binary" "$section" && fail ".deb: $name is not stripped (has $section)"
    done
    has_section "$binary" .gnu_debuglink || fail ".deb: $name has no link to its debug symbols"
    id=$(build_id "$binary")
    symbols=$work/dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug
    if [ -z "$id" ] || [ ! -f "$symbols" ]; then
      fail ".deb: no debug symbols for $name (build ID '$id') in the -dbgsym package"
    elif has_section "$work/install$name" .debug_info && ! has_section "$symbols" .debug_info; then
      fail ".deb: the -dbgsym package's symbols for $name have no .debug_info"
    fi
  done
  sizes_note="programs unstripped $(kib "${unstripped[@]}"), in the .deb $(kib "${shipped[@]}");"
  sizes_note+=" installed size $(dpkg-deb -f "$deb" Installed-Size) KiB; .deb $(kib "$deb")"
  [ -n "$ddeb" ] && sizes_note+=", -dbgsym $(kib "$ddeb")"
  echo "note: $sizes_note"

  # Whether apt could install it here: every dependency must resolve.
  if compgen -G '/var/lib/apt/lists/*Packages*' >/dev/null; then
    apt-get install --simulate -qq "$deb" >/dev/null 2>"$work/apt.log" ||
      fail "apt cannot resolve the package's dependencies: $(cat "$work/apt.log")"
  else
    echo "note: no apt package lists on this machine; dependency resolution not tried"
  fi
fi

if [ "$require_helper" = ON ]; then
  policy_name=org.orvane.sharing-helper.policy
  polkit_dir=$(sed -n 's/^ORVANE_POLKIT_ACTIONS_DIR:PATH=//p' "$build/CMakeCache.txt")
  names_helper() {  # policy, helper path
    grep -q "<annotate key=\"org.freedesktop.policykit.exec.path\">$2</annotate>" "$1"
  }

  # The default prefix, staged: the policy stays in the prefix, and the install says why and
  # how to put it where polkit reads it.
  DESTDIR="$work/local" cmake --install "$build" --component sharing-helper --prefix /usr/local \
    >"$work/local.log" 2>&1 || fail "install to /usr/local failed: $(cat "$work/local.log")"
  staged=$work/local/usr/local/share/polkit-1/actions/$policy_name
  [ -f "$staged" ] && names_helper "$staged" /usr/local/libexec/orvane/orvane-sharing-helper ||
    fail "/usr/local: no policy in the prefix naming the helper there"
  [ -e "$work/local$polkit_dir/$policy_name" ] && fail "/usr/local: a staged install wrote $polkit_dir"
  said="polkit reads actions only from $polkit_dir.*"
  said+="install -m 644 /usr/local/share/polkit-1/actions/$policy_name $polkit_dir/"
  tr -s ' \n' ' ' <"$work/local.log" | grep "$said" >/dev/null ||
    fail "/usr/local: the install does not say where polkit reads the policy: $(cat "$work/local.log")"

  # The live system, as root: in a mount namespace of its own with an empty folder over polkit's,
  # the install for another prefix puts the policy where polkit reads it, but leaves alone one
  # that names another install's helper.
  if [ "$(id -u)" -eq 0 ] && [ -d "$polkit_dir" ] && unshare --mount true 2>/dev/null; then
    unshare --mount --propagation private bash -c '
      set -u
      build=$1 prefix=$2 polkit_dir=$3 name=$4 out=$5
      mount -t tmpfs none "$polkit_dir" || exit 3
      cmake --install "$build" --component sharing-helper --prefix "$prefix" >"$out/live1.log" 2>&1
      cp "$polkit_dir/$name" "$out/live1.policy" 2>/dev/null
      cp "$build/install_manifest_sharing-helper.txt" "$out/live1.manifest" 2>/dev/null
      [ -e "$prefix/share/polkit-1/actions/$name" ] && touch "$out/live1.in-prefix"
      sed "s|$prefix/|/usr/|" "$out/live1.policy" >"$polkit_dir/$name"
      cmake --install "$build" --component sharing-helper --prefix "$prefix" >"$out/live2.log" 2>&1
      cp "$polkit_dir/$name" "$out/live2.policy"
    ' _ "$build" "$work/opt" "$polkit_dir" "$policy_name" "$work" ||
      fail "live install in a mount namespace failed: $(cat "$work"/live*.log 2>/dev/null)"
    helper=$work/opt/libexec/orvane/orvane-sharing-helper
    [ -f "$work/live1.policy" ] && names_helper "$work/live1.policy" "$helper" ||
      fail "live install: no policy in $polkit_dir naming $helper: $(cat "$work/live1.log")"
    [ -e "$work/live1.in-prefix" ] &&
      fail "live install: the policy also went to the prefix, where polkit does not read it"
    # So that removing what the manifest lists removes the policy too.
    grep -qx "$polkit_dir/$policy_name" "$work/live1.manifest" 2>/dev/null ||
      fail "live install: the install manifest does not list the policy in $polkit_dir"
    names_helper "$work/live2.policy" /usr/libexec/orvane/orvane-sharing-helper ||
      fail "live install: another install's policy in $polkit_dir was overwritten"
    tr -s ' \n' ' ' <"$work/live2.log" | grep "belongs to another install" >/dev/null ||
      fail "live install: no word that the policy in $polkit_dir belongs to another install"
  else
    echo "note: not root, no $polkit_dir or no mount namespace; the live system's install not tried"
  fi
fi

[ "$failures" -eq 0 ] && echo "layout: install and .deb laid out as a desktop program"
exit $((failures > 0))
