#include "support/path_text.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

void CopyWholeCharacters(const char* text, size_t length, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    size_t taken = 0;
    for (const char* p = text; p && taken < length;) {
        const size_t step = static_cast<size_t>(CharNextA(p) - p);
        if (step == 0 || taken + step > length || taken + step >= size)
            break;
        taken += step;
        p += step;
    }
    if (taken > 0)
        std::memcpy(buffer, text, taken);
    buffer[taken] = '\0';
}

const char* LastBackslash(const char* text)
{
    const char* last = nullptr;
    for (const char* p = text; p && *p; p = CharNextA(p)) {
        if (*p == '\\')
            last = p;
    }
    return last;
}

const char* FileNameOf(const char* path)
{
    const char* last = LastBackslash(path);
    return last ? last + 1 : path;
}

const char* ExtensionOf(const char* path)
{
    const char* name = FileNameOf(path);
    const char* dot = nullptr;
    for (const char* p = name; p && *p; p = CharNextA(p)) {
        if (*p == '.')
            dot = p;
    }
    return dot != name ? dot : nullptr;
}

bool EndsWithBackslash(const char* text)
{
    if (!text || !*text)
        return false;
    const size_t length = std::strlen(text);
    const char* last = CharPrevA(text, text + length);
    return last == text + length - 1 && *last == '\\';
}

bool QuoteForCommandLine(const char* path, char* buffer, size_t size)
{
    // The backslashes that end path, counted by whole characters.
    size_t ending = 0;
    for (const char* p = path; *p; p = CharNextA(p))
        ending = *p == '\\' ? ending + 1 : 0;
    const size_t length = std::strlen(path);
    if (length + ending + 3 > size)
        return false;
    buffer[0] = '"';
    std::memcpy(buffer + 1, path, length);
    std::memset(buffer + 1 + length, '\\', ending);
    buffer[1 + length + ending] = '"';
    buffer[2 + length + ending] = '\0';
    return true;
}

void ReplaceCharacters(char* text, char from, char to)
{
    for (char* p = text; p && *p; p = CharNextA(p)) {
        if (*p == from)
            *p = to;
    }
}

void CopyFolderOf(const char* path, char* buffer, size_t size)
{
    const char* last = LastBackslash(path);
    CopyWholeCharacters(path, last ? static_cast<size_t>(last - path) : 0, buffer, size);
}

void CopyNameWithoutExtension(const char* path, char* buffer, size_t size)
{
    const char* name = FileNameOf(path);
    if (!name)
        name = "";
    const char* extension = ExtensionOf(name);
    CopyWholeCharacters(name, extension ? static_cast<size_t>(extension - name) : std::strlen(name), buffer, size);
}

const wchar_t* LastBackslash(const wchar_t* text)
{
    return text ? std::wcsrchr(text, L'\\') : nullptr;
}

const wchar_t* FileNameOf(const wchar_t* path)
{
    const wchar_t* last = LastBackslash(path);
    return last ? last + 1 : path;
}

void ReplaceCharacters(wchar_t* text, wchar_t from, wchar_t to)
{
    for (; text && *text; ++text) {
        if (*text == from)
            *text = to;
    }
}

void CopyNameWithoutExtension(const wchar_t* path, wchar_t* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    const wchar_t* name = path ? FileNameOf(path) : L"";
    const wchar_t* dot = std::wcsrchr(name, L'.');
    size_t length = dot && dot != name ? static_cast<size_t>(dot - name) : std::wcslen(name);
    if (length >= size)
        length = size - 1;
    std::wmemcpy(buffer, name, length);
    buffer[length] = L'\0';
}
