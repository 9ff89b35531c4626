#!/usr/bin/env bash
# Makes the README's screenshot from the desktop program itself: its main window as a new
# user first sees it (fresh settings: the penumbral eclipse of 1922 March 13 in terrestrial
# time), on a virtual 1366 x 768 screen with the openbox window manager, switched to
# English through the Option menu as a user would.
#
# One command, from the repository (after ./scripts/run.sh or a build of `varomintel`):
#
#   tools/make_screenshot.sh
#
# writes docs/screenshot.png. Options:
#   --lang de|en|fr   the program's language (default en; de is what a first start shows)
#   --size WxH        the virtual screen (default 1366x768)
#   --out FILE.png    the picture (default docs/screenshot.png of this repository)
#   PROGRAM           the program to start (default: build/app/varomintel of this repository,
#                     else build-release/app/varomintel, else `varomintel` on the PATH,
#                     the installed package)
#
# The program runs with its settings in a temporary folder (XDG_CONFIG_HOME and the other
# XDG folders), so the user's settings are neither read nor changed, and every run starts
# from the same defaults. The picture is the window's inside (menu bar to status bar),
# taken once the diagram and the map are drawn and the picture stands still (the blinking
# text cursor of the focused entry aside: the capture without it is kept).
# It is reduced to 256 colours and compressed with optipng when that is installed.
# Needs xvfb-run (xvfb, xauth), openbox, xdotool and ImageMagick: `scripts/deps.sh test`
# installs them.
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$script_dir/.." && pwd)

die() {
  echo "make_screenshot: $*" >&2
  exit 2
}

# The part that runs inside the virtual X server (the script calls itself through xvfb-run).
if [ "${1:-}" = "--inside-xvfb" ]; then
  program=$2 lang=$3 raw=$4 work=$5
  export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
  export XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
  export QT_QPA_PLATFORM=xcb QT_AUTO_SCREEN_SCALE_FACTOR=0

  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  # A built program reads its catalogue and pictures from the current folder: start it in
  # its own folder, as scripts/run.sh does. The installed launcher finds its folder itself.
  if [ -f "$(dirname "$program")/Bessel_Lunar_12ky_VNB_0130_25.858.bin" ]; then
    (cd "$(dirname "$program")" && exec "$program") >"$work/program.log" 2>&1 &
  else
    (cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
  fi
  app=$!
  trap 'kill "$app" "$wm" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

  # The main window's caption starts with the program's name. Waited for a
  # second at a time, so that a program that ends (a missing catalogue, no display) is
  # reported at once.
  window=
  for _ in $(seq 1 60); do
    window=$(timeout 1 xdotool search --sync --onlyvisible --pid "$app" --name '^Varomintel' 2>/dev/null |
      head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || break
  done
  if [ -z "$window" ]; then
    if kill -0 "$app" 2>/dev/null; then
      echo "make_screenshot: the program showed no main window within 60 s; its output:" >&2
    else
      echo "make_screenshot: the program ended without showing its window; its output:" >&2
    fi
    cat "$work/program.log" >&2
    exit 1
  fi
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window"

  # The language, as a user switches it: Option (Alt+O), then the item's underlined letter.
  case "$lang" in
    en) keys=e ;;
    fr) keys=f ;;
    de) keys=d ;;
  esac
  sleep 1
  xdotool key --clearmodifiers alt+o
  sleep 0.5
  xdotool key --clearmodifiers "$keys"

  # Wait until the picture stands still: over the last six captures, a quarter of a
  # second apart, at most two states, since the text cursor of the focused entry blinks.
  # Of two, the one without the cursor is kept: the brighter where they differ (the
  # cursor is dark), so that every run gives the same picture.
  sleep 1
  hashes=()
  for i in $(seq 1 120); do
    sleep 0.25
    import -window "$window" "$work/capture_$i.png"
    hashes+=("$(md5sum <"$work/capture_$i.png" | cut -d' ' -f1)")
    [ "$i" -ge 6 ] || continue
    declare -A first=()
    for j in $(seq $((i - 5)) "$i"); do
      h=${hashes[$((j - 1))]}
      [ -n "${first[$h]:-}" ] || first[$h]=$j
    done
    states=("${first[@]}")
    unset first
    if [ ${#states[@]} -eq 1 ]; then
      cp "$work/capture_$i.png" "$raw"
      exit 0
    elif [ ${#states[@]} -eq 2 ]; then
      a=$work/capture_${states[0]}.png b=$work/capture_${states[1]}.png
      box=$(convert "$a" "$b" -compose difference -composite -format '%@' info:)
      mean_a=$(convert "$a" -crop "$box" +repage -format '%[mean]' info:)
      mean_b=$(convert "$b" -crop "$box" +repage -format '%[mean]' info:)
      if awk -v a="$mean_a" -v b="$mean_b" 'BEGIN { exit !(a >= b) }'; then cp "$a" "$raw"; else cp "$b" "$raw"; fi
      exit 0
    fi
  done
  echo "make_screenshot: the window did not settle within 30 s" >&2
  exit 1
fi

lang=en
size=1366x768
out=$repo_dir/docs/screenshot.png
program=
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) lang=${2:-}; shift 2 ;;
    --size) size=${2:-}; shift 2 ;;
    --out) out=${2:-}; shift 2 ;;
    -h | --help) sed -n '2,25p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) die "unknown option $1 (see --help)" ;;
    *) program=$1; shift ;;
  esac
done
case "$lang" in de | en | fr) ;; *) die "--lang must be de, en or fr" ;; esac
[[ "$size" =~ ^[0-9]+x[0-9]+$ ]] || die "--size must be WIDTHxHEIGHT, e.g. 1366x768"

missing=()
for tool in xvfb-run Xvfb xauth openbox xdotool import convert identify md5sum timeout; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[ ${#missing[@]} -eq 0 ] || die "missing: ${missing[*]}; install them with scripts/deps.sh test (xvfb xauth openbox xdotool imagemagick)"

if [ -z "$program" ]; then
  for candidate in "$repo_dir/build/app/varomintel" "$repo_dir/build-release/app/varomintel"; do
    if [ -x "$candidate" ]; then program=$candidate; break; fi
  done
  [ -n "$program" ] || program=$(command -v varomintel || true)
  [ -n "$program" ] || die "no program found: build it (./scripts/run.sh, or cmake --build build --target varomintel app_data) or name it"
fi
named=$program
[[ "$program" == */* ]] || program=$(command -v "$program" || true)
if [ -z "$program" ] || [ ! -f "$program" ] || [ ! -x "$program" ]; then
  die "$named: no such program"
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
# A built program (not the installed launcher) needs the data beside it.
if [ "$(head -c 4 "$program" | od -An -c | tr -d ' ')" = '177ELF' ] &&
  [ ! -f "$(dirname "$program")/Bessel_Lunar_12ky_VNB_0130_25.858.bin" ]; then
  die "$(dirname "$program") holds no catalogue: build the data too (cmake --build build --target app_data)"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/varomintel-screenshot.XXXXXX")
trap 'rm -rf "$work"' EXIT
raw=$work/raw.png

xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" "$0" --inside-xvfb "$program" "$lang" "$raw" "$work"

# 256 colours keep the photographs of the map and the Moon looking right at a fraction of
# the size; the metadata (dates) goes, so the same window gives the same file.
mkdir -p "$(dirname "$out")"
convert "$raw" -strip -dither None -colors 256 -define png:compression-level=9 \
  -define png:exclude-chunks=date,time "$work/small.png"
if command -v optipng >/dev/null 2>&1; then
  optipng -quiet -o5 -strip all "$work/small.png"
fi
mv -f "$work/small.png" "$out.tmp.$$"
mv -f "$out.tmp.$$" "$out"
echo "$out: $(identify -format '%w x %h' "$out"), $(stat -c %s "$out") bytes"
