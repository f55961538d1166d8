#!/usr/bin/env bash
# Compiles the help pages of docs/help into a CHM file.
#   build-help.sh <repository root> <output .chm> [chmcmd]
# The pages are written in UTF-8; the HTML Help viewer of Japanese Windows
# reads Shift-JIS best, so every text file is converted to code page 932 and
# its charset declaration rewritten before chmcmd (Debian package fp-utils)
# compiles them. Screenshots come from docs/screenshots: each image a page
# shows as images/<name> must exist there.
set -euo pipefail
root=$1
out=$2
chmcmd=${3:-chmcmd}

fail() { printf 'build-help: error: %s\n' "$*" >&2; exit 1; }

command -v "$chmcmd" >/dev/null 2>&1 ||
    fail "chmcmd not found: install the Debian package fp-utils (scripts/setup.sh does), or configure with -DPORUN_BUILD_HELP=OFF"
command -v iconv >/dev/null 2>&1 || fail "iconv not found"

src="$root/docs/help"
shots="$root/docs/screenshots"
stage="$(dirname "$out")/help-stage"
rm -rf "$stage"
mkdir -p "$stage/html/images"

# Text files: UTF-8 → code page 932, charset declaration to match.
to_sjis() {
    sed 's/charset=UTF-8/charset=Shift_JIS/I' "$1" | iconv -f UTF-8 -t CP932 > "$2" ||
        fail "$1 holds a character that Shift-JIS (code page 932) cannot represent"
}
to_sjis "$src/porun.hhp" "$stage/porun.hhp"
to_sjis "$src/toc.hhc" "$stage/toc.hhc"
files=()
for f in "$src"/html/*.html "$src"/html/*.css; do
    name=$(basename "$f")
    to_sjis "$f" "$stage/html/$name"
    files+=("html/$name")
done

# Images the pages show.
images=$(grep -oh 'src="images/[^"]*"' "$src"/html/*.html | sed 's/^src="images\///; s/"$//' | sort -u)
for img in $images; do
    [ -f "$shots/$img" ] || fail "a help page shows images/$img, but docs/screenshots/$img is missing"
    cp "$shots/$img" "$stage/html/images/$img"
    files+=("html/images/$img")
done
printf '%s\r\n' "${files[@]}" >> "$stage/porun.hhp"

(cd "$stage" && "$chmcmd" --no-html-scan --verbosity 1 porun.hhp > chmcmd.log 2>&1) || {
    cat "$stage/chmcmd.log" >&2
    fail "chmcmd failed"
}
[ -s "$stage/porun.chm" ] || { cat "$stage/chmcmd.log" >&2; fail "chmcmd produced no porun.chm"; }
mv "$stage/porun.chm" "$out"
