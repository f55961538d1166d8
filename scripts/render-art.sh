#!/usr/bin/env bash
# Renders one picture of resources/art/src into the resource file the program
# embeds, with rsvg-convert and ImageMagick:
#   scripts/render-art.sh SRC_DIR OUT.ico              16, 32, 48 and 64 pixels
#   scripts/render-art.sh SRC_DIR OUT.cur              32, 48 and 64 pixels, hot spot
#                                                      at the arrow tip (0,0)
#   scripts/render-art.sh SRC_DIR OUT.bmp              320x240, 256 colours
# The source of OUT's size N is SRC_DIR/NAME-N.svg where it exists, else
# SRC_DIR/NAME.svg; SRC_DIR/size-N.css adjusts line widths and details.
set -euo pipefail
[ $# = 2 ] || { echo "usage: $0 SRC_DIR OUT.ico|OUT.cur|OUT.bmp" >&2; exit 2; }
src=$1
out=$2
file=$(basename "$out")
name=${file%.*}

fail() { printf 'render-art: %s: %s\n' "$file" "$*" >&2; exit 1; }
command -v rsvg-convert >/dev/null || fail "rsvg-convert is missing (scripts/setup.sh installs it)"
# ImageMagick 7 (MSYS2) is called magick, ImageMagick 6 (Debian 12) convert.
magick=$(command -v magick || command -v convert) || fail "ImageMagick is missing (scripts/setup.sh installs it)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# render SIZE [HEIGHT]: the picture as a PNG of SIZE x HEIGHT pixels; prints its path.
render() {
    local size=$1 height=${2:-$1} svg=$src/$name-$1.svg css=$src/size-$1.css
    [ -f "$svg" ] || svg=$src/$name.svg
    [ -f "$svg" ] || fail "no $svg"
    local args=(-w "$size" -h "$height")
    [ -f "$css" ] && args+=(-s "$css")
    rsvg-convert "${args[@]}" -o "$work/$size.png" "$svg" || fail "rsvg-convert failed on $svg"
    echo "$work/$size.png"
}

# le16 FILE OFFSET VALUE: writes a 16-bit little-endian number into FILE.
le16() {
    printf "$(printf '\\%03o\\%03o' $(($3 & 255)) $(($3 >> 8)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Every entry of an icon file must be a 32-bit image with an alpha channel.
check_depths() {
    local count n depth
    count=$(od -An -tu2 -j4 -N2 "$1" | tr -d ' ')
    [ "$count" = "$2" ] || fail "$count images instead of $2"
    for ((n = 0; n < count; n++)); do
        depth=$(od -An -tu2 -j$((6 + 16 * n + 6)) -N2 "$1" | tr -d ' ')
        [ "$depth" = 32 ] || fail "image $n has $depth bits per pixel"
    done
}

case $file in
*.ico)
    sizes=(16 32 48 64)
    pngs=()
    for s in "${sizes[@]}"; do pngs+=("$(render "$s")"); done
    "$magick" "${pngs[@]}" "ICO:$work/out"
    check_depths "$work/out" ${#sizes[@]}
    ;;
*.cur)
    # ImageMagick writes icon files only; a cursor file is the same with type 2
    # in its header and each entry's hot spot where an icon keeps planes and
    # depth. The hot spot is the arrow tip, the top-left corner at every size.
    sizes=(32 48 64)
    pngs=()
    for s in "${sizes[@]}"; do pngs+=("$(render "$s")"); done
    "$magick" "${pngs[@]}" "ICO:$work/out"
    check_depths "$work/out" ${#sizes[@]}
    le16 "$work/out" 2 2
    for n in "${!sizes[@]}"; do
        le16 "$work/out" $((6 + 16 * n + 4)) 0
        le16 "$work/out" $((6 + 16 * n + 6)) 0
    done
    ;;
*.bmp)
    png=$(render 320 240)
    "$magick" "$png" -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress None "BMP3:$work/out"
    [ "$(od -An -tu2 -j28 -N2 "$work/out" | tr -d ' ')" = 8 ] || fail "not 8 bits per pixel"
    ;;
*) fail "unknown kind of file" ;;
esac
mkdir -p "$(dirname "$out")"
mv "$work/out" "$out"
