# shellcheck shell=bash
# Whole-process timing shared by the bench/*_times.sh scripts (sourced, not run).
# Other jobs on the machine lengthen single runs but rarely the minimum, so the minimum
# and the median are printed, with the load average around the measurement.

# Prints "min median" in ms (one decimal) of $runs runs of the command, output to /dev/null;
# the sourcing script sets runs.
# shellcheck disable=SC2154
measure() {
  local times=() start end i
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n |
    awk '{ t[NR] = $1 } END { printf "%8.1f %8.1f", t[1] / 1000, t[int((NR + 1) / 2)] / 1000 }'
}

# The 1, 5 and 15 minute load averages.
load_average() {
  cut -d' ' -f1-3 /proc/loadavg
}
