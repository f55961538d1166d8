#include "archive/entry_name.h"

#include "support/code_page_932.h"

#include <windows.h>
#include <zlib.h>

#include <climits>
#include <cwchar>

namespace {

constexpr unsigned kUnicodePathTag = 0x7075;

unsigned Get16(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8);
}

// Strict: an invalid sequence fails instead of turning into a stand-in.
bool DecodeUtf8(const char* bytes, size_t length, wchar_t* out, size_t size)
{
    return FromCodePageStrict(CP_UTF8, bytes, length, out, size);
}

// The UTF-8 name of the Unicode Path field (version 1, CRC-32 of the stored
// name, the name), when the field is there and its CRC matches.
bool FindUnicodePath(const unsigned char* extra, size_t extraLength, const char* stored, size_t length,
                     const char** utf8, size_t* utf8Length)
{
    for (size_t at = 0; extra && at + 4 <= extraLength;) {
        const size_t fieldLength = Get16(extra + at + 2);
        const unsigned char* field = extra + at + 4;
        if (at + 4 + fieldLength > extraLength)
            return false;
        if (Get16(extra + at) == kUnicodePathTag) {
            if (fieldLength < 5 || field[0] != 1)
                return false;
            const unsigned long stated = field[1] | (field[2] << 8) | (field[3] << 16) |
                                         (static_cast<unsigned long>(field[4]) << 24);
            const unsigned long actual =
                crc32(0, reinterpret_cast<const Bytef*>(stored), static_cast<uInt>(length));
            *utf8 = reinterpret_cast<const char*>(field + 5);
            *utf8Length = fieldLength - 5;
            return stated == actual;
        }
        at += 4 + fieldLength;
    }
    return false;
}

// A lone surrogate has no UTF-8 form: such a name cannot be stored as it is.
bool EncodeUtf8(const wchar_t* text, char* out, size_t size)
{
    const int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || static_cast<size_t>(needed) > size)
        return false;
    return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, out, needed, nullptr, nullptr) == needed;
}

}  // namespace

bool DecodeEntryName(const char* stored, size_t length, unsigned flag, const unsigned char* extra,
                     size_t extraLength, wchar_t* name, size_t size)
{
    if (!stored || !name || length == 0)
        return false;
    if (flag & kUtf8NameFlag)
        return DecodeUtf8(stored, length, name, size);
    const char* utf8 = nullptr;
    size_t utf8Length = 0;
    if (FindUnicodePath(extra, extraLength, stored, length, &utf8, &utf8Length) &&
        DecodeUtf8(utf8, utf8Length, name, size))
        return true;
    return FromCodePage932Strict(stored, length, name, size);
}

bool EncodeEntryName(const wchar_t* name, char* stored, size_t size, unsigned* flag)
{
    if (!name || !stored || size == 0 || !flag)
        return false;
    const bool fits = FitsCodePage932(name);
    if (!(fits ? ToCodePage932(name, stored, size) : EncodeUtf8(name, stored, size)))
        return false;
    *flag = fits ? 0 : kUtf8NameFlag;
    return true;
}
