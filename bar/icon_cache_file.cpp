#include "bar/icon_cache_file.h"

#include "data/atomic_file.h"
#include "support/path_lookup.h"
#include "support/path_text.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"
#include "support/shell_link_file.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr char kMagic[4] = {'P', 'R', 'I', 'C'};
constexpr DWORD kVersion = 1;
constexpr size_t kHeaderBytes = 16;  // magic, version, count, checksum
constexpr size_t kChecksumAt = 12;
constexpr DWORD kMaxFileBytes = 16 * 1024 * 1024;
// The file keeps no more than the memory cache holds at once.
constexpr size_t kMaxWrittenIcons = 160;

DWORD Fnv1a(const BYTE* bytes, size_t size, DWORD hash = 2166136261u)
{
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

DWORD FileChecksum(const BYTE* bytes, size_t size)
{
    return Fnv1a(bytes + kHeaderBytes, size - kHeaderBytes, Fnv1a(bytes, kChecksumAt));
}

void Append(std::vector<BYTE>* out, const void* data, size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void AppendDword(std::vector<BYTE>* out, DWORD value)
{
    Append(out, &value, sizeof value);
}

// Reads fields off a file's bytes; every take past the end fails.
struct ByteReader {
    const BYTE* bytes;
    size_t size;
    size_t at;

    bool Take(void* out, size_t count)
    {
        if (count > size - at)
            return false;
        std::memcpy(out, bytes + at, count);
        at += count;
        return true;
    }
};

bool ParseEntry(ByteReader* reader, StoredIcon* icon)
{
    DWORD pathChars = 0;
    DWORD low = 0;
    DWORD high = 0;
    IconCacheKey& key = icon->key;
    if (!reader->Take(&pathChars, 4) || !reader->Take(&key.index, 4) || !reader->Take(&key.pixelSize, 4) ||
        !reader->Take(&low, 4) || !reader->Take(&high, 4) || !reader->Take(&key.size, 8))
        return false;
    if (pathChars == 0 || pathChars >= MAX_PATH || key.pixelSize < 1 || key.pixelSize > kMaxStoredIconSide)
        return false;
    key.written = FILETIME{low, high};
    if (!reader->Take(key.path, pathChars * sizeof(wchar_t)) || std::wcslen(key.path) != pathChars)
        return false;
    const size_t side = static_cast<size_t>(key.pixelSize);
    icon->pixels.resize(side * side);
    icon->mask.resize(IconMaskBytes(key.pixelSize));
    key.usable = true;
    return reader->Take(icon->pixels.data(), icon->pixels.size() * 4) &&
           reader->Take(icon->mask.data(), icon->mask.size());
}

// A BITMAPINFO with room for the two colours of a mask.
struct MaskInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

BITMAPINFOHEADER TopDownHeader(int side, WORD bits)
{
    return BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), side, -side, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
}

BITMAPINFO ColourHeader(int side)
{
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(side, 32);
    return info;
}

MaskInfo MaskHeader(int side)
{
    return MaskInfo{TopDownHeader(side, 1), {{0, 0, 0, 0}, {255, 255, 255, 0}}};
}

bool IconSide(HBITMAP bitmap, int side)
{
    BITMAP info = {};
    return GetObjectW(bitmap, sizeof info, &info) && info.bmWidth == side && info.bmHeight == side;
}

bool IconFilePath(wchar_t* path)
{
    return ProgramPathWithExtension(L"icons", path, MAX_PATH);
}

bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>* bytes)
{
    ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxFileBytes)
        return false;
    bytes->resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return ReadFile(file.Get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) &&
           read == bytes->size();
}

bool SameSource(const IconCacheKey& a, const IconCacheKey& b)
{
    return a.index == b.index && a.pixelSize == b.pixelSize && lstrcmpiW(a.path, b.path) == 0;
}

// An icon that may come from another file than key's, made again to be
// compared: not a shortcut's that leads to a share, whose making may wait on
// the network (it keeps what the file holds).
bool MadeAgainToCompare(const IconCacheKey& key)
{
    return !IconOfItsOwnFile(key) && !(IsShellLinkPath(key.path) && LinkLeadsOffThisMachine(key.path));
}

// The icon's key is still what the file on disk gives.
bool StillCurrent(const IconCacheKey& key)
{
    return SameIconKey(key, MakeIconCacheKey(key.path, key.index, key.pixelSize));
}

bool InUse(const IconCacheKey& key, const std::vector<IconSourceInUse>& inUse)
{
    for (const IconSourceInUse& source : inUse) {
        if (source.index == key.index && lstrcmpiW(source.path.c_str(), key.path) == 0)
            return true;
    }
    return false;
}

bool Listed(const IconCacheKey& key, const std::vector<StoredIcon>& icons)
{
    for (const StoredIcon& icon : icons) {
        if (SameIconKey(icon.key, key))
            return true;
    }
    return false;
}

}  // namespace

size_t IconMaskBytes(int side)
{
    return static_cast<size_t>((side + 31) / 32) * 4 * static_cast<size_t>(side);
}

std::vector<BYTE> FormatIconCacheFile(const std::vector<StoredIcon>& icons)
{
    std::vector<BYTE> out;
    Append(&out, kMagic, sizeof kMagic);
    AppendDword(&out, kVersion);
    AppendDword(&out, static_cast<DWORD>(icons.size()));
    AppendDword(&out, 0);  // the checksum, once the rest is there
    for (const StoredIcon& icon : icons) {
        const IconCacheKey& key = icon.key;
        const DWORD pathChars = static_cast<DWORD>(std::wcslen(key.path));
        AppendDword(&out, pathChars);
        Append(&out, &key.index, 4);
        Append(&out, &key.pixelSize, 4);
        AppendDword(&out, key.written.dwLowDateTime);
        AppendDword(&out, key.written.dwHighDateTime);
        Append(&out, &key.size, 8);
        Append(&out, key.path, pathChars * sizeof(wchar_t));
        Append(&out, icon.pixels.data(), icon.pixels.size() * 4);
        Append(&out, icon.mask.data(), icon.mask.size());
    }
    const DWORD checksum = FileChecksum(out.data(), out.size());
    std::memcpy(out.data() + kChecksumAt, &checksum, sizeof checksum);
    return out;
}

bool ParseIconCacheFile(const BYTE* bytes, size_t size, std::vector<StoredIcon>* icons)
{
    icons->clear();
    ByteReader reader{bytes, size, 0};
    char magic[4];
    DWORD version = 0;
    DWORD count = 0;
    DWORD checksum = 0;
    if (!reader.Take(magic, 4) || std::memcmp(magic, kMagic, 4) != 0 || !reader.Take(&version, 4) ||
        version != kVersion || !reader.Take(&count, 4) || count > kMaxStoredIcons || !reader.Take(&checksum, 4) ||
        checksum != FileChecksum(bytes, size))
        return false;
    std::vector<StoredIcon> read(count);
    for (StoredIcon& icon : read) {
        if (!ParseEntry(&reader, &icon))
            return false;
    }
    if (reader.at != size)
        return false;
    *icons = std::move(read);
    return true;
}

bool CaptureIcon(HICON icon, int side, StoredIcon* stored)
{
    ICONINFO info = {};
    if (!icon || side < 1 || side > kMaxStoredIconSide || !GetIconInfo(icon, &info))
        return false;
    ScopedGdi<HBITMAP> colour(info.hbmColor);
    ScopedGdi<HBITMAP> mask(info.hbmMask);
    if (!colour || !IconSide(colour.Get(), side) || !IconSide(mask.Get(), side))
        return false;
    stored->pixels.assign(static_cast<size_t>(side) * side, 0);
    stored->mask.assign(IconMaskBytes(side), 0);
    BITMAPINFO colourInfo = ColourHeader(side);
    MaskInfo maskInfo = MaskHeader(side);
    ScopedWindowDC screen(nullptr);
    return GetDIBits(screen.Get(), colour.Get(), 0, side, stored->pixels.data(), &colourInfo, DIB_RGB_COLORS) ==
               side &&
           GetDIBits(screen.Get(), mask.Get(), 0, side, stored->mask.data(), reinterpret_cast<BITMAPINFO*>(&maskInfo),
                     DIB_RGB_COLORS) == side;
}

HICON MakeStoredIcon(const StoredIcon& stored)
{
    const int side = stored.key.pixelSize;
    const size_t rowPixels = static_cast<size_t>(side);
    const size_t maskRow = IconMaskBytes(side) / rowPixels;
    if (side < 1 || side > kMaxStoredIconSide || stored.pixels.size() != rowPixels * rowPixels ||
        stored.mask.size() != IconMaskBytes(side))
        return nullptr;
    // The image as an icon resource holds it: the header (twice the height:
    // the colours, then the mask), the rows bottom first.
    BITMAPINFOHEADER header = TopDownHeader(side, 32);
    header.biHeight = 2 * side;
    std::vector<BYTE> image;
    image.reserve(sizeof header + stored.pixels.size() * 4 + stored.mask.size());
    Append(&image, &header, sizeof header);
    for (size_t row = rowPixels; row-- > 0;)
        Append(&image, &stored.pixels[row * rowPixels], rowPixels * 4);
    for (size_t row = rowPixels; row-- > 0;)
        Append(&image, &stored.mask[row * maskRow], maskRow);
    return CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000, side, side,
                                    LR_DEFAULTCOLOR);
}

bool IconOfItsOwnFile(const IconCacheKey& key)
{
    const wchar_t* extension = ExtensionOf(key.path);
    return key.index > 0 || (extension && (lstrcmpiW(extension, L".exe") == 0 || lstrcmpiW(extension, L".ico") == 0));
}

void IconCacheFile::Read()
{
    icons_.clear();
    unchecked_.clear();
    firstPictureChecked_ = false;
    wchar_t path[MAX_PATH];
    std::vector<BYTE> bytes;
    rewrite_ = !IconFilePath(path) || !ReadWholeFile(path, &bytes) ||
               !ParseIconCacheFile(bytes.data(), bytes.size(), &icons_);
}

// The file's entry for key, of the same unchanged file; null when none.
StoredIcon* IconCacheFile::EntryOf(const IconCacheKey& key)
{
    for (StoredIcon& stored : icons_) {
        if (SameIconKey(stored.key, key))
            return &stored;
    }
    return nullptr;
}

// The file's entry for key holds icon's picture.
bool IconCacheFile::Holds(const IconCacheKey& key, HICON icon)
{
    const StoredIcon* stored = EntryOf(key);
    StoredIcon made{key, {}, {}};
    return stored && CaptureIcon(icon, key.pixelSize, &made) && made.pixels == stored->pixels &&
           made.mask == stored->mask;
}

// The entry for key held another picture than its file gives now.
void IconCacheFile::DropEntry(const IconCacheKey& key, IconCache& cache)
{
    if (const StoredIcon* stored = EntryOf(key))
        icons_.erase(icons_.begin() + (stored - icons_.data()));
    cache.Forget(key);
    rewrite_ = true;
}

HICON IconCacheFile::TakeIcon(const IconCacheKey& key)
{
    if (!key.usable || IsNetworkPath(key.path))
        return nullptr;  // never kept in the file, though one an older version wrote may hold it
    for (const StoredIcon& stored : icons_) {
        if (!SameSource(stored.key, key))
            continue;
        if (firstPictureChecked_ && MadeAgainToCompare(key))
            return nullptr;  // made anew, and compared with the entry then
        HICON icon = SameIconKey(stored.key, key) ? MakeStoredIcon(stored) : nullptr;
        rewrite_ = rewrite_ || !icon;  // a stale entry is replaced
        if (icon && !IconOfItsOwnFile(key))
            unchecked_.push_back(key);
        return icon;
    }
    return nullptr;
}

void IconCacheFile::NoteExtracted(const IconCacheKey& key, HICON icon, IconCache& cache)
{
    if (!key.usable || IsNetworkPath(key.path) || Holds(key, icon))
        return;
    if (EntryOf(key))
        DropEntry(key, cache);
    rewrite_ = true;
}

bool IconCacheFile::RenewBorrowed(IconMaker make, IconCache& cache)
{
    firstPictureChecked_ = true;
    bool renewed = false;
    for (const IconCacheKey& key : unchecked_) {
        if (!EntryOf(key) || !MadeAgainToCompare(key))
            continue;
        const ScopedIcon made(make(key.path, key.index, key.pixelSize));
        if (Holds(key, made.Get()))
            continue;
        DropEntry(key, cache);
        renewed = true;
    }
    unchecked_.clear();
    return renewed;
}

// The icons the file is to hold: those the bar keeps, then the file's own still valid ones.
std::vector<StoredIcon> IconCacheFile::IconsToWrite(const std::vector<IconSourceInUse>& inUse,
                                                    const IconCache& cache) const
{
    std::vector<StoredIcon> icons;
    for (const KeptIcon& kept : cache.Kept()) {
        StoredIcon stored{kept.key, {}, {}};
        if (icons.size() < kMaxWrittenIcons && InUse(kept.key, inUse) && !Listed(kept.key, icons) &&
            StillCurrent(kept.key) && CaptureIcon(kept.icon, kept.key.pixelSize, &stored))
            icons.push_back(std::move(stored));
    }
    for (const StoredIcon& stored : icons_) {
        if (icons.size() < kMaxWrittenIcons && InUse(stored.key, inUse) && !Listed(stored.key, icons) &&
            StillCurrent(stored.key))
            icons.push_back(stored);
    }
    return icons;
}

void IconCacheFile::Write(const std::vector<IconSourceInUse>& inUse, const IconCache& cache)
{
    wchar_t path[MAX_PATH];
    if (!rewrite_ || !IconFilePath(path))
        return;
    const std::vector<BYTE> bytes = FormatIconCacheFile(IconsToWrite(inUse, cache));
    const WritePiece piece{bytes.data(), static_cast<DWORD>(bytes.size())};
    if (ReplaceFileContents(path, &piece, 1))
        rewrite_ = false;
}

void IconCacheFile::Forget()
{
    icons_.clear();
    unchecked_.clear();
    rewrite_ = false;
}
