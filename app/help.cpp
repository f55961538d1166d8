#include "app/help.h"

#include "app/messages.h"
#include "support/system_library.h"

#include <htmlhelp.h>
#include <cstring>

namespace {
constexpr DWORD kTopicSize = 520;
constexpr char kIndexPage[] = "::/html/index.html";

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The HTML Help control, loaded from the system folder at the first use and
// kept for the rest of the run (its window outlives the call); null when the
// system has none.
HtmlHelpFunction HelpControl()
{
    static HtmlHelpFunction function = nullptr;
    if (function)
        return function;
    if (HMODULE library = LoadSystemLibrary("hhctrl.ocx"))
        function = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    return function;
}
}  // namespace

bool BuildHelpTopic(char* buffer, DWORD size)
{
    if (!PathWithExtension(buffer, size, "chm"))
        return false;
    const size_t length = std::strlen(buffer);
    if (length + sizeof kIndexPage > size)
        return false;
    std::memcpy(buffer + length, kIndexPage, sizeof kIndexPage);
    return true;
}

void ShowHelp(HWND owner)
{
    const HtmlHelpFunction helpControl = HelpControl();
    char* topic = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kTopicSize));
    if (!helpControl || !topic || !BuildHelpTopic(topic, kTopicSize)) {
        if (topic)
            HeapFree(GetProcessHeap(), 0, topic);
        ShowMessageId(owner, kMsgHelpFailed, MB_ICONEXCLAMATION);
        return;
    }
    // The help control reports a missing file itself.
    helpControl(owner, topic, HH_DISPLAY_TOPIC, 0);
    HeapFree(GetProcessHeap(), 0, topic);
}
