#include "support/dialog_watch.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace support {

namespace {

std::mutex g_lock;
std::set<HWND> g_claimed;
std::multiset<std::string> g_expected;  // caption parts of the waits running now
std::map<HWND, DWORD> g_unclaimedSince;

std::string Utf8(HWND window, int id)  // the window's text (id 0) or its control's
{
    wchar_t text[2048] = L"";
    id ? GetDlgItemTextW(window, id, text, 2048) : GetWindowTextW(window, text, 2048);
    char out[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

bool IsExpected(HWND dialog)
{
    char caption[1024] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    const auto inCaption = [&](const std::string& part) { return std::strstr(caption, part.c_str()) != nullptr; };
    return g_claimed.count(dialog) || std::any_of(g_expected.begin(), g_expected.end(), inCaption);
}

// Told, then answered with Cancel where the dialog has it, else No, else OK: the answer that changes least.
void FailAndAnswer(HWND dialog)
{
    const std::string what = "unexpected dialog \"" + Utf8(dialog, 0) + "\": " + Utf8(dialog, 0xFFFF);
    fprintf(stderr, "%s\n", what.c_str());
    ADD_FAILURE() << what;
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (HWND button = GetDlgItem(dialog, id); button && IsWindowEnabled(button))
            return void(PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)));
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// The visible dialogs unclaimed for kUnclaimedLimit now; each is claimed as it is returned.
std::set<HWND> Overdue()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    std::map<HWND, DWORD> since;
    std::set<HWND> overdue;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        const bool progress = FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr) != nullptr;  // asks nothing
        if (!IsWindowVisible(window) || progress || IsExpected(window))
            continue;
        since[window] = g_unclaimedSince.count(window) ? g_unclaimedSince[window] : GetTickCount();
        if (GetTickCount() - since[window] >= kUnclaimedLimit && g_claimed.insert(window).second)
            overdue.insert(window);
    }
    g_unclaimedSince.swap(since);
    return overdue;
}

// A look at the screen at every tick of this thread's timer, while a test runs.
DWORD WINAPI WatchScreen(void*)
{
    SetTimer(nullptr, 0, 100, nullptr);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) {
        for (HWND dialog : ::testing::UnitTest::GetInstance()->current_test_info() ? Overdue() : std::set<HWND>())
            FailAndAnswer(dialog);
    }
    return 0;
}

// Started with the program; the thread ends with the process.
const bool g_watching = CloseHandle(CreateThread(nullptr, 0, WatchScreen, nullptr, 0, nullptr));

}  // namespace

void ClaimDialog(HWND dialog)
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_claimed.insert(dialog);
}

ExpectedDialog::ExpectedDialog(const std::string& captionPart) : captionPart_(captionPart)
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_expected.insert(captionPart_);
}

ExpectedDialog::~ExpectedDialog()
{
    const std::lock_guard<std::mutex> hold(g_lock);
    g_expected.erase(g_expected.find(captionPart_));
}

}  // namespace support
