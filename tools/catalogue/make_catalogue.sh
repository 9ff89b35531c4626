#!/usr/bin/env bash
# Regenerates data/Bessel_Lunar_12ky_VNB_0130_25.858.bin bit for bit: installs the Swiss
# Ephemeris library and its files when missing, builds the generator and runs it.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/deps.sh
scripts/build.sh build
build/tools/catalogue/make_catalogue data/Bessel_Lunar_12ky_VNB_0130_25.858.bin
sha256sum data/Bessel_Lunar_12ky_VNB_0130_25.858.bin
