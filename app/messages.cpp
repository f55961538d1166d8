#include "app/messages.h"

#include "app/program_path.h"
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

bool PathWithExtension(char* buffer, DWORD size, const char* extension)
{
    if (!buffer || size == 0 || !extension)
        return false;
    char path[MAX_PATH];
    const DWORD length = GetProgramPath(path, sizeof path);
    if (length == 0)
        return false;

    // Find the last "." of the file name, stepping by whole characters so
    // that a trail byte is never taken for a separator.
    const char* dot = nullptr;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '.')
            dot = p;
        else if (*p == '\\' || *p == '/')
            dot = nullptr;
    }
    const size_t stem = dot && dot != path ? static_cast<size_t>(dot - path) : length;
    const size_t extLength = std::strlen(extension);
    if (stem + 1 + extLength + 1 > size)
        return false;
    std::memcpy(buffer, path, stem);
    buffer[stem] = '.';
    std::memcpy(buffer + stem + 1, extension, extLength + 1);
    return true;
}
