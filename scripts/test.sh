#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the list runs and list windows under ThreadSanitizer, the two
# programs as a packager builds them (Release), and every fuzz target for a short time.
# Here, and only here, warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)
# Each stage's heading, and at the end the time each stage took: the whole run has to stay
# well inside the hour and a half that one CI run may take.
stage_start=$SECONDS
stage_name=
stage_times=()
stage() {
  [ -n "$stage_name" ] && stage_times+=("$(printf '%5d s  %s' $((SECONDS - stage_start)) "$stage_name")")
  stage_name=$1
  stage_start=$SECONDS
  [ -n "$1" ] && echo "== $1"
  return 0
}

stage "Tests"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=ON \
  -DVAROMINTEL_BENCHMARKS=ON -DVAROMINTEL_TOOLS=ON
cmake --build build --target package > /dev/null
ctest --test-dir build --output-on-failure -j "$jobs"

stage "Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=ON \
  -DVAROMINTEL_SANITIZE=ON -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

stage "List runs and list windows under ThreadSanitizer"
# Only the tests whose code runs on two threads (the list run's worker and the window
# that polls it); tests/tsan.supp names what Qt, which is not instrumented, reports.
scripts/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DVAROMINTEL_TSAN=ON -DVAROMINTEL_WERROR=ON \
  -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF -- list_run_tests list_window_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs"

stage "The two programs in Release (-O3), as a distribution or a new user builds them"
scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DVAROMINTEL_WERROR=ON -DBUILD_TESTING=OFF \
  -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF -- varomintel varomintel-cli

stage "Fuzzing"
scripts/fuzz.sh "${VAROMINTEL_FUZZ_SECONDS:-20}"
stage ""
echo "== Time taken"
printf '%s\n' "${stage_times[@]}"
printf '%5d s  all\n' "$SECONDS"
