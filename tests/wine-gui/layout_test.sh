#!/usr/bin/env bash
# Installs the Windows build into a fresh folder, as the zip gives it to a user, and checks that
# the folder holds the program's files and that every DLL the programs and libraries import is
# either in the folder or part of Windows itself: a missing one would stop orvane.exe on a real
# Windows before its window ever shows, however well it runs here. Then makes the zip with
# CPack and checks it holds the same folder.
# Usage: layout_test.sh BUILD_DIR STAGE_DIR OBJDUMP
set -euo pipefail
build=$1
stage=$2
objdump=$3
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null

for file in orvane.exe wireless.dll Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll \
  platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_de.qm \
  licenses/orvane.txt licenses/qtbase/LGPL-3.0-only.txt licenses/qrencode/COPYING; do
  [ -f "$stage/$file" ] || fail "$file is missing from the installed folder"
done
ls "$stage"/*qrencode*.dll >/dev/null 2>&1 || fail "the libqrencode DLL is missing"

# DLLs every supported Windows (10 1809 and later) has. The MinGW runtime (libstdc++,
# libgcc_s, libwinpthread) is not among them: it must be linked in or shipped.
declare -A system_dll
for name in advapi32 authz avrt bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dbghelp \
  dcomp dnsapi dwmapi dwrite dxgi gdi32 hid imm32 iphlpapi kernel32 mpr msimg32 msvcrt ncrypt \
  netapi32 ntdll ole32 oleacc oleaut32 opengl32 powrprof propsys psapi rpcrt4 secur32 setupapi \
  shcore shell32 shlwapi user32 userenv usp10 uxtheme version winhttp wininet winmm \
  winspool.drv wintrust wlanapi ws2_32 wtsapi32; do
  system_dll[$name]=1
done
shipped=$(find "$stage" -maxdepth 1 -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
checked=0
while IFS= read -r binary; do
  checked=$((checked + 1))
  while IFS= read -r dll; do
    name=$(echo "$dll" | tr '[:upper:]' '[:lower:]')
    case "$name" in api-ms-win-* | ext-ms-win-*) continue ;; esac
    grep -qx "$name" <<<"$shipped" && continue
    [ -n "${system_dll[${name%.dll}]:-}" ] || [ -n "${system_dll[$name]:-}" ] && continue
    fail "${binary#"$stage"/} imports $dll, which is neither shipped nor part of Windows"
  done < <("$objdump" -p "$binary" | awk '/DLL Name:/ {print $3}')
done < <(find "$stage" -iname '*.exe' -o -iname '*.dll')
[ "$checked" -ge 9 ] || fail "only $checked programs and DLLs were found to check"

# The zip: one folder named after the package, holding the program.
package_dir=$(mktemp -d)
trap 'rm -rf "$package_dir"' EXIT
(cd "$build" && cpack -G ZIP -B "$package_dir" >/dev/null)
zip=$(ls "$package_dir"/orvane-*-win64.zip 2>/dev/null | head -n1)
if [ -z "$zip" ]; then
  fail "CPack made no orvane-<version>-win64.zip"
else
  python3 - "$zip" "$stage" <<'PY' || fail "the zip does not hold the installed folder"
import os, sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
top = os.path.basename(sys.argv[1])[:-4] + "/"
inside = {n[len(top):] for n in names if n.startswith(top) and not n.endswith("/")}
stage = sys.argv[2]
installed = {os.path.relpath(os.path.join(d, f), stage)
             for d, _, files in os.walk(stage) for f in files}
missing = installed - inside
if missing or len(inside) != len(names) - sum(n.endswith("/") for n in names):
    print("zip lacks", sorted(missing)[:10], "or has files outside", top)
    sys.exit(1)
PY
  echo "zip: $(basename "$zip"), $(du -k "$zip" | cut -f1) KiB"
fi

echo "checked the imports of $checked programs and DLLs"
[ "$failures" -eq 0 ]
