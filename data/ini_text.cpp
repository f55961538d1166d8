#include "data/ini_text.h"

#include <cstring>

namespace {
struct Span {
    const char* start;
    const char* end;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

Span Trimmed(Span span)
{
    while (span.start < span.end && IsBlank(*span.start))
        ++span.start;
    while (span.end > span.start && (IsBlank(span.end[-1]) || span.end[-1] == '\r'))
        --span.end;
    return span;
}

// The first c in span, or null.
const char* Find(Span span, char c)
{
    return static_cast<const char*>(std::memchr(span.start, c, static_cast<size_t>(span.end - span.start)));
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(Span span, const char* name)
{
    const size_t length = std::strlen(name);
    if (static_cast<size_t>(span.end - span.start) != length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (Lower(span.start[i]) != Lower(name[i]))
            return false;
    return true;
}

// The section a "[name]" line opens; false for any other line.
bool SectionOf(Span line, Span* name)
{
    if (line.start == line.end || *line.start != '[')
        return false;
    const char* close = Find(line, ']');
    *name = Trimmed({line.start + 1, close ? close : line.end});
    return true;
}

std::string Unquoted(Span value)
{
    const size_t length = static_cast<size_t>(value.end - value.start);
    const bool quoted = length >= 2 && (*value.start == '"' || *value.start == '\'') && value.end[-1] == *value.start;
    return quoted ? std::string(value.start + 1, value.end - 1) : std::string(value.start, value.end);
}
}  // namespace

bool FindIniValue(const char* text, size_t size, const char* section, const char* key, std::string* value)
{
    if (!text || !section || !key || !value)
        return false;
    const char* end = text + size;
    bool inSection = false;
    for (const char* start = text; start < end;) {
        const char* newline = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        const Span line = Trimmed({start, newline ? newline : end});
        start = newline ? newline + 1 : end;
        Span name;
        if (SectionOf(line, &name)) {
            if (inSection)
                return false;  // only the first section of that name counts
            inSection = SameName(name, section);
            continue;
        }
        const char* equals = Find(line, '=');
        if (!inSection || !equals || *line.start == ';' || !SameName(Trimmed({line.start, equals}), key))
            continue;
        *value = Unquoted(Trimmed({equals + 1, line.end}));
        return true;
    }
    return false;
}

int FindIniNumber(const char* text, size_t size, const char* section, const char* key, int fallback)
{
    std::string value;
    if (!FindIniValue(text, size, section, key, &value))
        return fallback;
    const char* p = value.c_str();
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // 32 bits, as the system's reader keeps them: more digits wrap around.
    unsigned number = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        number = number * 10u + static_cast<unsigned>(*p - '0');
    return static_cast<int>(negative ? 0u - number : number);
}
