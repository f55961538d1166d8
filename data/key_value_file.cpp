#include "data/key_value_file.h"

#include "support/program_files.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {
constexpr char kSeparator = ',';

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Decimal conversion of [p, end): leading blanks, an optional sign, digits;
// stops at the first other character and saturates at the 32-bit limits.
long ParseNumber(const char* p, const char* end)
{
    while (p < end && (IsBlank(*p) || *p == '\v' || *p == '\f'))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<long>(value);
}

}  // namespace

KeyValueFile::~KeyValueFile()
{
    Close();
}

bool KeyValueFile::Open(const wchar_t* path, bool forWriting)
{
    Close();
    if (!path || !*path)
        return false;
    if (!forWriting)
        return Read(path) == UserFileRead::Done;
    const size_t pathSize = (wcslen(path) + 1) * sizeof(wchar_t);
    path_.Reset(HeapAlloc(GetProcessHeap(), 0, pathSize));
    if (!path_)
        return false;
    memcpy(path_.Get(), path, pathSize);
    return true;
}

UserFileRead KeyValueFile::Read(const wchar_t* path)
{
    Close();
    if (!path || !*path)
        return UserFileRead::Unreadable;
    DWORD size = 0;
    const UserFileRead result = files_.Read(path, kKeyValueFileMaxSize, &text_, &size);
    if (result == UserFileRead::TooLarge)
        files_.Keep(path);  // not the user's whole file: never replaced by what was read
    if (result != UserFileRead::Done)
        return result;
    length_ = size;  // and a NUL
    capacity_ = size + 1;
    return result;
}

UserFileLoad KeyValueFile::ReadBesideProgram(const wchar_t* name, DWORD pathSize)
{
    std::wstring path(pathSize, L'\0');
    if (!ProgramFolderFile(name, &path[0], pathSize))
        return UserFileLoad{};
    const bool read = Read(path.c_str()) == UserFileRead::Done;
    return files_.LoadOf(path.c_str(), read);
}

bool KeyValueFile::Close()
{
    bool ok = true;
    if (path_) {
        const WritePiece piece = {text_.Get(), length_};
        ok = files_.Replace(static_cast<const wchar_t*>(path_.Get()), &piece, length_ ? 1 : 0);
        path_.Reset();
    }
    text_.Reset();
    length_ = 0;
    capacity_ = 0;
    return ok;
}

bool KeyValueFile::FindValue(const char* name, const char** start, const char** end) const
{
    if (path_ || !text_ || !name || !*name)
        return false;
    const size_t nameLength = strlen(name);
    const char* text = Text();
    const char* search = text;
    const char* found = nullptr;
    while ((found = strstr(search, name)) != nullptr) {
        const bool atLineStart = found == text || (found - text >= 2 && found[-2] == '\r' && found[-1] == '\n');
        if (atLineStart && found[nameLength] == kSeparator)
            break;
        search = found + nameLength;
    }
    if (!found)
        return false;
    const char* value = found + nameLength + 1;
    const char* lineEnd = strstr(value, "\r\n");
    if (!lineEnd)
        return false;
    while (value < lineEnd && IsBlank(*value))
        ++value;
    *start = value;
    *end = lineEnd;
    return true;
}

bool KeyValueFile::ReadNumber(const char* name, long* value) const
{
    if (!value)
        return false;
    *value = 0;
    const char* start = nullptr;
    const char* end = nullptr;
    if (!FindValue(name, &start, &end))
        return false;
    *value = ParseNumber(start, end);
    return true;
}

bool KeyValueFile::Reserve(DWORD needed)
{
    if (needed <= capacity_)
        return true;
    DWORD capacity = capacity_ ? capacity_ : 1024;
    while (capacity < needed)
        capacity *= 2;
    void* grown = text_ ? HeapReAlloc(GetProcessHeap(), 0, text_.Get(), capacity) : HeapAlloc(GetProcessHeap(), 0, capacity);
    if (!grown)
        return false;
    text_.Release();  // taken over by HeapReAlloc, if there was one
    text_.Reset(grown);
    capacity_ = capacity;
    return true;
}

// Appends "name,value\r\n" whole, or nothing.
bool KeyValueFile::AppendLine(const char* name, const char* value, size_t valueLength)
{
    if (!path_ || !name)
        return false;
    const size_t nameLength = strlen(name);
    const size_t total = nameLength + 1 + valueLength + 2;
    if (nameLength > kKeyValueFileMaxSize || valueLength > kKeyValueFileMaxSize ||
        length_ + total > kKeyValueFileMaxSize || !Reserve(static_cast<DWORD>(length_ + total)))
        return false;
    char* out = Text() + length_;
    memcpy(out, name, nameLength);
    out[nameLength] = kSeparator;
    memcpy(out + nameLength + 1, value, valueLength);
    memcpy(out + nameLength + 1 + valueLength, "\r\n", 2);
    length_ += static_cast<DWORD>(total);
    return true;
}

bool KeyValueFile::WriteNumber(const char* name, long value)
{
    char digits[16];
    const int length = snprintf(digits, sizeof digits, "%ld", value);
    return length > 0 && AppendLine(name, digits, static_cast<size_t>(length));
}
