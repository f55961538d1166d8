#include "data/store_field.h"

#include "support/path_text.h"

#include <cwchar>

void StoreField(wchar_t* field, const wchar_t* text)
{
    std::wmemset(field, 0, kFieldSize);
    if (text)
        CopyWholeCharacters(text, wcsnlen(text, kFieldSize), field, kFieldSize);
}
