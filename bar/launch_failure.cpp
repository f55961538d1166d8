#include "bar/launch_failure.h"

#include "support/messages.h"
#include "support/path_text.h"

#include <cwchar>
#include <string>

namespace {
// The system's words for error about path, without the line break they end
// with, its own line breaks as the notice's, and "%1" (ERROR_BAD_EXE_FORMAT …)
// standing for path; the code itself when the system has none.
std::wstring SystemReason(DWORD error, const wchar_t* path)
{
    wchar_t text[512] = L"";
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, ARRAYSIZE(text), nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        text[--length] = L'\0';
    if (length == 0)
        std::swprintf(text, ARRAYSIZE(text), L"0x%08lX", static_cast<unsigned long>(error));
    std::wstring reason = text;
    for (size_t at; (at = reason.find(L"\r\n")) != std::wstring::npos;)
        reason.erase(at, 1);
    const size_t insert = reason.find(L"%1");
    if (insert != std::wstring::npos)
        reason.replace(insert, 2, FileNameOf(path));
    return reason;
}

// The second paragraph of the failed-launch notice.
std::wstring LaunchFailureDetail(const LaunchFailure& failure)
{
    wchar_t format[256] = L"";
    if (!LoadText(IDS_MSG_LAUNCH_FAILED_WHY, format, ARRAYSIZE(format)))
        return L"";
    const std::wstring reason = SystemReason(failure.error, failure.tried);
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(failure.tried),
                                 reinterpret_cast<DWORD_PTR>(reason.c_str())};
    wchar_t detail[1024] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, format, 0, 0, detail,
                   ARRAYSIZE(detail), reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    return detail;
}
}  // namespace

void TellLaunchFailure(HWND owner, const LaunchFailure& failure)
{
    wchar_t notice[128] = L"";
    LoadText(IDS_MSG_LAUNCH_FAILED, notice, ARRAYSIZE(notice));
    const std::wstring detail = LaunchFailureDetail(failure);
    std::wstring text = notice;
    if (!detail.empty())
        text += L"\n\n" + detail;
    ShowMessage(owner, text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}
