#include "support/messages.h"

#include "resources/resource_ids.h"

#include <cstring>

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

int LoadText(UINT id, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    return LoadStringA(GetModuleHandleA(nullptr), id, buffer, size);
}

int ShowMessage(HWND owner, const char* text, UINT type)
{
    if (!text)
        return 0;
    char title[kTextSize];
    LoadText(MessageTitleId(type), title, sizeof title);
    return MessageBoxA(owner, text, title, type);
}

int ShowMessageId(HWND owner, UINT messageId, UINT type)
{
    char text[kTextSize];
    LoadText(messageId, text, sizeof text);
    return ShowMessage(owner, text, type);
}
