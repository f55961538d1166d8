#include "support/messages.h"

#include "resources/resource_ids.h"
#include "support/path_text.h"

#include <cstdarg>

namespace {
constexpr int kTextSize = 260;
}

UINT MessageTitleId(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return IDS_TITLE_ERROR;
    case MB_ICONQUESTION: return IDS_TITLE_QUESTION;
    case MB_ICONEXCLAMATION: return IDS_TITLE_NOTICE;
    case MB_ICONINFORMATION: return IDS_TITLE_INFO;
    default: return IDS_TITLE_APP;
    }
}

int LoadText(UINT id, wchar_t* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = L'\0';
    return LoadStringW(GetModuleHandleW(nullptr), id, buffer, size);
}

int ShowMessage(HWND owner, const wchar_t* text, UINT type)
{
    if (!text)
        return 0;
    wchar_t title[kTextSize];
    LoadText(MessageTitleId(type), title, kTextSize);
    return MessageBoxW(owner, text, title, type);
}

int ShowMessageId(HWND owner, UINT messageId, UINT type)
{
    wchar_t text[kTextSize];
    LoadText(messageId, text, kTextSize);
    return ShowMessage(owner, text, type);
}

int FormatText(wchar_t* buffer, int size, UINT id, ...)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = L'\0';
    wchar_t format[kFormattedTextLimit + 1];
    if (!LoadText(id, format, ARRAYSIZE(format)))
        return 0;
    wchar_t text[kFormattedTextLimit + 1] = L"";
    va_list inserts;
    va_start(inserts, id);
    const int length = wvsprintfW(text, format, inserts);
    va_end(inserts);
    CopyWholeCharacters(text, length > 0 ? static_cast<size_t>(length) : 0, buffer, static_cast<size_t>(size));
    return lstrlenW(buffer);
}
