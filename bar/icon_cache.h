#pragma once
// Icons the bar showed before, kept for the next time the same file shows
// them: a return to a group then needs no extraction. An icon is found again
// only while its file keeps its last-write time and size, so a changed file
// is always read anew.
//
// A kept icon is lent to the one control that shows it and comes back when
// that control's image is replaced (Release); the cache destroys the icons it
// holds when it lets them go, and every icon it still holds when it goes.
#include <windows.h>

#include <vector>

// What an icon was made from: the path as used, the icon index, the file's
// last-write time and size, and the icon's pixel size.
struct IconCacheKey {
    wchar_t path[MAX_PATH];
    int index;
    int pixelSize;
    FILETIME written;
    unsigned long long size;
    bool usable;  // false when the file could not be looked at: never kept
};

// The key of path's icon index at pixelSize, as the file is now.
IconCacheKey MakeIconCacheKey(const wchar_t* path, int index, int pixelSize);

// True when both keys name the same icon of the same, unchanged file.
bool SameIconKey(const IconCacheKey& a, const IconCacheKey& b);

// An icon the cache holds now, lent or not, with its key; the icon stays the cache's.
struct KeptIcon {
    IconCacheKey key;
    HICON icon;
};

class IconCache {
public:
    IconCache() = default;
    ~IconCache();
    IconCache(const IconCache&) = delete;
    IconCache& operator=(const IconCache&) = delete;

    // The kept icon for key, now lent to the caller until it is released;
    // null when none is kept.
    HICON Lend(const IconCacheKey& key);

    // Notes a freshly made icon, lent to the caller from now on, as made for
    // key, so that releasing it keeps it. A full cache lets its least
    // recently used icon go.
    void LendNew(const IconCacheKey& key, HICON icon);

    // Takes back an image a control no longer shows: a lent icon is kept,
    // any other is destroyed.
    void Release(HICON icon);

    // Every icon held now.
    std::vector<KeptIcon> Kept() const;

    // Lets every icon kept for key go: its file shows another icon now. One
    // not lent is destroyed at once, one lent when it comes back; neither is
    // lent or listed again.
    void Forget(const IconCacheKey& key);

    // Destroys every kept icon; icons still lent are destroyed when released.
    void Clear();

private:
    // Ten groups of eleven icons fit, with room to spare.
    static constexpr int kCachedIcons = 160;

    struct CachedIcon {
        IconCacheKey key;
        HICON icon;
        bool lent;
        unsigned long long lastUse;
        bool forgotten;  // destroyed when it comes back
    };

    CachedIcon* FindLent(HICON icon);

    CachedIcon icons_[kCachedIcons] = {};
    unsigned long long uses_ = 0;
};
