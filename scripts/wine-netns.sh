# Sourced by the Wine test runners once `build` holds the build folder and the runner's other
# arguments are left in "$@": runs the runner again inside a network namespace of its own with
# only loopback up, so nothing under Wine can leave the machine, and points Wine at a prefix of
# the build's own (never a user's Wine setup), its server stopped when the runner ends.
if [ "${ORVANE_IN_WINE_NETNS:-}" != 1 ]; then
  exec env ORVANE_IN_WINE_NETNS=1 unshare --net -- "$0" "$build" "$@"
fi
ip link set lo up
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
