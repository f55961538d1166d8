#!/usr/bin/env bash
# The launcher started from a drive letter made for this run (a mapping in the
# Wine prefix onto the folder C: stands for), as a stick gets another letter on
# another machine; OtherDrive.* reads the letter from PORUN_TEST_DRIVE.
set -euo pipefail
root=$1
tests=$2
prefix=${WINEPREFIX:-$root/.wine}
drive=
for letter in r s t u v w x y p q; do
    [ -e "$prefix/dosdevices/$letter:" ] || { drive=$letter; break; }
done
[ -n "$drive" ]
ln -s "$prefix/drive_c" "$prefix/dosdevices/$drive:"
trap 'rm -f "$prefix/dosdevices/$drive:"' EXIT
PORUN_TEST_DRIVE=${drive^^}: "$root/scripts/wine-run" "$tests" --gtest_filter='OtherDrive.*' --gtest_color=no
