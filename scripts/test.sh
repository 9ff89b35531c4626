#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the two programs as a packager builds them (Release), and
# every fuzz target for a short time. Here, and only here, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)

echo "== Tests"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=ON \
  -DVAROMINTEL_BENCHMARKS=ON -DVAROMINTEL_TOOLS=ON
cmake --build build --target package > /dev/null
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=ON \
  -DVAROMINTEL_SANITIZE=ON -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== The two programs in Release (-O3), as a distribution or a new user builds them"
scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=OFF \
  -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF -- varomintel varomintel-cli

echo "== Fuzzing"
scripts/fuzz.sh "${VAROMINTEL_FUZZ_SECONDS:-20}"
