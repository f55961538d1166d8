#!/usr/bin/env bash
# Installs whatever this machine lacks to build, run and test porun:
# the MinGW-w64 cross compiler, zlib for MinGW, GoogleTest sources, Wine,
# Xvfb, Japanese fonts, the ja_JP and en_US locales, rsvg-convert and
# ImageMagick for the artwork, the minizip sources and a Wine prefix with
# Japanese font replacements. Safe to run again: each step checks first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
mkdir -p "$deps"

log() { printf 'setup: %s\n' "$*" >&2; }

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# --- Debian packages -------------------------------------------------------
packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest cmake make
          wine wine64 xvfb x11-utils imagemagick librsvg2-bin fonts-ipafont-gothic locales
          dpkg-dev xz-utils zip unzip fp-utils fonts-wine)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- ja_JP.UTF-8 (Wine's ANSI code page 932) and en_US.UTF-8 (1252) ---------
for loc in ja_JP en_US; do
    locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8\$" && continue
    log "generating the $loc.UTF-8 locale"
    if [ -f /etc/locale.gen ] && grep -q "$loc.UTF-8" /etc/locale.gen; then
        as_root sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    else
        echo "$loc.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    fi
    generate=1
done
[ -z "${generate:-}" ] || as_root locale-gen >/dev/null

# --- minizip sources (Debian's package, with its patches) -------------------
# Fetched through a private source list and private apt state, derived from the
# machine's own binary sources; the system's apt configuration is not touched.
if [ ! -f "$deps/minizip/unzip.c" ]; then
    log "fetching the minizip sources"
    apt_dir="$deps/apt"
    rm -rf "$apt_dir"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/cache/archives/partial" "$deps/src"
    : > "$apt_dir/sources.list"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && awk '/^Types:/{$0="Types: deb-src"}1' "$f" > "$apt_dir/parts/$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >> "$apt_dir/sources.list" || true
    fi
    opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root")
    apt-get "${opts[@]}" update -qq
    (cd "$deps/src" && apt-get "${opts[@]}" source -qq minizip >/dev/null)
    src=$(find "$deps/src" -maxdepth 1 -type d -name 'minizip-*' | head -n 1)
    [ -n "$src" ] && [ -f "$src/unzip.c" ] || { log "minizip sources not found"; exit 1; }
    rm -rf "$deps/minizip"
    cp -r "$src" "$deps/minizip"
fi

# --- Wine prefix -------------------------------------------------------------
"$root/scripts/wine-prefix.sh"
log "ready"
