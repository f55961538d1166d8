#include "archive/entry_path.h"

#include "support/path_text.h"

#include <windows.h>

#include <cwchar>

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsForbidden(wchar_t c)
{
    return c < 0x20 || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
}

// The digits Windows accepts after COM and LPT: 1 to 9 and the superscripts.
bool IsDeviceDigit(wchar_t c)
{
    return (c >= L'1' && c <= L'9') || c == 0x00B9 || c == 0x00B2 || c == 0x00B3;
}

// A component's stem is the part before its first "." without trailing blanks;
// Windows maps such stems to devices whatever the extension.
bool IsReservedDeviceName(const wchar_t* begin, const wchar_t* end)
{
    const wchar_t* stemEnd = begin;
    while (stemEnd < end && *stemEnd != L'.')
        ++stemEnd;
    while (stemEnd > begin && stemEnd[-1] == L' ')
        --stemEnd;
    const size_t length = static_cast<size_t>(stemEnd - begin);
    wchar_t stem[8];
    if (length < 3 || length >= 8)
        return false;
    for (size_t i = 0; i < length; ++i) {
        const wchar_t c = begin[i];
        stem[i] = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    stem[length] = L'\0';
    static const wchar_t* const kFixed[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const wchar_t* fixed : kFixed) {
        if (std::wcscmp(stem, fixed) == 0)
            return true;
    }
    if (length == 4 && (std::wcsncmp(stem, L"COM", 3) == 0 || std::wcsncmp(stem, L"LPT", 3) == 0))
        return IsDeviceDigit(stem[3]);
    return false;
}

// Checks one component [begin, end) whose characters were already checked.
bool IsSafeComponent(const wchar_t* begin, const wchar_t* end)
{
    if (begin == end || end[-1] == L'.' || end[-1] == L' ')
        return false;  // covers "." and ".." as well
    return !IsReservedDeviceName(begin, end);
}

// One component alone: no separator, no forbidden character, a safe name.
bool IsSafeSingleComponent(const wchar_t* begin, const wchar_t* end)
{
    for (const wchar_t* p = begin; p < end; ++p) {
        if (IsSeparator(*p) || IsForbidden(*p))
            return false;
    }
    return IsSafeComponent(begin, end);
}

}  // namespace

bool IsSafeEntryName(const wchar_t* name)
{
    if (!name || !*name || IsSeparator(name[0]))
        return false;
    const wchar_t* componentStart = name;
    const wchar_t* p = name;
    for (; *p; ++p) {
        if (IsSeparator(*p)) {
            if (!IsSafeComponent(componentStart, p))
                return false;
            componentStart = p + 1;
        } else if (IsForbidden(*p)) {
            return false;
        }
    }
    // A trailing separator marks a folder entry; otherwise the last component counts.
    return componentStart == p || IsSafeComponent(componentStart, p);
}

bool BuildEntryTarget(const wchar_t* destination, const wchar_t* name, wchar_t* target, size_t size)
{
    if (!target || size == 0)
        return false;
    target[0] = L'\0';
    if (!destination || !*destination || !IsSafeEntryName(name))
        return false;

    const size_t destinationLength = std::wcslen(destination);
    const size_t nameLength = std::wcslen(name);
    const size_t length = destinationLength + (IsSeparator(destination[destinationLength - 1]) ? 0 : 1);
    if (length + nameLength >= size || length + nameLength >= MAX_PATH)
        return false;
    wmemcpy(target, destination, destinationLength);
    target[length - 1] = L'\\';
    wmemcpy(target + length, name, nameLength + 1);
    ReplaceCharacters(target, L'/', L'\\');

    // The joined path must resolve to a place strictly below the destination.
    wchar_t fullDestination[MAX_PATH];
    wchar_t fullTarget[MAX_PATH];
    const DWORD destinationFull = GetFullPathNameW(destination, MAX_PATH, fullDestination, nullptr);
    const DWORD targetFull = GetFullPathNameW(target, MAX_PATH, fullTarget, nullptr);
    size_t prefix = destinationFull;
    while (prefix > 0 && IsSeparator(fullDestination[prefix - 1]))
        --prefix;
    const bool inside = destinationFull > 0 && destinationFull < MAX_PATH && targetFull > prefix + 1 &&
                        targetFull < MAX_PATH &&
                        CompareStringOrdinal(fullTarget, static_cast<int>(prefix), fullDestination,
                                             static_cast<int>(prefix), TRUE) == CSTR_EQUAL &&
                        fullTarget[prefix] == L'\\';
    if (!inside)
        target[0] = L'\0';
    return inside;
}

bool IsSafeItemName(const wchar_t* name)
{
    return name && IsSafeSingleComponent(name, name + std::wcslen(name));
}

void MakeSafeItemName(const wchar_t* name, const wchar_t* fallback, wchar_t* out, size_t size)
{
    if (!out || size == 0)
        return;
    const wchar_t* source = name ? name : L"";
    const wchar_t* end = source + std::wcslen(source);
    while (end > source && (end[-1] == L'.' || end[-1] == L' '))
        --end;
    size_t length = static_cast<size_t>(end - source);
    if (length >= size || !IsSafeSingleComponent(source, end)) {
        source = fallback ? fallback : L"";
        length = std::wcslen(source) < size ? std::wcslen(source) : size - 1;
    }
    wmemcpy(out, source, length);
    out[length] = L'\0';
}
