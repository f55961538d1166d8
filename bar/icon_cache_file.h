#pragma once
// The bar's icons kept between runs in a file beside the program
// ("<program>.icons"), so that a start shows its group from one read instead
// of extracting every icon again. Each entry carries the icon cache's key
// (bar/icon_cache.h: the path as used, the icon index, the file's last-write
// time and size, the pixel size) and the icon's pixels; an entry is used only
// while its key still matches the file on disk. A file that is damaged in any
// way (its magic, version, counts, sizes or checksum) is not used at all and
// is written anew; a file that cannot be written changes nothing.
//
// Layout, little-endian: "PRIC", version 1, entry count, checksum (FNV-1a of
// the twelve bytes before it and of every byte after it); per entry the path's
// length in UTF-16 units, the index, the pixel size, the last-write time (low,
// high), the file size (64 bits), the path, then side x side pixels of 32-bit
// BGRA (top row first) and the 1-bit mask in rows of whole DWORDs.
#include "bar/icon_cache.h"

#include <windows.h>

#include <string>
#include <vector>

struct StoredIcon {
    IconCacheKey key;
    std::vector<DWORD> pixels;  // pixelSize x pixelSize, top row first
    std::vector<BYTE> mask;     // IconMaskBytes(pixelSize)
};

// Limits of what a file may hold: more is a damaged file.
constexpr int kMaxStoredIconSide = 256;
constexpr DWORD kMaxStoredIcons = 1024;

size_t IconMaskBytes(int side);

std::vector<BYTE> FormatIconCacheFile(const std::vector<StoredIcon>& icons);
// False (and icons empty) for anything but a whole, undamaged file.
bool ParseIconCacheFile(const BYTE* bytes, size_t size, std::vector<StoredIcon>* icons);

// The pixels of icon as drawn at side pixels; false for an icon without a
// colour image (it is then not kept in the file).
bool CaptureIcon(HICON icon, int side, StoredIcon* stored);
// An icon made from stored's pixels; null when it cannot be made.
HICON MakeStoredIcon(const StoredIcon& stored);

// True when key's file gives the icon itself, so that its time and size
// cover it: an icon by number, or a program's or an icon file's own. The
// icon of a shortcut, a document or a folder may come from another file (a
// shortcut's target, the program of a file type), which may change alone.
bool IconOfItsOwnFile(const IconCacheKey& key);

// An icon source the bar's groups in use show: the path as used, the index.
struct IconSourceInUse {
    std::wstring path;
    int index;
};

using IconMaker = HICON (*)(const wchar_t* path, int iconIndex, int size);

// The program's icon file as this window's run has it: what was read from
// it, and whether it must be written anew.
class IconCacheFile {
public:
    // At start: reads the program's icon file (a missing or damaged one is
    // noted for writing).
    void Read();
    // The icon the file holds for key, made now, when the entry's key still
    // matches the file (null otherwise: the file is then written anew). An
    // icon that may come from another file is given only to the start's first
    // picture, and checked after it (RenewBorrowed); later it is made anew.
    // A shortcut's that leads off this machine is given always: making it may
    // wait on the network.
    HICON TakeIcon(const IconCacheKey& key);
    // Notes that icon had to be made for key: the file lacks it or holds
    // another picture (the icons kept for it in cache go), unless its file
    // lies off this machine (never kept in the file: see Write).
    void NoteExtracted(const IconCacheKey& key, HICON icon, IconCache& cache);
    // After the start's first picture: the icons the file gave it that may
    // come from another file, made anew by make; where one differs, the
    // file's entry and the icons cache keeps for it are dropped and the file
    // is noted for writing. True when one differed: what shows it is to be
    // shown again.
    bool RenewBorrowed(IconMaker make, IconCache& cache);
    // True when the file lacks or holds wrongly an icon the bar showed: only
    // then are the sources in use worked out and the file written.
    bool Stale() const { return rewrite_; }
    // Writes the file anew when it lacks or holds wrongly an icon the bar
    // showed: the icons cache keeps and the file's still valid entries, of
    // the sources in inUse only, which hold no source off this machine:
    // looking at a file on a share may wait for as long as the network
    // takes, and the file is written at the start and at the exit. Nothing
    // is told when it cannot be written.
    void Write(const std::vector<IconSourceInUse>& inUse, const IconCache& cache);
    // Drops what was read (the window goes).
    void Forget();

private:
    StoredIcon* EntryOf(const IconCacheKey& key);
    bool Holds(const IconCacheKey& key, HICON icon);
    void DropEntry(const IconCacheKey& key, IconCache& cache);
    std::vector<StoredIcon> IconsToWrite(const std::vector<IconSourceInUse>& inUse, const IconCache& cache) const;

    std::vector<StoredIcon> icons_;  // what this run read from the file
    bool rewrite_ = false;
    // Icons that may come from another file, given to the start's first
    // picture and not checked yet; once they were, no such icon is given unchecked.
    std::vector<IconCacheKey> unchecked_;
    bool firstPictureChecked_ = false;
};
