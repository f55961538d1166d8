#include "app/help.h"

#include "support/messages.h"
#include "support/program_files.h"
#include "support/system_library.h"

#include <htmlhelp.h>
#include <cwchar>

namespace {
constexpr DWORD kTopicSize = 520;
constexpr wchar_t kIndexPage[] = L"::/html/index.html";
}  // namespace

HelpControl::~HelpControl()
{
    if (function_)
        function_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

HtmlHelpFunction HelpControl::Function()
{
    if (!function_ && !library_) {
        library_.Reset(LoadSystemLibrary(L"hhctrl.ocx"));
        if (library_)
            function_ = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
    }
    return function_;
}

bool BuildHelpTopic(wchar_t* buffer, DWORD size)
{
    if (!ProgramPathWithExtension(L"chm", buffer, size))
        return false;
    const size_t length = std::wcslen(buffer);
    constexpr size_t kPageSize = ARRAYSIZE(kIndexPage);  // with the terminator
    if (length + kPageSize > size)
        return false;
    std::wmemcpy(buffer + length, kIndexPage, kPageSize);
    return true;
}

void ShowHelp(HWND owner, HelpControl& help)
{
    const HtmlHelpFunction helpControl = help.Function();
    wchar_t topic[kTopicSize];
    if (!helpControl || !BuildHelpTopic(topic, kTopicSize)) {
        ShowMessageId(owner, IDS_MSG_HELP_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    // The help control reports a missing file itself.
    helpControl(owner, topic, HH_DISPLAY_TOPIC, 0);
}
