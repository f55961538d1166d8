#include "archive/archive_messages.h"

#include "support/messages.h"

namespace {

// The text with %1, %2 and %3 replaced (a missing insert gives nothing), cut
// to size characters.
void FillInserts(const wchar_t* text, const wchar_t* const inserts[3], wchar_t* out, size_t size)
{
    if (!out || size == 0)
        return;
    size_t length = 0;
    auto put = [&](wchar_t c) {
        if (length + 1 < size)
            out[length++] = c;
    };
    for (const wchar_t* p = text; p && *p; ++p) {
        if (p[0] == L'%' && p[1] >= L'1' && p[1] <= L'3') {
            for (const wchar_t* insert = inserts[p[1] - L'1']; insert && *insert; ++insert)
                put(*insert);
            ++p;
        } else {
            put(*p);
        }
    }
    out[length] = L'\0';
}

}  // namespace

int ShowArchiveMessage(HWND owner, UINT textId, UINT type, const wchar_t* first, const wchar_t* second,
                       const wchar_t* third)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t title[128] = L"";
    wchar_t text[512] = L"";
    LoadStringW(module, MessageTitleId(type), title, 128);
    LoadStringW(module, textId, text, 512);
    const wchar_t* const inserts[3] = {first, second, third};
    wchar_t message[1024];
    FillInserts(text, inserts, message, 1024);
    return MessageBoxW(owner, message, title, type);
}
