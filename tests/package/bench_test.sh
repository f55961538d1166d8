#!/usr/bin/env bash
# The test bench itself: every Wine prefix of the project keeps the user's
# shell folders inside it (a link to the home folder would let a test that
# packs onto the desktop write there), and the documents speak of the program,
# never of the numbers of the requests that changed it.
#   bench_test.sh <repository root>
set -uo pipefail
root=$1
status=0
for prefix in "$root"/.wine "$root"/.wine-*; do
    [ -d "$prefix/drive_c/users" ] || continue
    for folder in "$prefix"/drive_c/users/*/*; do
        if [ -L "$folder" ]; then
            echo "FAILED: $folder is a link to $(readlink "$folder")"
            status=1
        fi
    done
done
if numbered=$(grep -n -i -E '\b(issue|task|ticket)s? #?[0-9]+' "$root"/README.md "$root"/docs/*.md); then
    echo "FAILED: the documents name requests by number:"
    echo "$numbered"
    status=1
fi
exit $status
