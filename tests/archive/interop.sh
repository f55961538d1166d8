#!/usr/bin/env bash
# Interoperability with Info-ZIP and Python's zipfile: a tree packed by the
# launcher's packer extracts with unzip into the same tree, and a tree zipped
# by Info-ZIP extracts with the launcher's extractor into the same tree; the
# same both ways past 4 GiB (one sparse file) and past 65,535 entries. The
# large files are made natively (fast) and removed as soon as they are
# checked. About 10 minutes on a loaded 2-core machine, most of it the two
# 4.5 GB extractions and the 65,600 files under Wine.
# Usage: interop.sh <archive_tool.exe>
set -euo pipefail
tool=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }

mkdir -p "$work/src/docs/sub/deeper" "$work/src/docs/empty"
printf 'alpha\n' > "$work/src/docs/a.txt"
head -c 2500000 /dev/urandom > "$work/src/docs/sub/random.bin"
head -c 1048576 /dev/urandom > "$work/src/docs/sub/one-piece-exactly.bin"
seq 1 500000 > "$work/src/docs/sub/deeper/numbers.txt"
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
# been dropped ("docs/a.txt"), never with "/" or a drive. The root is a drive
# letter of the Wine prefix mapped to the tree for this one run.
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

# Names in code page 932 and outside it, packed here: Info-ZIP tests the
# archive and, in a UTF-8 locale, lists the names flagged UTF-8 as they are
# (names in code page 932 it cannot show); Python's zipfile, reading the
# unflagged names as code page 932, lists every name as it is. An archive
# Python writes with UTF-8 names extracts here to the same tree.
mkdir -p "$work/names/ｶﾀｶﾅ" "$work/names/한국어"
for name in 日本語.txt ｶﾀｶﾅ/表.txt café.txt 한국어/메모.txt 絵文字😀.txt; do
    echo "$name" > "$work/names/$name"
done
"$root/scripts/wine-run" "$tool" pack "$(winpath "$work/names.zip")" "$(winpath "$work/names")"
LC_ALL=C.UTF-8 unzip -tqq "$work/names.zip"
listed=$(LC_ALL=C.UTF-8 unzip -Z1 "$work/names.zip")
for name in names/café.txt names/한국어/ names/한국어/메모.txt names/絵文字😀.txt; do
    grep -qxF "$name" <<<"$listed" || { echo "unzip lists no $name" >&2; exit 1; }
done
python3 - "$work" <<'EOF'
import os, sys, zipfile
work = sys.argv[1]
on_disk = {"names/"}
for folder, folders, files in os.walk(f"{work}/names"):
    inside = os.path.relpath(folder, work)
    on_disk |= {f"{inside}/{name}/" for name in folders} | {f"{inside}/{name}" for name in files}
stored = {info.filename for info in zipfile.ZipFile(f"{work}/names.zip", metadata_encoding="cp932").infolist()}
if stored != on_disk:
    sys.exit(f"zipfile lists {sorted(stored)}, the disk holds {sorted(on_disk)}")
with zipfile.ZipFile(f"{work}/names-py.zip", "w") as archive:
    for name in sorted(on_disk):
        archive.write(f"{work}/{name}", name)
EOF
"$root/scripts/wine-run" "$tool" extract "$(winpath "$work/names-py.zip")" "$(winpath "$work/names-out")"
diff -r "$work/names" "$work/names-out/names"

# Size and CRC-32 of a file, and of an archive's only entry as its directory
# states them ("size crc").
file_sum() { python3 -c '
import sys, zlib
crc, size = 0, 0
with open(sys.argv[1], "rb") as f:
    while block := f.read(1 << 22):
        crc, size = zlib.crc32(block, crc), size + len(block)
print(size, crc)' "$1"; }
entry_sum() { python3 -c '
import sys, zipfile
info = zipfile.ZipFile(sys.argv[1]).infolist()[0]
print(info.file_size, info.CRC)' "$1"; }
zipfile_test() { python3 -c '
import sys, zipfile
bad = zipfile.ZipFile(sys.argv[1]).testzip()
sys.exit(f"zipfile: {bad} damaged" if bad else 0)' "$1"; }

# Past 4 GiB: a sparse 4.5 GB file with a few bytes set, packed here (a ZIP64
# entry that Info-ZIP and Python read), Info-ZIP's own ZIP64 archive of it,
# both extracted here to the same size and CRC.
mkdir "$work/big"
truncate -s 4500000000 "$work/big/disk.img"
for at in 0 2300000000 4499999990; do
    printf 'porun' | dd of="$work/big/disk.img" bs=1 seek=$at conv=notrunc status=none
done
(cd "$work/big" && zip -q -1 "$work/big-iz.zip" disk.img) &
zipping=$!
"$root/scripts/wine-run" "$tool" pack "$(winpath "$work/big.zip")" "$(winpath "$work/big/disk.img")"
wait $zipping
rm -rf "$work/big"
expected=$(entry_sum "$work/big-iz.zip")
[ "$(entry_sum "$work/big.zip")" = "$expected" ]
unzip -tq "$work/big.zip" &
testing=$!
zipfile_test "$work/big.zip"
wait $testing
for archive in big big-iz; do
    "$root/scripts/wine-run" "$tool" extract "$(winpath "$work/$archive.zip")" "$(winpath "$work/big-out")"
    [ "$(file_sum "$work/big-out/disk.img")" = "$expected" ]
    rm -rf "$work/big-out" "$work/$archive.zip"
done

# Past 65,535 entries: 65,600 files (100 to a folder: Wine slows down in
# large folders) and their 657 folders packed here, with the ZIP64 end
# records that say so; the same tree zipped by Info-ZIP extracted here.
python3 -c '
import os, sys
for d in range(656):
    os.makedirs(f"{sys.argv[1]}/d{d:03}")
    for f in range(100):
        with open(f"{sys.argv[1]}/d{d:03}/f{f:02}.txt", "w") as out:
            out.write(f"{d}-{f}\n")' "$work/many"
"$root/scripts/wine-run" "$tool" pack "$(winpath "$work/many.zip")" "$(winpath "$work/many")"
unzip -tq "$work/many.zip"
zipfile_test "$work/many.zip"
[ "$(zipinfo -1 "$work/many.zip" | wc -l)" = 66257 ]
tail -c 98 "$work/many.zip" | head -c 4 | cmp -s - <(printf 'PK\x06\x06')
(cd "$work" && zip -qr "$work/many-iz.zip" many)
"$root/scripts/wine-run" "$tool" extract "$(winpath "$work/many-iz.zip")" "$(winpath "$work/many-out")"
diff -r "$work/many" "$work/many-out/many"
echo "interop ok"
