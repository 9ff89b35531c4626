#!/usr/bin/env bash
# Draws the program's icon: the full Moon, reddened, inside the dark disc of the Earth's
# umbra with the lighter ring of the penumbra around it, on a night-blue rounded square.
# Writes packaging/icons/varomintel.svg and the PNG sizes of the freedesktop icon theme
# (packaging/icons/NxN/varomintel.png) with rsvg-convert (Debian librsvg2-bin).
# Running it again gives the same bytes.
# Usage: tools/icon/make_icon.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
out=packaging/icons
mkdir -p "$out"
cat > "$out/varomintel.svg" <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <radialGradient id="sky" cx="50%" cy="40%" r="75%">
      <stop offset="0" stop-color="#1d2a55"/>
      <stop offset="1" stop-color="#070b1c"/>
    </radialGradient>
    <radialGradient id="penumbra" cx="50%" cy="50%" r="50%">
      <stop offset="0.62" stop-color="#3a4470" stop-opacity="0.9"/>
      <stop offset="1" stop-color="#3a4470" stop-opacity="0"/>
    </radialGradient>
    <radialGradient id="umbra" cx="50%" cy="50%" r="50%">
      <stop offset="0" stop-color="#1a0f17"/>
      <stop offset="0.92" stop-color="#24131f"/>
      <stop offset="1" stop-color="#3a2130"/>
    </radialGradient>
    <radialGradient id="moon" cx="38%" cy="35%" r="70%">
      <stop offset="0" stop-color="#f0a060"/>
      <stop offset="0.55" stop-color="#c2502a"/>
      <stop offset="1" stop-color="#6e1f14"/>
    </radialGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#sky)"/>
  <circle cx="128" cy="128" r="112" fill="url(#penumbra)"/>
  <circle cx="118" cy="134" r="74" fill="url(#umbra)"/>
  <circle cx="146" cy="116" r="46" fill="url(#moon)"/>
  <circle cx="132" cy="104" r="9" fill="#8e3420" opacity="0.55"/>
  <circle cx="160" cy="130" r="12" fill="#8e3420" opacity="0.5"/>
  <circle cx="150" cy="98" r="6" fill="#8e3420" opacity="0.45"/>
  <path d="M 146 70 A 46 46 0 0 1 192 116" fill="none" stroke="#ffd9a8" stroke-width="3" stroke-linecap="round" opacity="0.85"/>
  <circle cx="50" cy="52" r="2.2" fill="#e8ecff"/>
  <circle cx="206" cy="206" r="1.8" fill="#e8ecff"/>
  <circle cx="214" cy="58" r="1.5" fill="#e8ecff"/>
  <circle cx="40" cy="190" r="1.6" fill="#e8ecff"/>
</svg>
SVG
for size in 16 32 48 64 128 256; do
  mkdir -p "$out/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$out/varomintel.svg" -o "$out/${size}x${size}/varomintel.png"
done
