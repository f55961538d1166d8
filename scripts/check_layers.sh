#!/usr/bin/env bash
# Checks that the program's includes point one way: the window (app) on top,
# then the dialogs, then the bar, menus, archives and shortcuts, then the data
# files, then support, with the resource ids below everything. Prints every
# include that points elsewhere and every cycle of modules (a module is x.h
# with x.cpp); exits non-zero when it printed anything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# What each folder may include besides itself.
declare -A allowed=(
    [app]="dialogs menus bar archive shortcuts data support resources"
    [dialogs]="bar archive shortcuts data support resources"
    [menus]="data support resources"
    [bar]="shortcuts data support resources"
    [archive]="support resources"
    [shortcuts]="data support resources"
    [data]="support resources"
    [support]="resources"
    [resources]=""
)

problems=0
declare -A edges=()
files=$(git ls-files "${!allowed[@]}" | grep -E '\.(h|cpp)$' || true)
for file in $files; do
    folder=${file%%/*}
    module=${file%.*}
    while IFS= read -r included; do
        target=${included%%/*}
        if [ "$target" != "$folder" ] && ! [[ " ${allowed[$folder]} " == *" $target "* ]]; then
            echo "upward: $file includes $included"
            problems=$((problems + 1))
        fi
        other=${included%.*}
        [ "$other" != "$module" ] && edges[$module]+=" $other"
    done < <(grep -oE '^#include "[a-z_]+/[a-z_]+\.h"' "$file" | sed -E 's/^#include "(.*)"$/\1/')
done

# Depth-first search over the modules; a module met again while it is still
# on the path closes a cycle.
declare -A state=()  # 1: on the current path, 2: done
path=()
visit() {
    local module=$1 next
    state[$module]=1
    path+=("$module")
    for next in ${edges[$module]:-}; do
        if [ "${state[$next]:-0}" = 1 ]; then
            local cycle="" i started=0
            for i in "${path[@]}"; do
                [ "$i" = "$next" ] && started=1
                [ $started = 1 ] && cycle+="$i -> "
            done
            echo "cycle: $cycle$next"
            problems=$((problems + 1))
        elif [ "${state[$next]:-0}" = 0 ]; then
            visit "$next"
        fi
    done
    unset 'path[${#path[@]}-1]'
    state[$module]=2
}
for module in $(printf '%s\n' "${!edges[@]}" | sort); do
    [ "${state[$module]:-0}" = 0 ] && visit "$module"
done

if [ $problems -gt 0 ]; then
    echo "$problems include problem(s)"
    exit 1
fi
echo "includes point one way, no cycles"
