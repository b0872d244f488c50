#!/usr/bin/env bash
# Installs what is missing, builds and runs the program. Without a supported mouse attached the
# simulated devices are used (a cabled mouse and a receiver with its mouse), unless VELLOMIR_SIMULATE
# is already set (set it empty to insist on real devices). Any arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default

# True when a hidraw node of a supported mouse (vendor 1209, products 0001-000F) is present.
real_mouse_present() {
  local uevent
  for uevent in /sys/class/hidraw/*/device/uevent; do
    [ -r "$uevent" ] || continue
    if grep -qiE '^HID_ID=[0-9A-F]{4}:00001209:0000000[0-9A-F]$' "$uevent"; then return 0; fi
  done
  return 1
}

if [ -z "${VELLOMIR_SIMULATE+set}" ] && ! real_mouse_present; then
  echo "run: no supported mouse attached; using the simulated devices (VELLOMIR_SIMULATE=arc,drift-receiver)"
  export VELLOMIR_SIMULATE=arc,drift-receiver
fi
exec build/default/bin/vellomir-cli "$@"
