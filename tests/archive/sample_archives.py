#!/usr/bin/env python3
"""Archives of other tools for the extraction table of the archive tests, made by the build.

zipfile.zip (Python's zipfile) and infozip.zip (Info-ZIP's zip) hold the same entries "<kind>/<size>": the bytes of
<kind>.unit, written beside them, repeated to <size>. The sizes run over the multiples of 256 KiB from 0 to past the
4 MiB extraction inflates whole, each with the boundaries around it; repetitive kinds over all of them, random data
(which no deflate shrinks) below one multiple and around the whole-entry limit. Every run makes the same bytes.
Usage: sample_archives.py <folder>
"""
import os
import random
import shutil
import subprocess
import sys
import zipfile

BLOCK = 256 * 1024
AROUND = (-300, -100, -37, -1, 0, 1, 37, 100, 300)
# A random unit longer than deflate's 32 KiB window: repeated, it still does not compress.
UNITS = {
    "zeros": b"\0",
    "text": b"bento box ",
    "random": random.Random(20250412).randbytes(65537),
}
MULTIPLES = {"zeros": range(25), "text": range(25), "random": (0, 1, 16)}
STAMP = (2025, 4, 12, 12, 0, 0)
BATCH = 64 << 20  # Info-ZIP is handed files of at most about this many bytes at a time


def sizes(kind):
    return sorted({m * BLOCK + o for m in MULTIPLES[kind] for o in AROUND if m * BLOCK + o >= 0})


def content(kind, size):
    unit = UNITS[kind]
    return (unit * (size // len(unit) + 1))[:size]


def entries():
    return [(kind, size) for kind in UNITS for size in sizes(kind)]


def by_zipfile(path):
    with zipfile.ZipFile(path, "w") as archive:
        for kind, size in entries():
            info = zipfile.ZipInfo(f"{kind}/{size}", date_time=STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o100644 << 16
            archive.writestr(info, content(kind, size))


def by_infozip(path, staging):
    """zip -X -D: no extra fields, no folder entries; zeros as sparse files, the rest in batches."""
    env = dict(os.environ, TZ="UTC")
    stamp = 1744459200  # 2025-04-12 12:00:00 UTC
    batch, held = [], 0
    for index, (kind, size) in enumerate(entries()):
        name = f"{kind}/{size}"
        os.makedirs(os.path.join(staging, kind), exist_ok=True)
        with open(os.path.join(staging, name), "wb") as out:
            if kind == "zeros":
                out.truncate(size)
            else:
                out.write(content(kind, size))
                held += size
        os.utime(os.path.join(staging, name), (stamp, stamp))
        batch.append(name)
        if held >= BATCH or index + 1 == len(entries()):
            subprocess.run(["zip", "-q", "-X", "-D", path, *batch], cwd=staging, env=env, check=True)
            for done in batch:
                os.remove(os.path.join(staging, done))
            batch, held = [], 0


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for kind, unit in UNITS.items():
        with open(os.path.join(folder, f"{kind}.unit"), "wb") as out:
            out.write(unit)
    # Made under other names first: a cut run leaves nothing that looks finished.
    staging = os.path.join(folder, "staging")
    shutil.rmtree(staging, ignore_errors=True)
    for name, make in (("zipfile.zip", by_zipfile), ("infozip.zip", lambda path: by_infozip(path, staging))):
        partial = os.path.join(folder, name + ".partial")
        if os.path.exists(partial):
            os.remove(partial)
        make(os.path.abspath(partial))
        os.replace(partial, os.path.join(folder, name))
    shutil.rmtree(staging, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1])
