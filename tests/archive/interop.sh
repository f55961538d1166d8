#!/usr/bin/env bash
# Interoperability with Info-ZIP: a tree packed by the launcher's packer
# extracts with unzip into the same tree, and a tree zipped by Info-ZIP
# extracts with the launcher's extractor into the same tree.
# Usage: interop.sh <archive_tool.exe>
set -euo pipefail
tool=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }

mkdir -p "$work/src/docs/sub/deeper" "$work/src/docs/empty"
printf 'alpha\n' > "$work/src/docs/a.txt"
head -c 300000 /dev/urandom > "$work/src/docs/sub/random.bin"
seq 1 50000 > "$work/src/docs/sub/deeper/numbers.txt"
: > "$work/src/docs/sub/zero.txt"

# Packed here, extracted by Info-ZIP.
"$root/scripts/wine-run" "$tool" pack "$(winpath "$work/ours.zip")" "$(winpath "$work/src/docs")"
unzip -t "$work/ours.zip" >/dev/null
mkdir "$work/by-unzip"
unzip -q "$work/ours.zip" -d "$work/by-unzip"
diff -r "$work/src/docs" "$work/by-unzip/docs"
[ -d "$work/by-unzip/docs/empty" ]
# Every name uses "/" (zipinfo lists the names as stored).
if zipinfo -1 "$work/ours.zip" | grep -q '\\'; then
    echo "backslash in an entry name" >&2; exit 1
fi

# A dropped drive root: the names start below the root, as if its items had
# been dropped ("docs/a.txt"), never with "/" or a drive. The root is a drive letter of the Wine prefix mapped
# to the tree for this one run.
prefix=${WINEPREFIX:-$root/.wine}
for letter in p q r s t u v w x y; do
    [ -e "$prefix/dosdevices/$letter:" ] || { drive=$letter; break; }
done
ln -s "$work/src" "$prefix/dosdevices/$drive:"
trap 'rm -f "$prefix/dosdevices/$drive:"; rm -rf "$work"' EXIT
"$root/scripts/wine-run" "$tool" pack "$(winpath "$work/root.zip")" "$drive:\\"
rm -f "$prefix/dosdevices/$drive:"
diff <(zipinfo -1 "$work/ours.zip" | sort) <(zipinfo -1 "$work/root.zip" | sort)

# Zipped by Info-ZIP, extracted here.
(cd "$work/src" && zip -qr "$work/theirs.zip" docs)
"$root/scripts/wine-run" "$tool" extract "$(winpath "$work/theirs.zip")" "$(winpath "$work/by-us")"
diff -r "$work/src/docs" "$work/by-us/docs"
[ -d "$work/by-us/docs/empty" ]
echo "interop ok"
