#!/usr/bin/env bash
# Installs the Debian packages that are missing. Quiet and quick when everything is there.
# Usage: scripts/deps.sh run     what building and running the two programs needs
#        scripts/deps.sh test    that, and what the tests, benchmarks, fuzzing, the
#                                catalogue generator and the README's screenshot
#                                (tools/make_screenshot.sh) need
set -euo pipefail

run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n nlohmann-json3-dev libcli11-dev
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
  fonts-liberation fonts-dejavu-core
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  libswe-dev swe-data
  clang libclang-rt-14-dev
  python3 python3-icalendar
  dpkg-dev desktop-file-utils appstream lintian librsvg2-bin
  xvfb xauth openbox xdotool imagemagick
  ffmpeg
  ccache
)

case "${1:-test}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

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
