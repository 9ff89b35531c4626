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
# A compiler cache where one is installed (scripts/deps.sh test installs ccache): the base
# folder is the checkout, so that a clone in another folder finds the same entries, and the
# build folder is left out of the key of a build with debug information for the same reason.
if command -v ccache >/dev/null 2>&1 && [ -z "${VAROMINTEL_NO_CCACHE:-}" ]; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja --log-level=WARNING "${options[@]}" >/dev/null
cmake --build "$dir" "${targets[@]}" -- --quiet
