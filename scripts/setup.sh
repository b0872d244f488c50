#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent: only packages that are missing are installed. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsqlite3-dev libhidapi-dev zlib1g-dev libminizip-dev libcurl4-openssl-dev libudev-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  python3 zip unzip curl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
