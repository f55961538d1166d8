#include "bar/icon_cache.h"

#include "support/path_lookup.h"

#include <cwchar>

bool SameIconKey(const IconCacheKey& a, const IconCacheKey& b)
{
    return a.index == b.index && a.pixelSize == b.pixelSize && a.size == b.size &&
           CompareFileTime(&a.written, &b.written) == 0 && lstrcmpiW(a.path, b.path) == 0;
}

IconCacheKey MakeIconCacheKey(const wchar_t* path, int index, int pixelSize)
{
    IconCacheKey key{};
    key.index = index;
    key.pixelSize = pixelSize;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || std::wcslen(path) >= MAX_PATH || !LookUpPath(path, &data))
        return key;
    std::wcscpy(key.path, path);
    key.written = data.ftLastWriteTime;
    key.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    key.usable = true;
    return key;
}

IconCache::~IconCache()
{
    for (CachedIcon& entry : icons_) {
        if (entry.icon)
            DestroyIcon(entry.icon);
    }
}

IconCache::CachedIcon* IconCache::FindLent(HICON icon)
{
    for (CachedIcon& entry : icons_) {
        if (entry.icon == icon && entry.lent)
            return &entry;
    }
    return nullptr;
}

HICON IconCache::Lend(const IconCacheKey& key)
{
    if (!key.usable)
        return nullptr;
    for (CachedIcon& entry : icons_) {
        if (entry.icon && !entry.lent && !entry.forgotten && SameIconKey(entry.key, key)) {
            entry.lent = true;
            entry.lastUse = ++uses_;
            return entry.icon;
        }
    }
    return nullptr;
}

void IconCache::LendNew(const IconCacheKey& key, HICON icon)
{
    if (!key.usable || !icon || FindLent(icon))
        return;
    // A free slot, or else the least recently used icon that is not lent.
    CachedIcon* slot = nullptr;
    for (CachedIcon& entry : icons_) {
        if (!entry.icon) {
            slot = &entry;
            break;
        }
        if (!entry.lent && (!slot || entry.lastUse < slot->lastUse))
            slot = &entry;
    }
    if (!slot)
        return;  // every icon is out: this one is simply not kept
    if (slot->icon)
        DestroyIcon(slot->icon);
    *slot = CachedIcon{key, icon, true, ++uses_, false};
}

void IconCache::Release(HICON icon)
{
    if (!icon)
        return;
    CachedIcon* entry = FindLent(icon);
    if (entry && !entry->forgotten) {
        entry->lent = false;
        return;
    }
    DestroyIcon(icon);
    if (entry)
        *entry = CachedIcon{};
}

std::vector<KeptIcon> IconCache::Kept() const
{
    std::vector<KeptIcon> kept;
    for (const CachedIcon& entry : icons_) {
        if (entry.icon && !entry.forgotten)
            kept.push_back({entry.key, entry.icon});
    }
    return kept;
}

void IconCache::Forget(const IconCacheKey& key)
{
    for (CachedIcon& entry : icons_) {
        if (!entry.icon || !SameIconKey(entry.key, key))
            continue;
        if (entry.lent) {
            entry.forgotten = true;
            continue;
        }
        DestroyIcon(entry.icon);
        entry = CachedIcon{};
    }
}

void IconCache::Clear()
{
    for (CachedIcon& entry : icons_) {
        if (entry.icon && !entry.lent)
            DestroyIcon(entry.icon);
        entry = CachedIcon{};
    }
}
