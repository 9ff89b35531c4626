#!/usr/bin/env bash
# Builds the program and starts it in its folder (build/app), where the build has put the
# catalogue, the pictures and the city files beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd build/app
exec ./varomintel "$@"
