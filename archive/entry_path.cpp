#include "archive/entry_path.h"

#include "support/path_text.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsForbiddenSingleByte(unsigned char c)
{
    return c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

// A component's stem is the part before its first "." without trailing blanks;
// Windows maps such stems to devices whatever the extension.
bool IsReservedDeviceName(const char* begin, const char* end)
{
    const char* stemEnd = begin;
    while (stemEnd < end && *stemEnd != '.')
        ++stemEnd;
    while (stemEnd > begin && stemEnd[-1] == ' ')
        --stemEnd;
    const size_t length = static_cast<size_t>(stemEnd - begin);
    char stem[8];
    if (length < 3 || length >= sizeof stem)
        return false;
    for (size_t i = 0; i < length; ++i) {
        const char c = begin[i];
        stem[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    stem[length] = '\0';
    static const char* const kFixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* fixed : kFixed) {
        if (std::strcmp(stem, fixed) == 0)
            return true;
    }
    if (length == 4 && (std::strncmp(stem, "COM", 3) == 0 || std::strncmp(stem, "LPT", 3) == 0))
        return stem[3] >= '1' && stem[3] <= '9';
    return false;
}

// Checks one component [begin, end) whose characters were already checked.
bool IsSafeComponent(const char* begin, const char* end, const char* lastCharacter)
{
    if (begin == end)
        return false;
    if (*lastCharacter == '.' || *lastCharacter == ' ')
        return false;  // covers "." and ".." as well
    return !IsReservedDeviceName(begin, end);
}

}  // namespace

bool IsSafeEntryName(const char* name)
{
    if (!name || !*name || IsSeparator(name[0]))
        return false;
    const char* componentStart = name;
    const char* lastCharacter = nullptr;  // last whole character of the component
    for (const char* p = name; *p;) {
        const bool lead = IsDBCSLeadByte(static_cast<BYTE>(*p)) != 0;
        if (lead) {
            if (p[1] == '\0')
                return false;  // double-byte character cut short
            lastCharacter = p;
            p += 2;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(*p);
        if (IsSeparator(*p)) {
            if (!lastCharacter || !IsSafeComponent(componentStart, p, lastCharacter))
                return false;
            componentStart = p + 1;
            lastCharacter = nullptr;
        } else if (IsForbiddenSingleByte(c)) {
            return false;
        } else {
            lastCharacter = p;
        }
        ++p;
    }
    // A trailing separator marks a folder entry; otherwise the last component counts.
    const size_t length = std::strlen(name);
    if (componentStart == name + length)
        return true;
    return IsSafeComponent(componentStart, name + length, lastCharacter);
}

bool BuildEntryTarget(const char* destination, const char* name, char* target, size_t size)
{
    if (!target || size == 0)
        return false;
    target[0] = '\0';
    if (!destination || !*destination || !IsSafeEntryName(name))
        return false;

    const size_t destinationLength = std::strlen(destination);
    const size_t nameLength = std::strlen(name);
    if (destinationLength + 1 + nameLength + 1 > size)
        return false;
    std::memcpy(target, destination, destinationLength + 1);
    ReplaceCharacters(target, '/', '\\');
    size_t length = destinationLength;
    if (!EndsWithBackslash(target))
        target[length++] = '\\';
    std::memcpy(target + length, name, nameLength + 1);
    ReplaceCharacters(target + length, '/', '\\');

    // The joined path must resolve to a place strictly below the destination.
    char fullDestination[MAX_PATH * 2];
    char fullTarget[MAX_PATH * 2];
    const DWORD destinationFull = GetFullPathNameA(destination, sizeof fullDestination, fullDestination, nullptr);
    const DWORD targetFull = GetFullPathNameA(target, sizeof fullTarget, fullTarget, nullptr);
    if (destinationFull == 0 || destinationFull >= sizeof fullDestination || targetFull == 0 ||
        targetFull >= sizeof fullTarget) {
        target[0] = '\0';
        return false;
    }
    ReplaceCharacters(fullDestination, '/', '\\');
    size_t prefix = destinationFull;
    while (prefix > 0 && fullDestination[prefix - 1] == '\\' &&
           CharPrevA(fullDestination, fullDestination + prefix) == fullDestination + prefix - 1)
        --prefix;
    const bool inside = targetFull > prefix + 1 && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE,
                                                                  fullTarget, static_cast<int>(prefix),
                                                                  fullDestination, static_cast<int>(prefix)) ==
                                                       CSTR_EQUAL &&
                        fullTarget[prefix] == '\\';
    if (!inside) {
        target[0] = '\0';
        return false;
    }
    return true;
}
