#!/usr/bin/env bash
# Installs what is missing, builds and runs the program. Without a supported mouse attached the
# simulated devices are used (a cabled mouse and a receiver with its mouse), unless VELLOMIR_SIMULATE
# is already set. Any arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh default
exec build/default/bin/vellomir-cli "$@"
