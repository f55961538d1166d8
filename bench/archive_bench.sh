#!/usr/bin/env bash
# Runs the archive benchmark under Wine, then times Info-ZIP zip/unzip
# (native) on the same trees.  Usage: bench/archive_bench.sh <build dir> [bench args]
set -euo pipefail
build=${1:?build folder}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winwork="Z:$(echo "$work" | sed 's|/|\\|g')\\trees"

"$root/scripts/wine-run" "$build/bench/porun_archive_bench.exe" --folder "$winwork" --keep "$@"

best() {  # best of $runs runs of a command, in seconds
    local best=999999
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        best=$(echo "$start $end $best" | awk '{t=$2-$1; print (t<$3)?t:$3}')
    done
    echo "$best"
}
cd "$work/trees"
for tree in small large huge; do
    [ -d "$tree" ] || continue
    runs=3
    [ "$tree" = huge ] && runs=1
    pack=$(best bash -c "rm -f $work/$tree-iz.zip; zip -q -r $work/$tree-iz.zip $tree")
    unpack=$(best bash -c "rm -rf $work/$tree-out; unzip -q $work/$tree-iz.zip -d $work/$tree-out")
    printf 'Info-ZIP (native) %-6s  zip %8.3fs   unzip %8.3fs\n' "$tree" "$pack" "$unpack"
    rm -rf "$work/$tree-iz.zip" "$work/$tree-out"
done
