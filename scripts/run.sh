#!/usr/bin/env bash
# Builds the two programs (no tests, benchmarks or data generators) and starts the desktop
# program in its folder (build/app), where the build has put the catalogue, the pictures
# and the city files beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DVAROMINTEL_BENCHMARKS=OFF \
  -DVAROMINTEL_TOOLS=OFF -- varomintel varomintel-cli app_data
cd build/app
exec ./varomintel "$@"
