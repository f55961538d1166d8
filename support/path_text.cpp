#include "support/path_text.h"

#include <windows.h>

#include <cwchar>

namespace {
bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
}  // namespace

void CopyWholeCharacters(const wchar_t* text, size_t length, wchar_t* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    size_t taken = 0;
    for (; text && taken < length && text[taken] && taken + 1 < size; ++taken) {
        // A surrogate pair goes whole or not at all.
        if (IsHighSurrogate(text[taken]) && (taken + 1 >= length || taken + 2 >= size))
            break;
    }
    if (taken > 0)
        std::wmemcpy(buffer, text, taken);
    buffer[taken] = L'\0';
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

const wchar_t* ExtensionOf(const wchar_t* path)
{
    const wchar_t* name = FileNameOf(path);
    const wchar_t* dot = name ? std::wcsrchr(name, L'.') : nullptr;
    return dot != name ? dot : nullptr;
}

bool EndsWithBackslash(const wchar_t* text)
{
    if (!text || !*text)
        return false;
    return text[std::wcslen(text) - 1] == L'\\';
}

bool QuoteForCommandLine(const wchar_t* path, wchar_t* buffer, size_t size)
{
    // The backslashes that end path.
    size_t ending = 0;
    for (const wchar_t* p = path; *p; ++p)
        ending = *p == L'\\' ? ending + 1 : 0;
    const size_t length = std::wcslen(path);
    if (length + ending + 3 > size)
        return false;
    buffer[0] = L'"';
    std::wmemcpy(buffer + 1, path, length);
    std::wmemset(buffer + 1 + length, L'\\', ending);
    buffer[1 + length + ending] = L'"';
    buffer[2 + length + ending] = L'\0';
    return true;
}

void ReplaceCharacters(wchar_t* text, wchar_t from, wchar_t to)
{
    for (; text && *text; ++text) {
        if (*text == from)
            *text = to;
    }
}

void CopyFolderOf(const wchar_t* path, wchar_t* buffer, size_t size)
{
    const wchar_t* last = LastBackslash(path);
    CopyWholeCharacters(path, last ? static_cast<size_t>(last - path) : 0, buffer, size);
}

void CopyNameWithoutExtension(const wchar_t* path, wchar_t* buffer, size_t size)
{
    const wchar_t* name = path ? FileNameOf(path) : L"";
    const wchar_t* extension = ExtensionOf(name);
    CopyWholeCharacters(name, extension ? static_cast<size_t>(extension - name) : std::wcslen(name), buffer, size);
}
