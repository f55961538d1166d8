#include "app/held_input.h"

#include "archive/archive_job.h"
#include "resources/resource_ids.h"
#include "support/modal_state.h"
#include "support/window_messages.h"

#include <shellapi.h>

namespace {
// Commands done whatever is open: they change nothing a dialog works on.
bool LiveCommand(int id)
{
    return id == IDM_CLOSE || id == IDM_ALWAYS_ON_TOP || id == IDM_HELP || id == IDM_ABOUT;
}

bool Refused(UINT message, WPARAM wParam, bool jobRunning)
{
    switch (message) {
    case WM_COMMAND:
        return jobRunning ? LOWORD(wParam) != IDM_CLOSE : !LiveCommand(LOWORD(wParam));
    case WM_HOTKEY:
        return jobRunning || wParam == IDHK_SEARCH;
    case WM_KEYDOWN:
    case WM_BUTTONKEYDOWN:
    case WM_CONTEXTMENU:
    case WM_DROPFILES:
        return true;
    default:
        return false;
    }
}
}  // namespace

bool RefusedWhileHeld(HWND window, UINT message, WPARAM wParam)
{
    const bool jobRunning = ArchiveJobRunning();
    if (!Refused(message, wParam, jobRunning) || (!jobRunning && !DialogOrMenuOpen(window)))
        return false;
    if (message == WM_DROPFILES)
        DragFinish(reinterpret_cast<HDROP>(wParam));
    else if (HWND dialog = DialogInFront(window))
        SetForegroundWindow(dialog);
    return true;
}

HWND DialogInFront(HWND window)
{
    if (IsWindowEnabled(window))
        return nullptr;
    struct Search {
        HWND owner;
        HWND found;
    } search = {window, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND candidate, LPARAM data) -> BOOL {
        auto* state = reinterpret_cast<Search*>(data);
        wchar_t className[8] = L"";
        GetClassNameW(candidate, className, 8);
        if (IsWindowVisible(candidate) && IsWindowEnabled(candidate) && lstrcmpW(className, L"#32770") == 0 &&
            GetAncestor(candidate, GA_ROOTOWNER) == state->owner)
            state->found = candidate;
        return state->found == nullptr;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
