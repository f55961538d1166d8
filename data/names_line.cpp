#include "data/names_line.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {
struct KindName {
    FieldKind kind;
    const char* name;
    bool ofButton;
};

constexpr KindName kKindNames[] = {
    {FieldKind::Name, "name", false},      {FieldKind::Icon, "icon", false},    {FieldKind::Title, "title", true},
    {FieldKind::File, "file", true},       {FieldKind::Folder, "folder", true}, {FieldKind::Options, "options", true},
    {FieldKind::Icon, "icon", true},
};

const char* KindNameOf(const FieldPlace& place)
{
    for (const KindName& entry : kKindNames)
        if (entry.kind == place.kind && entry.ofButton == (place.button >= 0))
            return entry.name;
    return nullptr;
}

// "<prefix>NN" at text, NN two digits 01..count; the number less one, or -1.
int ReadNumbered(const std::string& text, size_t* at, const char* prefix, int count)
{
    const size_t prefixLength = std::strlen(prefix);
    if (text.compare(*at, prefixLength, prefix) != 0 || *at + prefixLength + 2 > text.size())
        return -1;
    const char tens = text[*at + prefixLength];
    const char ones = text[*at + prefixLength + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return -1;
    const int number = (tens - '0') * 10 + (ones - '0');
    if (number < 1 || number > count)
        return -1;
    *at += prefixLength + 2;
    return number - 1;
}

bool ParseKey(const std::string& key, FieldPlace* place)
{
    size_t at = 0;
    place->group = ReadNumbered(key, &at, "group", kGroupCount);
    if (place->group < 0 || key.compare(at, 1, ".") != 0)
        return false;
    ++at;
    place->button = -1;
    if (key.compare(at, 6, "button") == 0) {
        place->button = ReadNumbered(key, &at, "button", kButtonsPerGroup);
        if (place->button < 0 || key.compare(at, 1, ".") != 0)
            return false;
        ++at;
    }
    const std::string name = key.substr(at);
    for (const KindName& entry : kKindNames) {
        if (name == entry.name && entry.ofButton == (place->button >= 0)) {
            place->kind = entry.kind;
            return true;
        }
    }
    return false;
}

wchar_t Unescaped(wchar_t c)
{
    switch (c) {
    case L'\\': return L'\\';
    case L't': return L'\t';
    case L'r': return L'\r';
    case L'n': return L'\n';
    default: return L'\0';
    }
}

// The UTF-8 part, unescaped, into text (kFieldSize characters).
bool ParseText(const char* part, size_t length, wchar_t* text)
{
    std::wmemset(text, 0, kFieldSize);
    if (length == 0)
        return true;
    wchar_t decoded[kNamesLineMaxSize];
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, part, static_cast<int>(length), decoded,
                                          static_cast<int>(kNamesLineMaxSize));
    if (units <= 0)
        return false;
    int out = 0;
    for (int i = 0; i < units; ++i) {
        wchar_t c = decoded[i];
        if (c == L'\0')
            return false;
        if (c == L'\\') {
            c = i + 1 < units ? Unescaped(decoded[++i]) : L'\0';
            if (c == L'\0')
                return false;
        }
        if (out >= kFieldLength)
            return false;
        text[out++] = c;
    }
    return true;
}

void AppendEscaped(const wchar_t* text, std::wstring* out)
{
    for (const wchar_t* p = text; *p; ++p) {
        switch (*p) {
        case L'\\': *out += L"\\\\"; break;
        case L'\t': *out += L"\\t"; break;
        case L'\r': *out += L"\\r"; break;
        case L'\n': *out += L"\\n"; break;
        default: *out += *p;
        }
    }
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.c_str(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}
}  // namespace

bool ParseNamesLine(const char* text, size_t length, NamesLine* line)
{
    if (!text || !line || length > kNamesLineMaxSize || std::memchr(text, '\0', length))
        return false;
    const char* end = text + length;
    const char* firstTab = static_cast<const char*>(std::memchr(text, '\t', length));
    const char* secondTab =
        firstTab ? static_cast<const char*>(std::memchr(firstTab + 1, '\t', static_cast<size_t>(end - firstTab - 1)))
                 : nullptr;
    if (!secondTab || std::memchr(secondTab + 1, '\t', static_cast<size_t>(end - secondTab - 1)))
        return false;
    return ParseKey(std::string(text, firstTab), &line->place) &&
           ParseText(firstTab + 1, static_cast<size_t>(secondTab - firstTab - 1), line->form) &&
           ParseText(secondTab + 1, static_cast<size_t>(end - secondTab - 1), line->whole);
}

std::string FormatNamesLine(const FieldPlace& place, const wchar_t* form, const wchar_t* whole)
{
    const char* kind = KindNameOf(place);
    if (!kind || FieldIndexOf(place) < 0)
        return std::string();
    wchar_t key[40];
    if (place.button < 0)
        swprintf(key, 40, L"group%02d.%hs", place.group + 1, kind);
    else
        swprintf(key, 40, L"group%02d.button%02d.%hs", place.group + 1, place.button + 1, kind);
    std::wstring text = key;
    text += L'\t';
    AppendEscaped(form, &text);
    text += L'\t';
    AppendEscaped(whole, &text);
    std::string line = Utf8(text);
    return line.empty() ? line : line + "\r\n";
}
