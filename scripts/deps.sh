# Debian packages the project needs, and a function that installs the missing ones.
# Sourced by test.sh, run.sh and bench/run.sh.

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev qt6-base-dev
  libnftables-dev libcurl4-openssl-dev libsystemd-dev qt6-tools-dev qt6-l10n-tools libqrencode-dev)
# The package layout test (file and binutils: how CPack finds the programs to split the debug
# symbols off, and how the test sees they are stripped), the checks in test.sh, and zbarimg that
# reads the join code back.
CHECK_PACKAGES=(dpkg-dev file binutils appstream desktop-file-utils zbar-tools)
# The format and static checks.
LINT_PACKAGES=(git clang-format clang-tidy)
# The fuzz targets: clang with its libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The benchmarks' kept measuring tools.
BENCH_PACKAGES=(iperf3)
# The Windows cross build and Wine that runs its tests (the wine label); GoogleTest is built
# from Debian's sources with the cross compiler.
WINE_PACKAGES=(g++-mingw-w64-x86-64-posix googletest wine wine64)
# Qt and libqrencode cross-built for Windows from Debian's sources (scripts/qt-mingw.sh): the
# source unpacker, the host Qt tools of the same version, and what Qt's build scripts run.
QT_MINGW_PACKAGES=(dpkg-dev qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
  cmake ninja-build perl wine wine64)
# The wine-gui label: orvane.exe driven under Wine on Xvfb from outside (xdotool), its screen
# read by OCR (ImageMagick takes and enlarges the screenshots, Tesseract reads them), the zip
# checked with Python.
WINE_GUI_PACKAGES=(xvfb xauth xdotool imagemagick tesseract-ocr tesseract-ocr-eng python3)
# What the tests and the real backend use at run time (python3-dbusmock: the dbus tests' mock
# service manager; qt6-translations-l10n: Qt's own texts in the user's language; network-manager:
# the real one that validates the wireless profiles, and the service the wireless network needs).
RUNTIME_PACKAGES=(iproute2 nftables dnsmasq-base udhcpc busybox xvfb xauth dbus-daemon
  python3-dbusmock qt6-translations-l10n network-manager)
# The wifi label's virtual machine (scripts/wifi-vm.sh): QEMU, and what runs in the guest on
# this machine's root besides the runtime packages: kmod for the kernel package's modules, the
# station's wpa_supplicant, iw, curl. Debian's kernel and busybox-static are downloaded into a
# cache by the script, not installed (busybox-static would replace busybox).
WIFI_PACKAGES=(qemu-system-x86 kmod wpasupplicant iw curl)

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]} (run as root, or install them first)" >&2
    return 1
  fi
  echo "Installing Debian packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Wait for another install that holds the package lock instead of failing at once.
  apt-get -o DPkg::Lock::Timeout=900 update -qq
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
