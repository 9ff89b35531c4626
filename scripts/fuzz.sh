#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 20 s) on its
# seed corpus (fuzz/corpus/TARGET) and what earlier runs found (build-fuzz/corpus/TARGET),
# as many at a time as there are processors (each fuzzer runs on one).
# Fails on any finding: the crashing input is left in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVAROMINTEL_WERROR=ON \
  -DBUILD_TESTING=OFF -DVAROMINTEL_BENCHMARKS=OFF -DVAROMINTEL_TOOLS=OFF -DVAROMINTEL_FUZZ=ON -- fuzzers
mkdir -p build-fuzz/findings
targets=$(cat build-fuzz/fuzz/targets.txt)

# One target's run; its exit status goes to build-fuzz/TARGET.status, its output to
# build-fuzz/TARGET.log.
fuzz() {
  local target=$1 corpus=build-fuzz/corpus/$1 seeds=() status=0
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
  build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 "$corpus" "${seeds[@]}" \
    > build-fuzz/"$target".log 2>&1 || status=$?
  echo "$status" > build-fuzz/"$target".status
}
parallel=$(nproc)
for target in $targets; do
  rm -f build-fuzz/"$target".status
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  fuzz "$target" &
done
wait

status=0
for target in $targets; do
  if [ "$(cat build-fuzz/"$target".status 2>/dev/null)" = 0 ]; then
    echo "fuzz: $target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/"$target".log | grep -o '[0-9]*$') runs in ${seconds} s, no finding"
  else
    echo "fuzz: $target: FINDING (see build-fuzz/$target.log and build-fuzz/findings/)" >&2
    tail -n 40 build-fuzz/"$target".log >&2
    status=1
  fi
done
exit $status
