#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

echo "== Tests"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAROMINTEL_BENCHMARKS=ON
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVAROMINTEL_SANITIZE=ON -DVAROMINTEL_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
