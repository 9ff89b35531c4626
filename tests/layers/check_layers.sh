#!/usr/bin/env bash
# Checks that the include lines of src/ follow the layers, from the bottom up:
#   text, astro, eclipse, places, app (no Qt), render (Qt Gui, no widgets), gui (Qt Widgets),
#   and the two programs cli (may use render, never gui).
# A file may include its own layer and the layers below it; Qt only from render up, Qt
# Widgets only in gui. The renderers and the writers (render/, cli/json_*,
# places/calendar_export*) only format what the model computed: of astro/ and eclipse/
# they may include the plain type and record headers below, never a computing one, nor
# the places' computing headers (the local circumstances, the Moon's sky).
# Prints each violation as FILE:LINE: reason and exits 1 when there is one.
# Usage: check_layers.sh SRC_DIR    or    check_layers.sh --self-test
set -uo pipefail

layers=(text astro eclipse places app render gui)
rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  [ "$1" = cli ] && { echo 6; return; }  # beside gui, above render
  echo -1
}

# Qt Widgets headers: the class headers of the QtWidgets module (QWidget, QLabel, ...).
widgets_dir=""
for d in /usr/include/x86_64-linux-gnu/qt6/QtWidgets /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets; do
  [ -d "$d" ] && { widgets_dir=$d; break; }
done
is_widgets_header() {
  case "$1" in QtWidgets/*|QtWidgets) return 0 ;; esac
  [ -n "$widgets_dir" ] && [ -e "$widgets_dir/$1" ]
}

# The files that only format, relative to the source folder.
is_formatter() {
  case "$1" in render/*|cli/json_*|places/calendar_export*) return 0 ;; esac
  return 1
}
# What a formatter may include of astro/ and eclipse/: angle constants and degree tables,
# the eclipse record, the contacts and the type's names.
formatter_headers=(astro/trig_func.h eclipse/catalogue.h eclipse/contact.h eclipse/eclipse_type.h)
places_computing=(places/local_circumstances.h places/local_sky.h)
is_formatter_header() {
  local h
  case "$1" in
    astro/*|eclipse/*) for h in "${formatter_headers[@]}"; do [ "$h" = "$1" ] && return 0; done; return 1 ;;
  esac
  for h in "${places_computing[@]}"; do [ "$h" = "$1" ] && return 1; done
  return 0
}

check() {
  local src=$1 failed=0 file layer r line num inc target tr
  while IFS= read -r file; do
    layer=${file#"$src"/}
    layer=${layer%%/*}
    r=$(rank "$layer")
    [ "$r" -lt 0 ] && continue
    while IFS=: read -r num line; do
      if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        inc=${BASH_REMATCH[1]}
        target=${inc%%/*}
        [ "$target" = "$inc" ] && continue  # a header beside the file
        tr=$(rank "$target")
        [ "$tr" -lt 0 ] && continue
        if [ "$target" = gui ] && [ "$layer" = cli ]; then
          echo "$file:$num: the command line includes the windows ($inc)"; failed=1
        elif [ "$target" = cli ] && [ "$layer" != cli ]; then
          echo "$file:$num: $layer includes the command line ($inc)"; failed=1
        elif [ "$tr" -gt "$r" ]; then
          echo "$file:$num: $layer includes the higher layer $target ($inc)"; failed=1
        elif is_formatter "${file#"$src"/}" && ! is_formatter_header "$inc"; then
          echo "$file:$num: a renderer or writer only formats, but includes the computing header $inc" \
               "(of astro/ and eclipse/ only ${formatter_headers[*]}; compute in the model and pass the values)"; failed=1
        fi
      elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[^\>]*)\> ]]; then
        inc=${BASH_REMATCH[1]}
        if [ "$r" -lt "$(rank render)" ]; then
          echo "$file:$num: $layer must not use Qt ($inc)"; failed=1
        elif [ "$layer" != gui ] && is_widgets_header "$inc"; then
          echo "$file:$num: $layer must not use Qt Widgets ($inc)"; failed=1
        fi
      fi
    done < <(grep -n '#[[:space:]]*include' "$file")
  done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' -o -name '*.in' \) | sort)
  return $failed
}

if [ "${1:-}" = --self-test ]; then
  # A tree with one file of each kind of violation must fail with each reported; a clean
  # tree must pass.
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  mkdir -p "$tmp/bad/eclipse" "$tmp/bad/render" "$tmp/bad/cli" "$tmp/bad/places" "$tmp/good/eclipse" \
           "$tmp/good/gui/main" "$tmp/good/render" "$tmp/good/cli" "$tmp/good/places"
  printf '#include "app/x.h"\n' > "$tmp/bad/eclipse/a.cpp"
  printf '#include <QString>\n' > "$tmp/bad/eclipse/b.cpp"
  printf '#include <QWidget>\n' > "$tmp/bad/render/c.cpp"
  printf '#include "gui/main/w.h"\n' > "$tmp/bad/cli/d.cpp"
  printf '#include "astro/sun_constellation.h"\n' > "$tmp/bad/render/e.cpp"
  printf '#include "eclipse/elements.h"\n' > "$tmp/bad/cli/json_f.cpp"
  printf '#include "astro/calendar.h"\n' > "$tmp/bad/places/calendar_export_g.h"
  printf '#include "places/local_sky.h"\n' > "$tmp/bad/cli/json_h.h"
  printf '#include "eclipse/b.h"\n#include "text/t.h"\n#include <vector>\n' > "$tmp/good/eclipse/a.cpp"
  printf '#include "render/r.h"\n#include <QWidget>\n' > "$tmp/good/gui/main/w.cpp"
  printf '#include "astro/trig_func.h"\n#include "eclipse/contact.h"\n#include "app/v.h"\n' > "$tmp/good/render/r.cpp"
  printf '#include "eclipse/catalogue.h"\n#include "places/export_records.h"\n' > "$tmp/good/cli/json_w.cpp"
  printf '#include "eclipse/elements.h"\n' > "$tmp/good/cli/report_command.cpp"
  printf '#include "astro/calendar.h"\n' > "$tmp/good/places/export_records.cpp"
  out=$(check "$tmp/bad")
  status=$?
  expected=8
  [ "$status" -ne 0 ] || { echo "self-test: the bad tree passed"; exit 1; }
  [ "$(printf '%s\n' "$out" | grep -c .)" -eq "$expected" ] || { echo "self-test: expected $expected reports, got:"; echo "$out"; exit 1; }
  if [ -n "$widgets_dir" ]; then :; else echo "self-test: no QtWidgets headers found"; exit 1; fi
  check "$tmp/good" || { echo "self-test: the good tree failed"; exit 1; }
  echo "self-test passed"
  exit 0
fi

[ $# -eq 1 ] || { echo "usage: $0 SRC_DIR | --self-test" >&2; exit 2; }
check "$1" && echo "include lines follow the layers"
