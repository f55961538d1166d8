#include "data/field_form.h"

#include "data/store_field.h"
#include "support/code_page_932.h"
#include "support/path_lookup.h"

#include <cstring>
#include <string>

namespace {
// text in code page 932 into stored, when the code page holds it exactly and
// it fits the field with its terminator; otherwise false and stored empty.
bool StoreExactly(const wchar_t* text, char* stored)
{
    std::memset(stored, 0, kStoredFieldSize);
    if (ToCodePage932(text, stored, kStoredFieldSize))
        return true;
    std::memset(stored, 0, kStoredFieldSize);
    return false;
}

bool StoreShortPath(const wchar_t* path, char* stored)
{
    wchar_t shortPath[kFieldSize];
    return ShortPathOf(path, shortPath, kFieldSize) && StoreExactly(shortPath, stored);
}
}  // namespace

void FieldFromStored(const char* stored, wchar_t* field)
{
    const std::wstring text = FromCodePage932(stored, strnlen(stored, kStoredFieldSize));
    StoreField(field, text.c_str());
}

void StoredFormOf(const wchar_t* text, bool pathField, char* stored)
{
    if (StoreExactly(text, stored) || (pathField && StoreShortPath(text, stored)))
        return;
    ToCodePage932(text, stored, kStoredFieldSize);
}
