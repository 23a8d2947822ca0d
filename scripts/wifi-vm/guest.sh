#!/bin/bash
# The virtual machine's second stage, run as its first process on the host's root (read-only,
# with a tmpfs overlay): three simulated radios, D-Bus, NetworkManager, a station namespace
# "sta", and an "Internet" namespace "inet" behind a veth that serves a page and has no route
# back to any private network, so the station's page only comes back through a NAT on this
# machine. The radios' roles:
#   wlan0  the program's radio, managed by NetworkManager;
#   wlan1  the station (the phone), alone in the namespace "sta";
#   wlan2  managed by NetworkManager, free for an access point NetworkManager makes itself (a
#          network for the program to join, or an upstream network).
# Then it sources the job's script (with its arguments) and records its exit status; the
# script finds the functions of station.sh (station_join, station_lease, station_fetch, ...).
#
# Addresses: uplink up0 198.51.100.2/24 (default route), Internet inet0 198.51.100.1/24.

export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export LANG=C.UTF-8
results=/orvane-vm
log=$results/guest.log
work=/run/orvane-vm

power_off() {
  sleep 0.2 # the log's tee
  sync
  echo o >/proc/sysrq-trigger
  # Waits with builtins only: the shares are going away, and init must not exit (a panic).
  while :; do read -r -t 60 _ <>"$work/never"; done
}
finish() {  # status
  echo "$1" >"$results/status"
  echo "wifi-vm guest: finished with status $1 after $(cut -d' ' -f1 /proc/uptime) s"
  power_off
}
fail_setup() {
  echo "wifi-vm guest: setup failed: $*"
  finish 125
}

mount -t proc proc /proc
# Read-only, so NetworkManager treats links as ready without udev (it would wait forever).
mount -t sysfs -o ro sysfs /sys
mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs -o mode=755 tmpfs /run
mount -t tmpfs tmpfs /tmp
mkdir -p "$work" /run/netns /run/dbus /run/lock
mkfifo "$work/never"
ln -s /proc/self/fd /dev/fd
exec > >(tee -a "$log") 2>&1

# shellcheck source=/dev/null
. "$results/job" || fail_setup "no job"
export ORVANE_VM_STATION=$ORVANE_VM_SOURCE/scripts/wifi-vm/station.sh
export ORVANE_VM_UPSTREAM=$ORVANE_VM_SOURCE/scripts/wifi-vm/upstream.sh ORVANE_VM_BUSYBOX
# shellcheck source=station.sh
. "$ORVANE_VM_STATION" || fail_setup "no station functions"
echo "wifi-vm guest: kernel $(uname -r) up after $(cut -d' ' -f1 /proc/uptime) s"

# The kernel package's modules, where modprobe and the kernel's module loader look for them.
mkdir -p "/lib/modules/$(uname -r)"
mount --bind "$ORVANE_VM_MODULES" "/lib/modules/$(uname -r)" || fail_setup "no modules"
hostname orvane-vm
ip link set lo up

# A custom world regulatory domain: NetworkManager may pick channel 13 for a hotspot, which the
# kernel's default domain forbids.
modprobe mac80211_hwsim radios=3 regtest=5 || fail_setup "cannot load mac80211_hwsim"
# NetworkManager gives its nft call about a second; the first one of a boot loads modules, which
# takes longer under emulation. Load what NAT and the filters use now.
modprobe -a nf_tables nft_chain_nat nf_nat nft_masq nft_ct nft_reject_inet nft_fib_inet \
  nft_counter nf_conntrack veth 2>/dev/null
# The shapes of NetworkManager's shared-mode table and of the sharing helper's.
nft -f - <<'EOF' && nft delete table ip orvane_vm_warmup && nft delete table inet orvane_vm_warmup
table ip orvane_vm_warmup {
  chain n { type nat hook postrouting priority 100; policy accept; ip saddr 10.99.0.0/24 ip daddr != 10.99.0.0/24 masquerade; }
  chain f { type filter hook forward priority 0; policy accept; ip daddr 10.99.0.0/24 oifname "lo" ct state { established, related } accept; iifname "lo" reject; }
}
table inet orvane_vm_warmup {
  set s { type ifname; elements = { "lo" } }
  chain f { type filter hook forward priority 0; policy accept; ct state established,related accept; iifname @s meta mark set 1 counter; meta nfproto ipv6 reject; }
  chain n { type nat hook postrouting priority 100; oifname "lo" masquerade; }
}
EOF

for _ in $(seq 50); do [ -e /sys/class/net/wlan2 ] && break; sleep 0.1; done
for radio in wlan0 wlan1 wlan2; do [ -e "/sys/class/net/$radio" ] || fail_setup "no radio $radio"; done

# The Internet: a web server in a namespace that knows only its own link.
ip netns add inet && ip netns add sta || fail_setup "no namespaces"
ip link add up0 type veth peer name inet0 netns inet
ip addr add 198.51.100.2/24 dev up0
ip link set up0 up
ip route add default via "$ORVANE_VM_INTERNET"
ip -n inet link set lo up
ip -n inet addr add "$ORVANE_VM_INTERNET/24" dev inet0
ip -n inet link set inet0 up
mkdir -p "$work/www"
echo "$ORVANE_VM_PAGE" >"$work/www/index.html"
ip netns exec inet "$ORVANE_VM_BUSYBOX" httpd -p "$ORVANE_VM_INTERNET:80" -h "$work/www" ||
  fail_setup "no web server"
# The program's Internet check connects to www.example.com: it finds the Internet namespace.
echo "$ORVANE_VM_INTERNET www.example.com" >>/etc/hosts

# The phone: the second radio in a namespace of its own, its name resolution kept there.
phy1=$(cat /sys/class/net/wlan1/phy80211/name)
iw phy "$phy1" set netns name sta || fail_setup "cannot move $phy1 into the station's namespace"
ip -n sta link set lo up
ip -n sta link set wlan1 up
mkdir -p /etc/netns/sta
: >/etc/netns/sta/resolv.conf

# D-Bus and NetworkManager, which manages only Wi-Fi devices (wlan0 and wlan2: the station's
# radio is in its own namespace).
dbus-daemon --system --fork || fail_setup "no system bus"
wpa_supplicant -u -O /run/wpa_supplicant -B -t -f "$results/wpa_supplicant-nm.log" ||
  fail_setup "no wpa_supplicant for NetworkManager"
mkdir -p /etc/NetworkManager/conf.d
cat >/etc/NetworkManager/conf.d/99-orvane-vm.conf <<'EOF'
[main]
plugins=keyfile
dhcp=internal
[keyfile]
unmanaged-devices=except:type:wifi
[device]
wifi.scan-rand-mac-address=no
[logging]
level=INFO
EOF
NetworkManager --debug --state-file="$work/nm.state" >"$results/NetworkManager.log" 2>&1 &
nm_manages_radios() {
  local devices
  devices=$(nmcli -t -f DEVICE,STATE device 2>/dev/null)
  grep -q '^wlan0:disconnected$' <<<"$devices" && grep -q '^wlan2:disconnected$' <<<"$devices"
}
for _ in $(seq 600); do
  nm_manages_radios && break
  sleep 0.1
done
nm_manages_radios ||
  fail_setup "NetworkManager does not manage wlan0 and wlan2: $(nmcli -t device 2>&1 | tr '\n' ' ')"
echo "wifi-vm guest: ready after $(cut -d' ' -f1 /proc/uptime) s"

# --- The job ----------------------------------------------------------------------------------
status=0
script=$1
shift
echo "wifi-vm guest: running $script $*"
(
  set -u
  # shellcheck source=/dev/null
  . "$script" "$@"
) || status=$?
finish "$status"
