#!/bin/bash
# The upstream network of scripts/wifi-vm.sh's virtual machine, the hotel's Wi-Fi for the case
# where one card shares the network it is connected to: the third radio, wlan2, in a namespace
# "upn" of its own (in the machine's namespace its traffic would never go over the air), as a
# WPA2 access point of a plain wpa_supplicant with busybox's DHCP server, routing and NAT to
# the Internet namespace over a veth of its own. Run as `upstream.sh COMMAND ARGS...`:
#   up CHANNEL     start it on a 2.4 GHz channel
#   move CHANNEL   the same network on another channel
#   down           stop it and give wlan2 back to the machine's namespace
# Addresses: wlan2 10.77.0.1/24 (leases .100 to .150), upl0 203.0.113.2/24 to the Internet's
# inet1 203.0.113.1/24.

export UPSTREAM_SSID=hotel-net
export UPSTREAM_KEY=hotel-key-2406
work=/run/orvane-vm
results=/orvane-vm
busybox=${ORVANE_VM_BUSYBOX:-busybox}

upstream_access_point() {  # CHANNEL
  local frequency=$((2407 + 5 * $1))
  if [ -f "$work/upn-ap.pid" ]; then
    kill "$(cat "$work/upn-ap.pid")" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$(cat "$work/upn-ap.pid")" 2>/dev/null || break; sleep 0.1; done
    rm -f "$work/upn-ap.pid"
  fi
  cat >"$work/upn-ap.conf" <<CONF
ctrl_interface=$work/upn-ctrl
network={
  ssid="$UPSTREAM_SSID"
  mode=2
  frequency=$frequency
  key_mgmt=WPA-PSK
  proto=RSN
  pairwise=CCMP
  group=CCMP
  psk="$UPSTREAM_KEY"
}
CONF
  ip netns exec upn wpa_supplicant -B -i wlan2 -c "$work/upn-ap.conf" -P "$work/upn-ap.pid" \
    -t -f "$results/wpa_supplicant-upstream.log"
}

upstream_up() {  # CHANNEL
  local phy
  upstream_down  # what a case that failed left
  phy=$(cat /sys/class/net/wlan2/phy80211/name) || return 1
  echo "$phy" >"$work/upn-phy"
  ip netns add upn || return 1
  iw phy "$phy" set netns name upn || return 1
  ip -n upn link set lo up
  ip link add upl0 netns upn type veth peer name inet1 netns inet || return 1
  ip -n inet addr add 203.0.113.1/24 dev inet1
  ip -n inet link set inet1 up
  ip -n upn addr add 203.0.113.2/24 dev upl0
  ip -n upn link set upl0 up
  ip -n upn route add default via 203.0.113.1
  ip -n upn addr add 10.77.0.1/24 dev wlan2
  ip -n upn link set wlan2 up
  ip netns exec upn sysctl -qw net.ipv4.conf.all.forwarding=1
  ip netns exec upn nft -f - <<'NFT' || return 1
table ip upn {
  chain n { type nat hook postrouting priority 100; oifname "upl0" masquerade; }
}
NFT
  cat >"$work/upn-dhcp.conf" <<CONF
start 10.77.0.100
end 10.77.0.150
interface wlan2
lease_file $work/upn.leases
pidfile $work/upn-dhcp.pid
opt router 10.77.0.1
opt subnet 255.255.255.0
opt lease 600
CONF
  : >"$work/upn.leases"
  ip netns exec upn "$busybox" udhcpd -S "$work/upn-dhcp.conf" || return 1
  upstream_access_point "$1"
}

upstream_move() {  # CHANNEL
  upstream_access_point "$1"
}

upstream_down() {
  local pid
  for file in upn-ap.pid upn-dhcp.pid; do
    pid=$(cat "$work/$file" 2>/dev/null) && kill "$pid" 2>/dev/null
    rm -f "$work/$file"
  done
  [ -f "$work/upn-phy" ] && ip netns exec upn iw phy "$(cat "$work/upn-phy")" set netns 1
  rm -f "$work/upn-phy"
  ip netns del upn 2>/dev/null
  ip -n inet link del inet1 2>/dev/null
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  command=${1:-}
  shift || true
  exec >>"$results/upstream.log" 2>&1
  echo "upstream: $command $*"
  case $command in
    up | move | down) "upstream_$command" "$@" ;;
    *) echo "usage: $0 up|move|down ARGS..." >&2; exit 2 ;;
  esac
fi
