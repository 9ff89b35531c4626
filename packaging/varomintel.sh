#!/bin/sh
# Starts the desktop program. It reads its catalogue and pictures from the current folder
# (its manual only from its own folder): from where the user stands when that folder holds
# a catalogue of its own, otherwise from the installed data beside the program.
dir=@VAROMINTEL_INSTALLED_DIR@
[ -e Bessel_Lunar_12ky_VNB_0130_25.858.bin ] || cd "$dir" || exit 1
exec "$dir/varomintel" "$@"
