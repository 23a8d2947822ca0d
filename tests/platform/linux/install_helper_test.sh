#!/bin/sh
# Installs the sharing helper into a scratch root and checks that it lands where the polkit
# action says, closed to everyone but its owner. The root is a DESTDIR with the prefix /usr:
# without one, an install as root would write the live system's polkit folder.
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --component sharing-helper --prefix /usr >/dev/null
helper=/usr/libexec/orvane/orvane-sharing-helper
policy=$root/usr/share/polkit-1/actions/org.orvane.sharing-helper.policy
[ -x "$root$helper" ] || { echo "no helper at $root$helper"; exit 1; }
[ "$(stat -c %a "$root$helper")" = 755 ] || { echo "helper mode $(stat -c %a "$root$helper")"; exit 1; }
[ "$(stat -c %u "$root$helper")" = "$(id -u)" ] || { echo "helper not owned by the installer"; exit 1; }
grep -q "<annotate key=\"org.freedesktop.policykit.exec.path\">$helper</annotate>" "$policy" ||
  { echo "the policy does not name $helper"; exit 1; }
grep -q "<allow_active>auth_admin_keep</allow_active>" "$policy" ||
  { echo "the policy does not keep the authorisation for active sessions"; exit 1; }
[ "$(stat -c %a "$policy")" = 644 ] || { echo "policy mode $(stat -c %a "$policy")"; exit 1; }
echo "installed as the policy says"
