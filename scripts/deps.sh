#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
# Quiet and quick when everything is there already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libswe-dev swe-data
  fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
echo "deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
