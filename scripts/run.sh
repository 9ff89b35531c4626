#!/usr/bin/env bash
# Builds the program and starts it in its folder (build/app) with the shipped data.
# Arguments go to varomintel-cli; without any it shows its help.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build/app
[ $# -eq 0 ] && set -- --help
exec ./varomintel-cli "$@"
