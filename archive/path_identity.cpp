#include "archive/path_identity.h"

#include "support/path_text.h"
#include "support/scoped_handle.h"

#include <cwchar>

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool EqualNoCase(const wchar_t* a, const wchar_t* b, size_t length)
{
    return CompareStringOrdinal(a, static_cast<int>(length), b, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

// The long form of a path that may not exist yet: its existing parent's long
// form with the remaining name appended.
bool LongForm(const wchar_t* full, wchar_t* out, DWORD size)
{
    const DWORD length = GetLongPathNameW(full, out, size);
    if (length > 0 && length < size)
        return true;
    const wchar_t* lastSeparator = LastBackslash(full);
    if (!lastSeparator || lastSeparator == full || lastSeparator[1] == L'\0')
        return false;
    wchar_t parent[MAX_PATH];
    const size_t parentLength = static_cast<size_t>(lastSeparator - full);
    if (parentLength >= MAX_PATH)
        return false;
    wmemcpy(parent, full, parentLength);
    parent[parentLength] = L'\0';
    if (parentLength == 2 && parent[1] == L':')
        return false;  // the parent is a drive root: the full path is as long as it gets
    if (!LongForm(parent, out, size))
        return false;
    const size_t outLength = std::wcslen(out);
    const size_t rest = std::wcslen(lastSeparator);
    if (outLength + rest >= size)
        return false;
    wmemcpy(out + outLength, lastSeparator, rest + 1);
    return true;
}

}  // namespace

bool CanonicalPath(const wchar_t* path, wchar_t* out, DWORD size)
{
    if (!path || !*path || !out || size == 0)
        return false;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;
    if (!LongForm(full, out, size)) {
        if (length >= size)
            return false;
        wmemcpy(out, full, length + 1);
    }
    // No trailing separator, except the one of a drive root ("C:\").
    size_t outLength = std::wcslen(out);
    while (outLength > 3 && IsSeparator(out[outLength - 1]))
        out[--outLength] = L'\0';
    return true;
}

bool IsSamePath(const wchar_t* a, const wchar_t* b)
{
    wchar_t first[MAX_PATH];
    wchar_t second[MAX_PATH];
    if (!CanonicalPath(a, first, MAX_PATH) || !CanonicalPath(b, second, MAX_PATH))
        return false;
    const size_t length = std::wcslen(first);
    return length == std::wcslen(second) && EqualNoCase(first, second, length);
}

bool IsSameOrInside(const wchar_t* path, const wchar_t* folder)
{
    wchar_t item[MAX_PATH];
    wchar_t outer[MAX_PATH];
    if (!CanonicalPath(path, item, MAX_PATH) || !CanonicalPath(folder, outer, MAX_PATH))
        return false;
    const size_t itemLength = std::wcslen(item);
    const size_t outerLength = std::wcslen(outer);
    if (itemLength < outerLength || !EqualNoCase(item, outer, outerLength))
        return false;
    return itemLength == outerLength || IsSeparator(outer[outerLength - 1]) || IsSeparator(item[outerLength]);
}

bool IsRootPath(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    size_t length = std::wcslen(path);
    if (length > 1 && IsSeparator(path[length - 1]))
        --length;
    if (length == 2 && path[1] == L':')
        return true;
    // "\\server\share": two names after the leading pair of separators.
    if (length < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || path[2] == L'?' || path[2] == L'.')
        return false;
    int separators = 0;
    for (size_t i = 2; i < length; ++i) {
        if (IsSeparator(path[i]))
            ++separators;
    }
    return separators == 1 && !IsSeparator(path[2]) && !IsSeparator(path[length - 1]);
}

bool operator==(const ItemIdentity& a, const ItemIdentity& b)
{
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

bool IdentityOf(const wchar_t* path, ItemIdentity* identity)
{
    if (!path || !identity)
        return false;
    // Opened for nothing but its attributes: a folder too, whoever else has it open.
    ScopedFile item(CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!item || !GetFileInformationByHandle(item.Get(), &information))
        return false;
    *identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
    return information.nFileIndexHigh != 0 || information.nFileIndexLow != 0;
}
