#!/usr/bin/env bash
# Configures and builds one build tree quietly.
# Usage: scripts/build.sh DIR [CMAKE OPTIONS...] [-- TARGETS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake -S . -B "$dir" -G Ninja --log-level=WARNING "${options[@]}" >/dev/null
cmake --build "$dir" "${targets[@]}" -- --quiet
