#!/usr/bin/env bash
# Regenerates the pictures of the four manuals (data/VaromintelDE.html, ...EN.html,
# ...FR.html, ...ES.html) with the program's own command-line companion: the shadow diagram
# and the world map of the total lunar eclipse of 2022 November 8 (catalogue index 16921),
# each in German, English, French and Spanish, since both pictures carry texts of the
# language.
#
#   help_diagram_de.png ... : the diagram at greatest eclipse, universal time
#   help_map_de.png ...     : the world map (Blue Marble) with Tokyo marked
#
# The command reads the catalogue and the pictures from data/, so the output depends
# only on the build of varomintel-cli and the shipped data.
#
# Usage: tools/help/make_help_pictures.sh [OUTPUT_DIR]     (default: data/ of this repository)
#        VAROMINTEL_CLI=/path/to/varomintel-cli to use a given build (default build/app/).
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$script_dir/../.." && pwd)
output=$(mkdir -p "${1:-$repo_dir/data}" && cd "${1:-$repo_dir/data}" && pwd)
cli=${VAROMINTEL_CLI:-$repo_dir/build/app/varomintel-cli}
if [ ! -x "$cli" ]; then
  echo "varomintel-cli not found at $cli: build first (scripts/build.sh build) or set VAROMINTEL_CLI" >&2
  exit 2
fi

eclipse=16921     # 2022 Nov 08, total
tokyo=35.69N,139.69E

cd "$repo_dir/data"
for lang in de en fr es; do
  "$cli" diagram "$eclipse" --lang "$lang" --out "$output/help_diagram_$lang.png" >/dev/null
  "$cli" map "$eclipse" --globe 0 --poi "$tokyo" --lang "$lang" --out "$output/help_map_$lang.png"
done
ls -l "$output"/help_*.png
