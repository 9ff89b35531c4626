#!/usr/bin/env bash
# Regenerates the 31 pictures in data/: the four world maps of 680 x 340 pixels, their
# darkened twins and the Moon pictures mond70.bmp ... mond92.bmp.
#
# Sources, all at pinned versions and checked against their SHA-256 sums:
#   - Debian package marble-qt-data: NASA Blue Marble (bluemarble.jpg) and the SRTM30
#     elevation tiles of level 0 (public domain);
#   - Debian package stellarium-data: the lunar map moon_4k.jpg (public domain: USGS
#     Astrogeology and Clementine);
#   - npm package world-atlas: Natural Earth 4.1.0 land and countries at 1:50m as TopoJSON
#     (public domain data, package under the ISC licence).
# The two Debian packages are only downloaded and unpacked into a temporary directory,
# never installed; world-atlas is unpacked there too. The builder is
# tools/pictures/make_pictures.py on Debian's own Python with python3-pil and python3-numpy
# at the versions below (installed with apt-get when missing). Finally the dark-map tool,
# `varomintel-cli prepare-dark-maps`, prepares the darkened maps (built first when absent).
#
# Usage: tools/pictures/make_pictures.sh [OUTPUT_DIR]     (default: data/ of this repository)
#        VAROMINTEL_CLI=/path/to/varomintel-cli to use a given build of the tool.
set -euo pipefail

marble_version=4:22.12.3-1
stellarium_version=0.22.2-1
pil_version=9.4.0-1.1+deb12u1
numpy_version=1:1.24.2-1+deb12u1
atlas_version=2.0.2

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$script_dir/../.." && pwd)
output=${1:-$repo_dir/data}
python=/usr/bin/python3

fail() { echo "make_pictures: $*" >&2; exit 1; }

for tool in apt-get dpkg-deb dpkg-query sha256sum; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' not found"
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 && sudo_cmd=(sudo)
fi

installed_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true; }

# Debian's Python packages for the builder, at the pinned versions, and npm for world-atlas.
need=()
[ "$(installed_version python3-pil)" = "$pil_version" ] || need+=("python3-pil=$pil_version")
[ "$(installed_version python3-numpy)" = "$numpy_version" ] || need+=("python3-numpy=$numpy_version")
command -v npm >/dev/null 2>&1 || need+=(npm)
if [ ${#need[@]} -gt 0 ]; then
  echo "make_pictures: installing ${need[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# When run as root, apt warns that its unprivileged user cannot write here and fetches
# as root instead; that warning goes to apt.log and is shown only on failure.
download() {
  (cd "$work" && apt-get download -q "marble-qt-data=$marble_version" "stellarium-data=$stellarium_version" \
     >/dev/null 2>"$work/apt.log")
}
if ! download; then
  echo "make_pictures: download failed, refreshing package lists" >&2
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  download || { cat "$work/apt.log" >&2; fail "cannot download marble-qt-data and stellarium-data"; }
fi
for deb in "$work"/*.deb; do dpkg-deb -x "$deb" "$work/root"; done

(cd "$work" && npm pack "world-atlas@$atlas_version" --silent >/dev/null 2>"$work/npm.log") \
  || { cat "$work/npm.log" >&2; fail "cannot fetch world-atlas@$atlas_version"; }
mkdir -p "$work/atlas"
tar -xzf "$work/world-atlas-$atlas_version.tgz" -C "$work/atlas"

marble=$work/root/usr/share/marble/data
textures=$work/root/usr/share/stellarium/textures
atlas=$work/atlas/package
sha256sum --quiet -c - <<EOF || fail "a source file differs from the pinned one"
66992f97214d76aa2572050d4993d399ad193e0efa429fdb9975a51ba04bff52  $marble/maps/earth/bluemarble/bluemarble.jpg
0efaa539b6582fa845ec91762589ceeb270dfa6e2f381017cf617b196d73f592  $marble/maps/earth/srtm/0/000000/000000_000000.jpg
efdb2c6873192c96a8800994ec0996506b224f621641c00575bacdd7efb80098  $marble/maps/earth/srtm/0/000000/000000_000001.jpg
a71deba23c5e7b3945b5f7a33105975beb605b67486b38fa13e8246cbfdfaa93  $textures/moon_4k.jpg
619477ff690c086885e45cb91707d783805561bd75ae8e437b7d4694b0204e0f  $atlas/land-50m.json
04342cdc1e3016bcd7db1630de95684d67b79fe3c8c460321e87aef469502394  $atlas/countries-50m.json
EOF

"$python" -I "$script_dir/make_pictures.py" "$marble" "$textures" "$atlas" "$work/out"

cli=${VAROMINTEL_CLI:-$repo_dir/build/app/varomintel-cli}
if [ ! -x "$cli" ]; then
  echo "make_pictures: building varomintel-cli" >&2
  "$repo_dir/scripts/build.sh" "$repo_dir/build"
fi
(cd "$work/out" && "$cli" prepare-dark-maps >/dev/null)

mkdir -p "$output"
cp "$work"/out/*.bmp "$output"/
echo "make_pictures: wrote 31 pictures to $output" >&2
