#include "support/code_page_932.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <cwchar>

namespace {
bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// One character of text: a surrogate pair counts as one.
size_t CharacterLength(const wchar_t* text)
{
    return IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
}

// The code page 932 bytes of one character (length 1, or 2 for a surrogate
// pair) into out (room for size); how many, or 0 when the code page does not
// hold it exactly.
int EncodeExactly(const wchar_t* text, size_t length, char* out, int size)
{
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text, static_cast<int>(length), out,
                                          size, nullptr, &usedDefault);
    if (count <= 0 || usedDefault)
        return 0;
    wchar_t back[4];
    const int units = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, out, count, back, 4);
    return units == static_cast<int>(length) && std::wmemcmp(back, text, length) == 0 ? count : 0;
}
}  // namespace

bool FitsCodePage932(const wchar_t* text)
{
    if (!text)
        return false;
    for (const wchar_t* p = text; *p;) {
        const size_t length = CharacterLength(p);
        char bytes[8];
        if (EncodeExactly(p, length, bytes, sizeof bytes) == 0)
            return false;
        p += length;
    }
    return true;
}

bool ToCodePage932(const wchar_t* text, char* out, size_t size)
{
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    if (!text)
        return false;
    size_t used = 0;
    bool exact = true;
    for (const wchar_t* p = text; *p;) {
        const size_t length = CharacterLength(p);
        char bytes[8];
        int count = EncodeExactly(p, length, bytes, sizeof bytes);
        if (count == 0) {
            bytes[0] = '?';
            count = 1;
            exact = false;
        }
        if (used + static_cast<size_t>(count) >= size)
            return false;  // cut before the character that does not fit whole
        std::memcpy(out + used, bytes, static_cast<size_t>(count));
        used += static_cast<size_t>(count);
        out[used] = '\0';
        p += length;
    }
    return exact;
}

size_t WholeCharactersLength(const char* bytes, size_t length)
{
    size_t at = 0;
    while (at < length) {
        const size_t step = IsDBCSLeadByteEx(kCodePage932, static_cast<BYTE>(bytes[at])) ? 2 : 1;
        if (at + step > length)
            break;
        at += step;
    }
    return at;
}

std::wstring FromCodePage932(const char* bytes, size_t length)
{
    if (!bytes || length == 0 || length > INT_MAX)
        return std::wstring();
    const int units = MultiByteToWideChar(kCodePage932, 0, bytes, static_cast<int>(length), nullptr, 0);
    if (units <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(kCodePage932, 0, bytes, static_cast<int>(length), &text[0], units);
    return text;
}

bool FromCodePage932Strict(const char* bytes, size_t length, wchar_t* out, size_t size)
{
    return FromCodePageStrict(kCodePage932, bytes, length, out, size);
}

bool FromCodePageStrict(unsigned codePage, const char* bytes, size_t length, wchar_t* out, size_t size)
{
    if (!bytes || !out || length == 0 || length > INT_MAX || size < 2)
        return false;
    const int count = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(length), out,
                                          static_cast<int>(size < INT_MAX ? size - 1 : INT_MAX));
    if (count <= 0)
        return false;
    out[count] = L'\0';
    return std::wcslen(out) == static_cast<size_t>(count);  // no NUL inside
}
