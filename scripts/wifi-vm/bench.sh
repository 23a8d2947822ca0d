# shellcheck shell=bash
# The wifi figures, sourced by guest.sh in the virtual machine: from a start to the station's
# first page, for NetworkManager's own WPA2 hotspot (the controls case) and for the program's
# WPA2 network (its test case), alternately in one boot so a busy machine weighs on both alike.
# Arguments: the gtest executable, then the number of rounds (default 3). The figures are the
# "figure:" lines of the log; bench/wifi.sh reads them.
tests=$1
rounds=${2:-3}
for round in $(seq "$rounds"); do
  say "bench: round $round of $rounds"
  if ! (. "$ORVANE_VM_SOURCE/scripts/wifi-vm/controls.sh"); then
    echo "wifi bench: the controls case failed, so the harness is broken"
    exit 1
  fi
  "$tests" --gtest_color=no --gtest_brief=1 \
    --gtest_filter='*Wpa2StationJoinsGetsAnAddressAndReachesTheInternet' || exit 1
done
