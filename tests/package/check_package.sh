#!/usr/bin/env bash
# Checks the Debian package that `cmake --build BUILD --target package` made: its layout
# and dependencies, the programs run from the unpacked files (the command line from a
# folder without a catalogue, the window offscreen), the desktop entry and AppStream
# metadata with their validators, and lintian without errors or warnings.
# Usage: tests/package/check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "package: $*" >&2; exit 1; }

deb=$(ls "$build"/varomintel_*_amd64.deb 2>/dev/null | head -n 1 || true)
[ -n "$deb" ] || fail "no varomintel_<version>_amd64.deb in $build (cmake --build $build --target package)"
for program in "$build/app/varomintel" "$build/app/varomintel-cli" "$build/app/modules/varomintel-cli-pictures.so"; do
  [ "$deb" -nt "$program" ] || fail "$deb is older than $program (cmake --build $build --target package)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"
lib=$root/usr/lib/varomintel

# The layout: the programs and the data in one folder, the commands, the desktop files.
for f in usr/bin/varomintel usr/bin/varomintel-cli \
         usr/lib/varomintel/varomintel usr/lib/varomintel/varomintel-cli \
         usr/lib/varomintel/modules/varomintel-cli-pictures.so \
         usr/lib/varomintel/Bessel_Lunar_12ky_VNB_0130_25.858.bin usr/lib/varomintel/Top191744_EN.txt \
         usr/lib/varomintel/mond70.bmp usr/lib/varomintel/bluemarble_680x340.bmp \
         usr/share/applications/varomintel.desktop \
         usr/share/metainfo/invalid.varomintel.Varomintel.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/varomintel.svg \
         usr/share/icons/hicolor/16x16/apps/varomintel.png usr/share/icons/hicolor/256x256/apps/varomintel.png \
         usr/share/doc/varomintel/copyright usr/share/doc/varomintel/changelog.gz \
         usr/share/man/man1/varomintel.1.gz usr/share/man/man1/varomintel-cli.1.gz; do
  [ -e "$root/$f" ] || fail "missing /$f"
done
for data in "$build"/app/*.bin "$build"/app/*.bmp "$build"/app/Top*.txt; do
  cmp -s "$data" "$lib/$(basename "$data")" || fail "$(basename "$data") differs from the build's"
done
[ "$(readlink "$root/usr/bin/varomintel-cli")" = ../lib/varomintel/varomintel-cli ] ||
  fail "/usr/bin/varomintel-cli does not point at the installed program"
sh -n "$root/usr/bin/varomintel" && grep -q '^dir=/usr/lib/varomintel$' "$root/usr/bin/varomintel" ||
  fail "the launcher /usr/bin/varomintel does not start the installed program"
grep -q '^Path=/usr/lib/varomintel$' "$root/usr/share/applications/varomintel.desktop" ||
  fail "the desktop entry does not start the program in its data folder"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins qt6-translations-l10n fonts-liberation fonts-dejavu-core; do
  [[ "$depends" == *"$p"* ]] || fail "Depends lacks $p: $depends"
done
# The FFmpeg run-time libraries that varomintel-cli's picture module links (dpkg-shlibdeps finds them), with
# the version number of Debian's FFmpeg in their names (libavcodec59, ...).
for p in libavcodec libavformat libswscale libavutil; do
  [[ "$depends" =~ (^|[[:space:],])$p[0-9]+[[:space:]] ]] || fail "Depends lacks ${p}N: $depends"
done

# The command line, through the /usr/bin link, from a folder without a catalogue: it
# reads the installed one and reports what the build's program reports.
mkdir "$work/empty"
(cd "$work/empty" && "$root/usr/bin/varomintel-cli" report 16921 --lang de --tz 1) > "$work/installed.txt"
(cd "$build/app" && ./varomintel-cli report 16921 --lang de --tz 1) > "$work/built.txt"
cmp -s "$work/installed.txt" "$work/built.txt" || fail "the installed varomintel-cli reports differently"
grep -q 'Totale Mondfinsternis' "$work/installed.txt" || fail "unexpected report: $(cat "$work/installed.txt")"
# The installed command line needs no toolkit; its picture commands open the installed
# module and draw.
! readelf -d "$lib/varomintel-cli" | grep -iE 'NEEDED.*(qt|icu|png|dbus|avcodec)' ||
  fail "the installed varomintel-cli links the toolkit"
(cd "$work/empty" && "$root/usr/bin/varomintel-cli" map 16921 --out map.png) ||
  fail "the installed varomintel-cli draws no map"
[ "$(head -c 8 "$work/empty/map.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "the installed varomintel-cli's map is no PNG picture"

# The window, offscreen, from its data folder: still running after three seconds.
mkdir "$work/config"
status=0
(cd "$lib" && XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen timeout 3 ./varomintel) \
  > "$work/window.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the window ended with status $status: $(cat "$work/window.log")"

desktop-file-validate "$root/usr/share/applications/varomintel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/invalid.varomintel.Varomintel.metainfo.xml" > "$work/appstream.log" ||
  fail "appstreamcli: $(cat "$work/appstream.log")"

# lintian (as root it warns about that; the line is not about the package)
lintian --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 || true
grep -v 'running with root privileges' "$work/lintian.log" | sed 's/^/lintian: /' || true
! grep -q '^E: ' "$work/lintian.log" || fail "lintian reports errors"
! grep -q '^W: ' "$work/lintian.log" || fail "lintian warns: $(grep '^W: ' "$work/lintian.log" | head -n 5)"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, $(grep -c '^W: ' "$work/lintian.log" || true) lintian warnings"
