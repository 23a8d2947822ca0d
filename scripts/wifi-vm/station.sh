#!/bin/bash
# The station (the phone) of scripts/wifi-vm.sh's virtual machine: the second radio, wlan1, in
# the namespace "sta", with a plain wpa_supplicant and a DHCP client. Sourced by guest.sh for
# the scenarios; run as `station.sh COMMAND ARGS...` (join, associated, lease, fetch, leave,
# scan) by programs in the guest.

# The Internet namespace's web server and the page it serves.
export ORVANE_VM_INTERNET=198.51.100.1
export ORVANE_VM_PAGE="hello from the Internet namespace"
work=/run/orvane-vm
results=/orvane-vm

now_ms() { date +%s%3N; }
# A line for the log, with the guest's uptime.
say() { echo "[$(cut -d' ' -f1 /proc/uptime)] $*"; }

# Starts the station's wpa_supplicant on a network: station_join SSID wpa2|wep|open [KEY].
station_join() {
  local ssid=$1 security=$2 key=${3:-}
  station_leave
  {
    echo "ctrl_interface=$work/sta-ctrl"
    echo "network={"
    echo "  ssid=\"$ssid\""
    echo "  scan_ssid=1"
    case $security in
      wpa2) echo "  key_mgmt=WPA-PSK"; echo "  proto=RSN"; echo "  psk=\"$key\"" ;;
      wep) echo "  key_mgmt=NONE"; echo "  wep_key0=\"$key\""; echo "  wep_tx_keyidx=0"
        echo "  auth_alg=OPEN SHARED" ;;
      open) echo "  key_mgmt=NONE" ;;
    esac
    echo "}"
  } >"$work/sta.conf"
  ip netns exec sta wpa_supplicant -B -i wlan1 -c "$work/sta.conf" -P "$work/sta.pid" \
    -t -f "$results/wpa_supplicant-sta.log"
}

# Waits (at most SECONDS, default 30) until the station is associated and authorised.
station_associated() {
  local deadline=$((SECONDS + ${1:-30}))
  while [ "$SECONDS" -lt "$deadline" ]; do
    ip netns exec sta wpa_cli -p "$work/sta-ctrl" -i wlan1 status 2>/dev/null |
      grep -q '^wpa_state=COMPLETED$' && return 0
    sleep 0.2
  done
  return 1
}

# Asks for a DHCP lease (DISCOVERS requests a second apart, default 15); prints the address.
station_lease() {
  local discovers=${1:-15}
  cat >"$work/dhcp.sh" <<'EOF'
#!/bin/sh
case $1 in
  bound|renew)
    ip addr flush dev "$interface"
    ip addr add "$ip/${mask:-24}" dev "$interface"
    [ -n "$router" ] && ip route replace default via "${router%% *}" dev "$interface"
    [ -n "$dns" ] && for s in $dns; do echo "nameserver $s"; done >/etc/resolv.conf ;;
  deconfig) ip addr flush dev "$interface" ;;
esac
exit 0
EOF
  chmod +x "$work/dhcp.sh"
  ip netns exec sta udhcpc -i wlan1 -n -q -f -t "$discovers" -T 1 -s "$work/dhcp.sh" \
    >>"$results/udhcpc.log" 2>&1 || return 1
  ip -n sta -4 -o addr show dev wlan1 | awk '{print $4}' | cut -d/ -f1
}

# What the station fetches from the Internet's web server ("" when it cannot reach it).
station_fetch() {
  ip netns exec sta curl -s --max-time 10 "http://$ORVANE_VM_INTERNET/" 2>/dev/null
}

# Stops the station's wpa_supplicant and forgets its address.
station_leave() {
  if [ -f "$work/sta.pid" ]; then
    kill "$(cat "$work/sta.pid" 2>/dev/null)" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$(cat "$work/sta.pid" 2>/dev/null)" 2>/dev/null || break; sleep 0.1; done
    rm -f "$work/sta.pid"
  fi
  ip -n sta addr flush dev wlan1 2>/dev/null
}

# What the station's radio hears of SSID now: the scan's block for it (nothing, and status 1,
# when no beacon of it comes within a few scans). A flushing scan forgets networks it no longer
# hears, so a beacon that stopped is not reported from the cache.
station_scan() {
  local ssid=$1 out
  ip -n sta link set wlan1 up
  for _ in 1 2 3; do
    out=$(ip netns exec sta iw dev wlan1 scan flush 2>/dev/null | awk -v ssid="$ssid" '
      /^BSS / { if (found) printf "%s", block; block = ""; found = 0 }
      { block = block $0 "\n" }
      $1 == "SSID:" && substr($0, index($0, "SSID: ") + 6) == ssid { found = 1 }
      END { if (found) printf "%s", block }')
    [ -n "$out" ] && { echo "$out"; return 0; }
    sleep 1
  done
  return 1
}

# What the machine and the station show of addresses, routes and firewall tables, for the log
# of a case that failed.
harness_state() {
  echo "--- access point side"
  ip -4 -o addr show
  ip route
  nft list ruleset
  echo "--- station"
  ip -n sta -4 -o addr show
  ip -n sta route
  ip netns exec sta ping -c 1 -W 2 "$(ip -n sta route | awk '/^default/ {print $3}')"
  echo "--- Internet"
  ip -n inet -4 -o addr show
  ip -n inet route
}

# Prints a figure the way bench/ reads them.
figure() { echo "figure: $1: $2 $3"; }

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  command=${1:-}
  shift || true
  case $command in
    join | associated | lease | fetch | leave | scan) "station_$command" "$@" ;;
    *) echo "usage: $0 join|associated|lease|fetch|leave|scan ARGS..." >&2; exit 2 ;;
  esac
fi
