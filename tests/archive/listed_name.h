#pragma once
// A listed entry's name in UTF-16, read as its flag says: UTF-8 with bit 11, code page 932 without.
#include "support/files.h"
#include "support/zip.h"

#include "support/code_page_932.h"

#include <string>

namespace support {

inline bool IsUtf8Name(const ListedEntry& entry) { return (entry.flag & 0x800) != 0; }
inline std::wstring NameOf(const ListedEntry& entry)
{
    return IsUtf8Name(entry) ? Utf16(entry.name) : FromCodePage932(entry.name.data(), entry.name.size());
}

}  // namespace support
