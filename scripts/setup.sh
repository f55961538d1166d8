#!/usr/bin/env bash
# Installs whatever this machine lacks to build, run and test porun:
# the MinGW-w64 cross compiler, zlib for MinGW, GoogleTest sources, Wine,
# Xvfb, Japanese fonts, the ja_JP and en_US locales, rsvg-convert and
# ImageMagick for the artwork, the minizip and libdeflate sources and a Wine
# prefix with Japanese font replacements. Safe to run again: each step checks first.
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

# --- minizip and libdeflate sources (Debian's packages, with their patches) --
# Fetched through a private source list and private apt state, derived from the
# machine's own binary sources; the system's apt configuration is not touched.
# The build compiles both from these folders for MinGW, statically.
apt_dir="$deps/apt"
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root")
private_apt_ready=
prepare_private_apt() {
    [ -z "$private_apt_ready" ] || return 0
    rm -rf "$apt_dir"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/cache/archives/partial" "$deps/src"
    : > "$apt_dir/sources.list"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && awk '/^Types:/{$0="Types: deb-src"}1' "$f" > "$apt_dir/parts/$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >> "$apt_dir/sources.list" || true
    fi
    apt-get "${apt_opts[@]}" update -qq
    private_apt_ready=1
}

# fetch_source PACKAGE FILE: unpacks PACKAGE's source into .deps/PACKAGE
# unless FILE (a path inside it) is there already.
fetch_source() {
    local package=$1 probe=$2 src
    [ -f "$deps/$package/$probe" ] && return 0
    log "fetching the $package sources"
    prepare_private_apt
    (cd "$deps/src" && apt-get "${apt_opts[@]}" source -qq "$package" >/dev/null)
    src=$(find "$deps/src" -maxdepth 1 -type d -name "$package-*" | head -n 1)
    [ -n "$src" ] && [ -f "$src/$probe" ] || { log "$package sources not found"; exit 1; }
    rm -rf "${deps:?}/$package"
    cp -r "$src" "$deps/$package"
}
fetch_source minizip unzip.c
fetch_source libdeflate libdeflate.h

# --- Wine prefix -------------------------------------------------------------
"$root/scripts/wine-prefix.sh"
log "ready"
