#!/usr/bin/env bash
# Installs the udev rule that gives the logged-in user access to the supported mice, then asks udev
# to reload its rules and apply them to the hidraw nodes already present.
#
# Usage: sudo scripts/install-udev-rule.sh
#   UDEV_RULES_DIR=<folder>  install into another folder (packaging); root is then not required.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
rule_name=70-vellomir.rules
rule=""
# From the source tree, or from beside the installed program.
for candidate in "$here/../data/$rule_name" "$here/$rule_name" "$here/../share/vellomir/$rule_name"; do
  if [ -f "$candidate" ]; then rule="$candidate"; break; fi
done
if [ -z "$rule" ]; then
  echo "install-udev-rule: $rule_name not found next to $here" >&2
  exit 1
fi

target_dir="${UDEV_RULES_DIR:-/etc/udev/rules.d}"
if [ -z "${UDEV_RULES_DIR:-}" ] && [ "$(id -u)" -ne 0 ]; then
  echo "install-udev-rule: run as root (sudo $0)" >&2
  exit 1
fi

mkdir -p "$target_dir"
install -m 0644 "$rule" "$target_dir/$rule_name"
echo "install-udev-rule: installed $target_dir/$rule_name"

# Only the system's rules folder is read by udev; a packaging folder is left for the package.
if [ -z "${UDEV_RULES_DIR:-}" ]; then
  if command -v udevadm >/dev/null 2>&1; then
    udevadm control --reload-rules
    udevadm trigger --subsystem-match=hidraw --action=change
    echo "install-udev-rule: udev rules reloaded; replug the mouse if it is still not accessible"
  else
    echo "install-udev-rule: udevadm not found; the rule takes effect after the next reboot"
  fi
fi
