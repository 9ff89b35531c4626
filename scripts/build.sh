#!/usr/bin/env bash
# Configures and builds one build tree quietly. Usage: scripts/build.sh DIR [CMAKE OPTIONS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
cmake -S . -B "$dir" -G Ninja --log-level=WARNING "$@" >/dev/null
cmake --build "$dir" -- --quiet
