#!/usr/bin/env bash
# Runs the archive benchmark under Wine, then times Info-ZIP zip -r and
# unzip (native) on the same trees, as many rounds as the benchmark ran, and
# prints the launcher's packing against zip -r.
# Usage: bench/archive_bench.sh <build dir> [bench args]
set -euo pipefail
build=${1:?build folder}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winwork="Z:$(echo "$work" | sed 's|/|\\|g')\\trees"
runs=15
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
    [ "${args[i]}" = --runs ] && runs=${args[i + 1]}
done

"$root/scripts/wine-run" "$build/bench/porun_archive_bench.exe" --folder "$winwork" --keep "$@" | tee "$work/bench.txt"

median() {  # median of $runs runs of a command, in seconds
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        echo "$start $end" | awk '{print $2 - $1}'
    done | sort -g | awk '{t[NR] = $1} END {print (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2}'
}
cd "$work/trees"
for tree in small large; do
    [ -d "$tree" ] || continue
    pack=$(median bash -c "rm -f $work/$tree-iz.zip; zip -q -r $work/$tree-iz.zip $tree")
    unpack=$(median bash -c "rm -rf $work/$tree-out; unzip -q $work/$tree-iz.zip -d $work/$tree-out")
    ours=$(awk -v t="pack-$tree" '$1 == "median-s" && $2 == t {print $3}' "$work/bench.txt")
    printf 'Info-ZIP (native) %-6s zip -r %7.3fs  unzip %7.3fs  (medians of %d)\n' "$tree" "$pack" "$unpack" "$runs"
    [ -n "$ours" ] && awk -v o="$ours" -v z="$pack" -v t="$tree" \
        'BEGIN {printf "launcher packing, %s: %.3fs against zip -r %.3fs: %.2f\n", t, o, z, o / z}'
    rm -rf "$work/$tree-iz.zip" "$work/$tree-out"
done
