#!/bin/sh
# Installs the sharing helper into a scratch prefix and checks that it lands where the polkit
# action says, closed to everyone but its owner.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --component sharing-helper --prefix "$prefix" >/dev/null
helper=$prefix/libexec/orvane/orvane-sharing-helper
policy=$prefix/share/polkit-1/actions/org.orvane.sharing-helper.policy
[ -x "$helper" ] || { echo "no helper at $helper"; exit 1; }
[ "$(stat -c %a "$helper")" = 755 ] || { echo "helper mode $(stat -c %a "$helper")"; exit 1; }
[ "$(stat -c %u "$helper")" = "$(id -u)" ] || { echo "helper not owned by the installer"; exit 1; }
grep -q "<annotate key=\"org.freedesktop.policykit.exec.path\">$helper</annotate>" "$policy" ||
  { echo "the policy does not name $helper"; exit 1; }
grep -q "<allow_active>auth_admin_keep</allow_active>" "$policy" ||
  { echo "the policy does not keep the authorisation for active sessions"; exit 1; }
[ "$(stat -c %a "$policy")" = 644 ] || { echo "policy mode $(stat -c %a "$policy")"; exit 1; }
echo "installed as the policy says"
