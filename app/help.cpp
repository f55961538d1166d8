#include "app/help.h"

#include "support/messages.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"
#include "support/system_library.h"

#include <htmlhelp.h>
#include <cwchar>

namespace {
constexpr DWORD kTopicSize = 520;
constexpr wchar_t kIndexPage[] = L"::/html/index.html";

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The HTML Help control, loaded from the system folder at the first use and
// kept for the rest of the run (its window outlives the call). At the end its
// windows are closed before the library goes.
class HelpControl {
public:
    HelpControl() = default;
    HelpControl(const HelpControl&) = delete;
    HelpControl& operator=(const HelpControl&) = delete;
    ~HelpControl()
    {
        if (function_)
            function_(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }

    // Null when the system has no help control.
    HtmlHelpFunction Function()
    {
        if (!function_ && !library_) {
            library_.Reset(LoadSystemLibrary(L"hhctrl.ocx"));
            if (library_)
                function_ = reinterpret_cast<HtmlHelpFunction>(
                    reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
        }
        return function_;
    }

private:
    ScopedLibrary library_;
    HtmlHelpFunction function_ = nullptr;
};

HelpControl g_helpControl;
}  // namespace

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

void ShowHelp(HWND owner)
{
    const HtmlHelpFunction helpControl = g_helpControl.Function();
    wchar_t topic[kTopicSize];
    if (!helpControl || !BuildHelpTopic(topic, kTopicSize)) {
        ShowMessageId(owner, IDS_MSG_HELP_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    // The help control reports a missing file itself.
    helpControl(owner, topic, HH_DISPLAY_TOPIC, 0);
}
