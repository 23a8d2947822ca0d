# shellcheck shell=bash
# The wifi label's run in the virtual machine, sourced by guest.sh: the controls case with
# NetworkManager's own hotspot first, so that a broken harness is told apart from a broken
# program, then the program's cases (the gtest executable given as the first argument, with
# any further arguments passed on to it).
tests=$1
shift
if ! (. "$ORVANE_VM_SOURCE/scripts/wifi-vm/controls.sh"); then
  echo "wifi: the controls case failed, so the harness is broken; the program's cases did not run"
  exit 1
fi
"$tests" --gtest_color=no "$@"
