#!/usr/bin/env bash
# Runs a script inside a small QEMU virtual machine with three simulated Wi-Fi radios
# (mac80211_hwsim), and hands back its exit status and log.
#
# The guest boots Debian 12's own kernel package, fetched with `apt-get download` and unpacked
# into a cache outside the clone (nothing is installed into this machine's /boot or
# /lib/modules). Its root is this machine's root, shared read-only over virtio 9p with a tmpfs
# overlay on top, so the guest runs the same programs and the same build tree without copying
# them; a second share carries the results back. The guest's own setup (radios, D-Bus,
# NetworkManager, the station's and the Internet's namespaces) is scripts/wifi-vm/guest.sh.
#
# Usage: scripts/wifi-vm.sh [--timeout SECONDS] [--results DIR] SCRIPT [ARGS...]
#        scripts/wifi-vm.sh --prepare      (fetch and build what a boot needs, then stop)
# SCRIPT runs in the guest with ARGS once the setup is ready (see guest.sh for what it finds);
# paths among ARGS must be absolute, as the guest starts in its own root.
# The exit status is SCRIPT's, 124 when the guest did not finish in time, 125 when it ended
# without a status, 77 when this machine cannot run the virtual machine (not root, no QEMU).
# Environment: ORVANE_WIFI_VM_CACHE (default /var/cache/orvane-wifi-vm), ORVANE_WIFI_VM_MEMORY
# (MiB, default 1536), ORVANE_WIFI_VM_KVM (auto, yes or no).
set -euo pipefail
shopt -s inherit_errexit
here=$(cd "$(dirname "$0")" && pwd)
cache_root=${ORVANE_WIFI_VM_CACHE:-/var/cache/orvane-wifi-vm}
memory=${ORVANE_WIFI_VM_MEMORY:-1536}
timeout_s=600
results=
prepare_only=0

die() {
  echo "wifi-vm: $*" >&2
  exit 1
}
skip() {
  echo "wifi-vm: skipped: $*" >&2
  exit 77
}

while [ $# -gt 0 ]; do
  case $1 in
    --timeout) timeout_s=$2; shift 2 ;;
    --results) results=$2; shift 2 ;;
    --prepare) prepare_only=1; shift ;;
    --) shift; break ;;
    -*) die "unknown option $1" ;;
    *) break ;;
  esac
done
[ "$prepare_only" = 1 ] || [ $# -ge 1 ] || die "usage: $0 [--timeout S] [--results DIR] SCRIPT [ARGS...]"

[ "$(id -u)" -eq 0 ] || skip "needs root (the guest shares this machine's root file system)"
command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed"
command -v apt-get >/dev/null && command -v dpkg-deb >/dev/null ||
  skip "needs apt-get and dpkg-deb to fetch Debian's kernel"
command -v depmod >/dev/null || skip "needs depmod (Debian's kmod)"

# The kernel package the metapackage points at today, e.g. linux-image-6.1.0-57-amd64.
kernel_package() {
  apt-cache depends linux-image-amd64 2>/dev/null |
    sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*-amd64\)$/\1/p' | head -n 1
}

# Fetches and unpacks the kernel and busybox once per kernel version; prints the folder.
prepare_cache() {
  local package version dir tmp
  package=$(kernel_package)
  if [ -z "$package" ]; then
    apt-get update -qq >&2 || true
    package=$(kernel_package)
  fi
  [ -n "$package" ] || die "apt knows no linux-image-amd64 (is this Debian 12?)"
  version=${package#linux-image-}
  dir=$cache_root/$version
  if [ ! -f "$dir/ready" ]; then
    echo "wifi-vm: fetching $package and busybox-static into $dir" >&2
    mkdir -p "$cache_root"
    tmp=$(mktemp -d "$cache_root/.partial.XXXXXX")
    # apt's download user cannot write a root-only folder; the packages are checked the same.
    (cd "$tmp" && apt-get download -qq "$package" busybox-static 2>&1 | grep -v unsandboxed >&2 || true)
    ls "$tmp"/linux-image-*.deb "$tmp"/busybox-static_*.deb >/dev/null 2>&1 ||
      die "apt-get download of $package and busybox-static failed"
    mkdir -p "$tmp/root" "$tmp/busybox"
    dpkg-deb -x "$tmp"/linux-image-*.deb "$tmp/root"
    dpkg-deb -x "$tmp"/busybox-static_*.deb "$tmp/busybox"
    rm -f "$tmp"/*.deb
    depmod -b "$tmp/root" "$version"
    build_initramfs "$tmp" "$version"
    chmod 755 "$tmp"
    touch "$tmp/ready"
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    mv "$tmp" "$dir"
  fi
  echo "$dir"
}

# Adds a module and what it depends on (modules.dep order: dependencies load first).
add_module() {  # modules folder, initramfs folder, module name
  local mods=$1 out=$2 name=$3 line path dep
  line=$(grep -E "/${name}\.ko(\.[a-z]+)?:" "$mods/modules.dep" | head -n 1) || true
  if [ -z "$line" ]; then
    grep -qE "/${name}\.ko" "$mods/modules.builtin" || die "no module $name in the kernel package"
    return 0
  fi
  path=${line%%:*}
  for dep in ${line#*:}; do
    dep=$(basename "$dep")
    add_module "$mods" "$out" "${dep%%.ko*}"
  done
  if ! grep -qxF "$(basename "$path")" "$out/modules/order" 2>/dev/null; then
    cp "$mods/$path" "$out/modules/"
    basename "$path" >>"$out/modules/order"
  fi
}

# The guest's first stage: busybox, the modules that reach the shares, and scripts/wifi-vm/init.
build_initramfs() {  # cache folder, kernel version
  local dir=$1 version=$2 out mods module
  out=$dir/initramfs
  mods=$dir/root/lib/modules/$version
  mkdir -p "$out"/{bin,dev,proc,sys,modules,lower,rw,newroot}
  # The kernel opens it for init's output before anything is mounted.
  mknod -m 600 "$out/dev/console" c 5 1
  cp "$dir/busybox/bin/busybox" "$out/bin/busybox"
  ln -sf busybox "$out/bin/sh"
  for module in virtio_pci 9pnet_virtio 9p overlay; do
    add_module "$mods" "$out" "$module"
  done
  cp "$here/wifi-vm/init" "$out/init"
  chmod 755 "$out/init"
  pack_initramfs "$dir"
}

pack_initramfs() {  # cache folder
  (cd "$1/initramfs" && find . | "$1/busybox/bin/busybox" cpio -o -H newc 2>/dev/null | gzip -1) \
    >"$1/initramfs.gz"
}

cache=$(prepare_cache)
version=$(basename "$cache")
# The initramfs follows the init script in the clone, so a change to it needs no new download.
if ! cmp -s "$here/wifi-vm/init" "$cache/initramfs/init"; then
  cp "$here/wifi-vm/init" "$cache/initramfs/init"
  pack_initramfs "$cache"
fi
[ "$prepare_only" = 1 ] && { echo "wifi-vm: ready in $cache"; exit 0; }

[[ $here != *[[:space:]]* ]] || die "the clone's path must not contain blanks (it goes on the kernel command line)"
script=$(realpath "$1")
shift
[ -f "$script" ] || die "no guest script $script"

if [ -z "$results" ]; then
  results=$(mktemp -d /tmp/orvane-wifi-vm.XXXXXX)
fi
mkdir -p "$results"
results=$(realpath "$results")
rm -f "$results/status" "$results/console.log" "$results/guest.log"
# What the guest runs: the setup, then the script with its arguments, each word quoted.
{
  printf 'ORVANE_VM_MODULES=%q\n' "$cache/root/lib/modules/$version"
  printf 'ORVANE_VM_SOURCE=%q\n' "$(dirname "$here")"
  printf 'ORVANE_VM_BUSYBOX=%q\n' "$cache/busybox/bin/busybox"
  printf 'set -- %q' "$script"
  for arg in "$@"; do printf ' %q' "$arg"; done
  printf '\n'
} >"$results/job"

# KVM only where the processor offers virtualisation itself: a nested KVM without vmx or svm
# stops QEMU (-cpu host) or hangs the guest early. Plain emulation boots in a few seconds.
accel=(-accel tcg -cpu max)
want_kvm=${ORVANE_WIFI_VM_KVM:-auto}
if [ "$want_kvm" = yes ] || { [ "$want_kvm" = auto ] && [ -w /dev/kvm ] &&
  grep -qwE 'vmx|svm' /proc/cpuinfo; }; then
  accel=(-accel kvm -cpu host)
fi

echo "wifi-vm: booting $version (${accel[1]}), at most ${timeout_s} s; results in $results" >&2
started=$(date +%s)
set +e
timeout -k 10 "$timeout_s" qemu-system-x86_64 "${accel[@]}" -m "$memory" -smp 2 \
  -nodefaults -no-user-config -display none -no-reboot \
  -chardev "stdio,id=console,signal=off,logfile=$results/console.log" -serial chardev:console \
  -kernel "$cache/root/boot/vmlinuz-$version" -initrd "$cache/initramfs.gz" \
  -append "console=ttyS0 panic=-1 quiet loglevel=4 rdinit=/init orvane_guest=$here/wifi-vm/guest.sh" \
  -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
  -virtfs "local,path=$results,mount_tag=results,security_model=none" \
  </dev/null
qemu_status=$?
set -e
echo "wifi-vm: the guest ran $(($(date +%s) - started)) s" >&2

if [ "$qemu_status" -eq 124 ] || [ "$qemu_status" -eq 137 ]; then
  echo "wifi-vm: the guest did not finish within ${timeout_s} s" >&2
  exit 124
fi
if [ ! -s "$results/status" ]; then
  echo "wifi-vm: the guest ended without a status (QEMU: $qemu_status); see $results/console.log" >&2
  exit 125
fi
status=$(cat "$results/status")
[[ $status =~ ^[0-9]+$ ]] || { echo "wifi-vm: unreadable status '$status'" >&2; exit 125; }
exit "$status"
