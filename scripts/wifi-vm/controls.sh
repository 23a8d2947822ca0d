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
  wifi-sec.psk "$key" >/dev/null || { echo "controls: cannot add the hotspot profile"; exit 1; }
nmcli connection up controls || { echo "controls: the hotspot did not come up"; exit 1; }
echo "controls: hotspot up after $(($(now_ms) - started)) ms"

beacon=$(station_scan "$ssid") || { echo "controls: the station hears no beacon of $ssid"; exit 1; }
echo "$beacon" | grep -q 'RSN:' || { echo "controls: the beacon shows no WPA2: $beacon"; exit 1; }

station_join "$ssid" wpa2 "$key"
station_associated 30 || { echo "controls: the station did not join"; exit 1; }
address=$(station_lease 15) || { echo "controls: the station got no address"; exit 1; }
echo "controls: the station has $address"
page=$(station_fetch)
[ "$page" = "$ORVANE_VM_PAGE" ] || { echo "controls: the station fetched '$page'"; exit 1; }
figure nm_hotspot_start_to_station_fetch_ms "$(($(now_ms) - started))" ms

# A wrong key is not let in.
station_join "$ssid" wpa2 "not-the-key-at-all"
if station_associated 10; then
  echo "controls: the station joined with a wrong key"
  exit 1
fi
station_leave

nmcli connection down controls >/dev/null
nmcli connection delete controls >/dev/null
echo "controls: passed"
