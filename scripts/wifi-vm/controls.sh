# shellcheck shell=bash
# The controls case, sourced by guest.sh in the virtual machine: NetworkManager's own WPA2
# hotspot in shared mode on wlan0, and the station joins it, gets an address from
# NetworkManager's DHCP server and fetches the Internet's page through its NAT. When this fails,
# the harness is broken, not the program.
ssid=nm-controls
key=controls-key-2406

started=$(now_ms)
nmcli connection add type wifi ifname wlan0 con-name controls autoconnect no ssid "$ssid" \
  802-11-wireless.mode ap 802-11-wireless.band bg ipv4.method shared ipv6.method disabled \
  wifi-sec.key-mgmt wpa-psk wifi-sec.proto rsn wifi-sec.pairwise ccmp wifi-sec.group ccmp \
  wifi-sec.psk "$key" >/dev/null || { say "controls: cannot add the hotspot profile"; exit 1; }
nmcli connection up controls || { say "controls: the hotspot did not come up"; exit 1; }
say "controls: hotspot up after $(($(now_ms) - started)) ms"

beacon=$(station_scan "$ssid") || { say "controls: the station hears no beacon of $ssid"; exit 1; }
echo "$beacon" | grep -q 'RSN:' || { say "controls: the beacon shows no WPA2: $beacon"; exit 1; }

say "controls: the station joins"
station_join "$ssid" wpa2 "$key"
station_associated 30 || { say "controls: the station did not join"; exit 1; }
address=$(station_lease 15) || { say "controls: the station got no address"; exit 1; }
say "controls: the station has $address"
page=$(station_fetch)
[ "$page" = "$ORVANE_VM_PAGE" ] || {
  say "controls: the station fetched '$page'"
  harness_state
  exit 1
}
figure nm_hotspot_start_to_station_fetch_ms "$(($(now_ms) - started))" ms

# A wrong key is not let in.
say "controls: a wrong key"
station_join "$ssid" wpa2 "not-the-key-at-all"
if station_associated 10; then
  say "controls: the station joined with a wrong key"
  exit 1
fi
station_leave

say "controls: down"
nmcli connection down controls >/dev/null
nmcli connection delete controls >/dev/null
say "controls: passed"
