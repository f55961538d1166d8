#!/usr/bin/env bash
# The release package: scripts/release.sh packs the build, the zip holds what a
# user needs, the help file holds every page and opens on the index in
# Japanese, and the unpacked launcher starts under Wine from a folder whose
# name has Japanese characters, blanks and a 0x5C trail byte (表), writes its
# files there and closes.
#   release_package_test.sh <repository root> <build dir> <window tool exe>
set -uo pipefail
root=$1
build=$2
tool=$3
. "$root/scripts/wine-env.sh"

failures=0
check() {  # check <description> <command...>
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

work=$(mktemp -d)
launcher_pid=
cleanup() {
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

zip=$("$root/scripts/release.sh" --no-build --build-dir "$build" --out "$work/out") || { echo "FAILED: release.sh"; exit 1; }
version=$(basename "$zip" .zip)
check "the package is named after the program's version" grep -qE '^porun-[0-9]+\.[0-9]+\.[0-9]+$' <<<"$version"

listing=$(unzip -Z1 "$zip")
for entry in porun.exe porun.chm readme.txt skin/menuforeground.bmp skin/menubackground.bmp skin/menutitle.bmp; do
    check "the package holds $entry" grep -qx "$version/$entry" <<<"$listing"
done
check "nothing outside the package folder" bash -c "! grep -qv '^$version/' <<<\"\$1\"" _ "$listing"

place="$work/ぽてまる の 道具 箱 表"
mkdir -p "$place"
unzip -q "$zip" -d "$place"
app="$place/$version"
check "the help file is the one the build made" cmp -s "$build/porun.chm" "$app/porun.chm"
names=$(chmls -n list "$app/porun.chm")
for entry in $(cd "$root/docs/help" && ls html/*.html) toc.hhc html/images/about.png; do
    check "the help file holds /$entry" grep -qx "/$entry" <<<"$names"
done
chmls extract "$app/porun.chm" /html/index.html "$work/index.html" >/dev/null
check "the help file's index page is the one staged" cmp -s "$build/help-stage/html/index.html" "$work/index.html"
chmls extract "$app/porun.chm" /#SYSTEM "$work/system" >/dev/null
check "the help file opens on html/index.html" grep -aq 'html/index\.html' "$work/system"
check "the help file is Japanese (LCID 0x0411)" bash -c 'od -An -v -tx1 "$1" | tr -d "\n" | grep -q " 04 00 .. 00 11 04 00 00"' _ "$work/system"
check "the readme is Shift-JIS with Windows line ends, Japanese and English" bash -c '
    iconv -f CP932 -t UTF-8 "$1" > "$1.utf8" &&
    grep -q "ぽてまるポルン" "$1.utf8" && grep -q "Getting started" "$1.utf8" &&
    [ "$(grep -c $'"'"'\r$'"'"' "$1")" = "$(wc -l < "$1")" ]' _ "$app/readme.txt"

# Start the unpacked program by its full path from another current folder:
# its files must land beside it, not in the current folder.
class="porun21 - kessaro/QZT"
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && exec "$wine_bin" "$app/porun.exe") &
launcher_pid=$!
check "the launcher's window appears" "$wine_bin" "$tool" wait "$class" 30000
check "the launcher closes on WM_CLOSE" "$wine_bin" "$tool" close "$class"
for _ in $(seq 100); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
check "the launcher's process has ended" bash -c "! kill -0 $launcher_pid 2>/dev/null"
launcher_pid=
check "porun.dat written beside the program (141068 bytes)" bash -c '[ "$(stat -c %s "$1/porun.dat" 2>/dev/null)" = 141068 ]' _ "$app"
check "position.dat written beside the program" grep -q '^position00\.desktop\.width,' "$app/position.dat"
check "shortcut.dat written beside the program" test -f "$app/shortcut.dat"
check "nothing written outside the program's folder" bash -c '[ -z "$(ls -A "$1" | grep -v "^$2\$")" ] && [ -z "$(ls -A "$3")" ]' _ "$place" "$version" "$work/elsewhere"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
