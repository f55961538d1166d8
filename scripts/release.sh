#!/usr/bin/env bash
# Builds the release package out/porun-<version>.zip: porun.exe, porun.chm,
# the example menu skin (skin\*.bmp) and readme.txt, all in one folder
# porun-<version>\ that can be unpacked anywhere.
#   scripts/release.sh [--no-build] [--build-dir DIR] [--out DIR]
# --no-build packages what DIR already holds (the tests use it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PORUN_BUILD_DIR:-$root/build}
out=$root/out
do_build=1
while [ $# -gt 0 ]; do
    case $1 in
        --no-build) do_build=0 ;;
        --build-dir) build=$2; shift ;;
        --out) out=$2; shift ;;
        *) echo "usage: $0 [--no-build] [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
    esac
    shift
done

fail() { printf 'release: error: %s\n' "$*" >&2; exit 1; }

# The version is the program's own: FileVersion of its version resource.
version=$(sed -n 's/.*VALUE "FileVersion", "\([0-9]*\.[0-9]*\.[0-9]*\)\.[0-9]*".*/\1/p' "$root/resources/version.rc")
[ -n "$version" ] || fail "no FileVersion in resources/version.rc"

if [ $do_build = 1 ]; then
    "$root/scripts/setup.sh"
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --target porun -j "$(nproc)"
fi
for f in porun.exe porun.chm; do
    [ -s "$build/$f" ] || fail "$build/$f is missing: build first (or leave out --no-build)"
done

name=porun-$version
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name"
cp "$build/porun.exe" "$build/porun.chm" "$stage/$name/"
# Without the symbols the program is a third of its size.
strip=$(command -v x86_64-w64-mingw32-strip || true)
[ -n "$strip" ] && "$strip" "$stage/$name/porun.exe"
if ls "$root"/docs/skin/*.bmp >/dev/null 2>&1; then
    mkdir -p "$stage/$name/skin"
    cp "$root"/docs/skin/*.bmp "$stage/$name/skin/"
fi
# The readme in the system's code page with Windows line ends.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/docs/package/readme.txt" |
    iconv -f UTF-8 -t CP932 > "$stage/$name/readme.txt" || fail "readme.txt cannot be converted to Shift-JIS"

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip_path=$out/$name.zip
rm -f "$zip_path"
(cd "$stage" && zip -q -X -r "$zip_path" "$name")
echo "$zip_path"
