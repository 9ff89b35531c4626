#!/usr/bin/env bash
# Whole-process times of the list commands against the process's own floor.
# Each case runs RUNS times (default 15) with its output to /dev/null; the minimum and the
# median wall time are printed in milliseconds, with the load average before and after,
# because other jobs on the machine lengthen single runs but rarely the minimum.
#   bench/process_times.sh [build/app] [RUNS]
# shellcheck source-path=SCRIPTDIR
set -euo pipefail

app_dir=${1:-build/app}
runs=${2:-15}
cli="$app_dir/varomintel-cli"
[[ -x $cli ]] || { echo "no $cli" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/measure.sh"

case_line() {
  local name=$1
  shift
  printf '%-34s %s\n' "$name" "$(measure "$@")"
}

echo "load average before: $(load_average); cores: $(nproc)"
printf '%-34s %8s %8s  (ms)\n' case min median
cd "$app_dir"
case_line "floor: --help" ./varomintel-cli --help
case_line "floor: find --year 2022" ./varomintel-cli find --year 2022
case_line "citylist 16921 (text)" ./varomintel-cli citylist 16921
case_line "citylist 16921 --screen" ./varomintel-cli citylist 16921 --screen
case_line "citylist 16921 --format json" ./varomintel-cli citylist 16921 --format json
case_line "citylist 16921 item 0 (survey)" ./varomintel-cli citylist 16921 --population-item 0
case_line "cityhist 12,000 years (text)" ./varomintel-cli cityhist --lat 47.56N --lon 7.59E --name Basel
case_line "cityhist 12,000 years --format json" ./varomintel-cli cityhist --lat 47.56N --lon 7.59E --name Basel --format json
case_line "cityhist 12,000 years --format ics" ./varomintel-cli cityhist --lat 47.56N --lon 7.59E --name Basel --format ics
echo "load average after: $(load_average)"
