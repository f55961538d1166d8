#pragma once
// Whether two paths name the same item, or one lies inside another: the
// checks that keep packing and extraction from writing over their own inputs.
// Paths are compared in their canonical form (full path, long names where
// the item exists), case-insensitively as the file system does. An item's
// identity, whatever path leads to it, tells a walk that it came round.
#include <windows.h>

// The canonical form of path into out (size characters); false when it does
// not fit or the path is not valid.
bool CanonicalPath(const wchar_t* path, wchar_t* out, DWORD size);

// True when both paths name the same item.
bool IsSamePath(const wchar_t* a, const wchar_t* b);

// True when path is folder itself or lies anywhere below it.
bool IsSameOrInside(const wchar_t* path, const wchar_t* folder);

// True for a drive root ("D:\", "D:") or a share root ("\\server\share\"):
// an item without a name of its own.
bool IsRootPath(const wchar_t* path);

// What an item is, whatever path leads to it: its volume's serial number and
// its index there.
struct ItemIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};
bool operator==(const ItemIdentity& a, const ItemIdentity& b);

// The identity of the item at path (of where a link leads); false when it
// cannot be told: the item cannot be opened, or its file system numbers no
// items.
bool IdentityOf(const wchar_t* path, ItemIdentity* identity);
