# shellcheck shell=bash
# Whole-process timing shared by the bench/*_times.sh scripts (sourced, not run).
# Other jobs on the machine lengthen single runs but rarely the minimum, so the minimum
# and the median are printed, with the load average around the measurement.

# Prints "min median" in ms (one decimal) of the wall times of $runs runs of the command, its
# output to /dev/null; with measure_cpu=1 also "min median" of the processor time (user + system,
# ms, from bash's `time`), which others' load on the machine disturbs less than the wall time.
# The sourcing script sets runs.
# shellcheck disable=SC2154
measure() {
  local times=() start end i cpu_file TIMEFORMAT='%3U %3S' LC_ALL=C
  cpu_file=$(mktemp)
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    { time "$@" >/dev/null 2>&1 || true; } 2>>"$cpu_file"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n |
    awk '{ t[NR] = $1 } END { printf "%8.1f %8.1f", t[1] / 1000, t[int((NR + 1) / 2)] / 1000 }'
  if [[ ${measure_cpu:-0} == 1 ]]; then
    awk '{ print 1000 * ($1 + $2) }' "$cpu_file" | sort -n |
      awk '{ t[NR] = $1 } END { printf " %8.1f %8.1f", t[1], t[int((NR + 1) / 2)] }'
  fi
  rm -f "$cpu_file"
}

# The 1, 5 and 15 minute load averages.
load_average() {
  cut -d' ' -f1-3 /proc/loadavg
}
