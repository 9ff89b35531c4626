#!/usr/bin/env bash
# Whole-process times of varomintel-cli against an independent library, the Swiss Ephemeris
# (libswe, Debian libswe-dev), on the same two jobs:
#   1. every lunar eclipse of FROM..TO (1900..2100) with its contacts:
#      peer: swe_lun_eclipse_when in a loop (bench/peer/peer_eclipses.cpp), one text line per
#            eclipse with its type and the UT of P1 U1 U2 Max U3 U4 P4;
#      ours: `varomintel-cli circumstances FIRST..LAST`, the catalogue indices of the first
#            eclipse of FROM and of the last of TO (the one before the first of TO+1), as text
#            and as JSON (which, like the peer's lines, carries the calendar time of each contact).
#   2. those of them seen from Zürich (47.3769N 8.5417E, height 0):
#      peer: swe_lun_eclipse_when_loc in a loop;
#      ours: `varomintel-cli cityhist --lat 47.3769N --lon 8.5417E --from FROM --to TO`.
# Ephemeris of the peer: the library's own files (semo_18.se1 and sepl_18.se1, 1800..2399) from
# Debian's swe-data, installed by scripts/deps.sh, read offline from pkg-config's ephedir
# (/usr/share/libswe/ephe); peer_eclipses stops if they are missing instead of falling back to
# the analytical Moshier ephemeris, so every run uses the same one. Ours reads its catalogue of
# Besselian elements (computed beforehand) and computes the contacts and the local circumstances
# from it; the peer computes everything from the ephemeris, so the ratio measures the two whole
# programs as a user meets them, not like for like.
#
# Before timing, both sides run once and their eclipses are counted and compared: job 1 eclipse
# by eclipse in date order (type h/p/t, and the time of greatest eclipse), job 2 by date, one day
# apart at most (ours prints the UT date of the first contact, the peer that of greatest eclipse).
# Each case then runs RUNS times (default 11) with its output to /dev/null; the minimum and the
# median of the wall time and of the processor time (user + system) are printed in ms, and the
# ratio peer / ours of each. The peer runs on one thread; ours' cityhist shares its work among
# as many threads as the machine has cores, and its processor time counts them all.
#   bench/peer_times.sh [BUILD_DIR] [RUNS]       (BUILD_DIR defaults to build)
# It needs the targets varomintel-cli and peer_eclipses (built with -DVAROMINTEL_BENCHMARKS=ON):
#   cmake --build build --target varomintel-cli peer_eclipses
# shellcheck source-path=SCRIPTDIR
set -euo pipefail

build_dir=$(realpath "${1:-build}")
runs=${2:-11}
from=1900
to=2100
lat=47.3769
lon=8.5417
cli="$build_dir/app/varomintel-cli"
peer="$build_dir/bench/peer/peer_eclipses"
for program in "$cli" "$peer"; do
  [[ -x $program ]] || {
    echo "no $program; build it: cmake --build $build_dir --target varomintel-cli peer_eclipses" >&2
    exit 2
  }
done
source "$(dirname "${BASH_SOURCE[0]}")/measure.sh"

# The catalogue sits beside the program; ours reads it from the current folder.
cd "$build_dir/app"

first_of_year() {
  "$cli" find --year "$1" | cut -f1
}
first=$(first_of_year "$from")
last=$(($(first_of_year $((to + 1))) - 1))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Job 1: "YYYY-MM-DD<tab>type<tab>hh:mm:ss" of greatest eclipse (UT); ours' types
# (h penumbral, p partial, t total) from the type codes 1..5.
"$peer" --from "$from" --to "$to" 2>/dev/null | cut -f1,2,6 >"$work/peer1"
"$cli" circumstances "$first..$last" |
  awk -F'\t' '$1 == "EclipseType" { print ($2 <= 2 ? "h" : $2 == 3 ? "p" : "t") }' >"$work/ours1"
"$cli" circumstances "$first..$last" --format json |
  sed -n 's/.*"Max":{[^}]*"utc":"\([0-9-]*\)T\([0-9:]*\)Z".*/\1\t\2/p' >"$work/ours1max"
# Job 2: "YYYY-MM-DD" lines (ours: the UT date of the first contact of the table).
"$peer" --from "$from" --to "$to" --lat "$lat" --lon "$lon" 2>/dev/null | cut -f1 >"$work/peer2"
"$cli" cityhist --lat "${lat}N" --lon "${lon}E" --from "$from" --to "$to" 2>/dev/null | tr -d '\r' |
  awk -F'\t' '$1 ~ /^[0-9][0-9][0-9][0-9]$/ { printf "%04d-%02d-%02d\n", $1, $2, $3 }' >"$work/ours2"

# awk: days since 0000-03-01 of "YYYY-MM-DD" (Gregorian).
day_awk='function day(s,  y, m, d) {
  y = substr(s, 1, 4) + 0; m = substr(s, 6, 2) + 0; d = substr(s, 9, 2) + 0
  if (m < 3) { y--; m += 12 }
  return 365 * y + int(y / 4) - int(y / 100) + int(y / 400) + int((153 * (m - 3) + 2) / 5) + d
}'

tally() {
  sort "$1" | uniq -c | awk '{ printf "%s%s %s", (NR > 1 ? ", " : ""), $1, $2 }'
}

echo "load average before: $(load_average); cores: $(nproc)"
echo "peer: $("$peer" --from "$from" --to "$from" 2>&1 >/dev/null | sed 's/^[0-9]* eclipses (//; s/)$//')"
echo
echo "job 1: lunar eclipses $from..$to with their contacts (catalogue $first..$last)"
echo "  eclipses: peer $(wc -l <"$work/peer1") ($(tally <(cut -f2 "$work/peer1"))), ours $(wc -l <"$work/ours1") ($(tally "$work/ours1"))"
type_differences=$(paste <(cut -f2 "$work/peer1") "$work/ours1" | awk -F'\t' '$1 != $2' | wc -l)
echo "  eclipses of another type or unpaired, in date order: $type_differences"
# Greatest eclipse, ours - peer, paired in date order: the largest difference up to 2029 and
# after it, where the two programs' extrapolations of Delta T part.
paste "$work/ours1max" <(cut -f1,3 "$work/peer1") | awk -F'\t' "$day_awk"'
  function sec(d, t) { return 86400 * day(d) + 3600 * substr(t, 1, 2) + 60 * substr(t, 4, 2) + substr(t, 7, 2) }
  { x = sec($1, $2) - sec($3, $4); k = substr($1, 1, 4) < 2030 ? 1 : 2
    if (!(k in w) || (x < 0 ? -x : x) > (w[k] < 0 ? -w[k] : w[k])) { w[k] = x; at[k] = $1 } }
  END { printf "  greatest eclipse, ours - peer: largest %+d s (%s) up to 2029, %+d s (%s) after\n", w[1], at[1], w[2], at[2] }'
echo
echo "job 2: lunar eclipses $from..$to seen from ${lat}N ${lon}E"
echo "  eclipses: peer $(wc -l <"$work/peer2"), ours $(wc -l <"$work/ours2")"
# Dates of one list with no date of the other within a day.
unmatched() {
  awk "$day_awk"'
       NR == FNR { other[day($1)] = 1; next }
       { t = day($1); if (!((t - 1) in other) && !(t in other) && !((t + 1) in other)) printf " %s", $1 }' "$2" "$1"
}
echo "  only the peer's:$(unmatched "$work/peer2" "$work/ours2")"
echo "  only ours:$(unmatched "$work/ours2" "$work/peer2")"
echo "  (where they differ: ours lists an eclipse when the shadow's axis, seen from the Earth's"
echo "   centre, is above the horizon at a contact; the peer when the Moon seen from the place is;"
echo "   near the horizon the two differ by about the Moon's parallax, 1 degree)"
echo

# Column by column quotient of two `measure` results.
ratio() {
  awk -v p="$1" -v o="$2" 'BEGIN {
    n = split(p, a, " "); split(o, b, " ")
    for (i = 1; i <= n; i++) {
      if (i > 1) printf " "
      if (b[i] > 0) printf "%8.1f", a[i] / b[i]; else printf "%8s", "-"
    }
  }'
}
row() {
  printf '  %-50s %s\n' "$1" "$2"
}

measure_cpu=1
printf '  %-50s %8s %8s %8s %8s\n' "" wall wall cpu cpu
printf '  %-50s %8s %8s %8s %8s  (ms, %d runs)\n' case min median min median "$runs"
row "peer floor: the eclipses of 2022 (two)" "$(measure "$peer" --from 2022 --to 2022)"
row "ours floor: find --year 2022" "$(measure "$cli" find --year 2022)"
echo "job 1"
peer1=$(measure "$peer" --from "$from" --to "$to")
ours1=$(measure "$cli" circumstances "$first..$last")
ours1json=$(measure "$cli" circumstances "$first..$last" --format json)
row "peer: swe_lun_eclipse_when loop" "$peer1"
row "ours: circumstances $first..$last" "$ours1"
row "ours: circumstances $first..$last --format json" "$ours1json"
row "ratio peer / ours (text)" "$(ratio "$peer1" "$ours1")"
row "ratio peer / ours (json)" "$(ratio "$peer1" "$ours1json")"
echo "job 2"
peer2=$(measure "$peer" --from "$from" --to "$to" --lat "$lat" --lon "$lon")
ours2=$(measure "$cli" cityhist --lat "${lat}N" --lon "${lon}E" --from "$from" --to "$to")
row "peer: swe_lun_eclipse_when_loc loop" "$peer2"
row "ours: cityhist --from $from --to $to" "$ours2"
row "ratio peer / ours" "$(ratio "$peer2" "$ours2")"
echo "load average after: $(load_average)"
