#include "support/dialog_watch.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace support {

namespace {

constexpr DWORD kRound = 100;  // ms between two looks at the screen

struct Watch {
    std::mutex lock;
    std::set<HWND> claimed;
    std::multiset<std::string> expected;  // caption parts of the waits running now
    std::map<HWND, DWORD> unclaimedSince;
};

Watch& TheWatch()
{
    static Watch* watch = new Watch;  // never destroyed: the watching thread outlives main
    return *watch;
}

std::string Utf8(const wchar_t* text)
{
    char out[2048] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

std::string Caption(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ShowsProgress(HWND dialog)
{
    return FindWindowExA(dialog, nullptr, PROGRESS_CLASSA, nullptr) != nullptr;
}

bool IsExpected(Watch& watch, HWND dialog)
{
    const std::string caption = Caption(dialog);
    return watch.claimed.count(dialog) ||
           std::any_of(watch.expected.begin(), watch.expected.end(),
                       [&](const std::string& part) { return caption.find(part) != std::string::npos; });
}

// Cancel where the dialog has it, else No, else OK: the answer that changes least.
void Dismiss(HWND dialog)
{
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        HWND button = GetDlgItem(dialog, id);
        if (button && IsWindowEnabled(button)) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void Report(HWND dialog)
{
    wchar_t caption[512] = L"";
    wchar_t message[2048] = L"";
    GetWindowTextW(dialog, caption, 512);
    GetDlgItemTextW(dialog, 0xFFFF, message, 2048);
    const std::string what = "unexpected dialog \"" + Utf8(caption) + "\": " + Utf8(message);
    fprintf(stderr, "%s\n", what.c_str());
    if (::testing::UnitTest::GetInstance()->current_test_info())
        ADD_FAILURE() << what;
    Dismiss(dialog);
}

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        if (IsWindowVisible(window) && !ShowsProgress(window))
            dialogs.push_back(window);
    }
    return dialogs;
}

void LookOnce(Watch& watch)
{
    const std::vector<HWND> dialogs = VisibleDialogs();
    const DWORD now = GetTickCount();
    std::vector<HWND> overdue;
    {
        std::lock_guard<std::mutex> hold(watch.lock);
        std::map<HWND, DWORD> since;
        for (HWND dialog : dialogs) {
            if (IsExpected(watch, dialog))
                continue;
            const auto seen = watch.unclaimedSince.find(dialog);
            since[dialog] = seen == watch.unclaimedSince.end() ? now : seen->second;
            if (now - since[dialog] >= kUnclaimedLimit) {
                overdue.push_back(dialog);
                watch.claimed.insert(dialog);
            }
        }
        watch.unclaimedSince.swap(since);
    }
    for (HWND dialog : overdue)
        Report(dialog);
}

// A look at the screen at every tick of this thread's timer.
DWORD WINAPI WatchScreen(void*)
{
    SetTimer(nullptr, 0, kRound, nullptr);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) {
        if (message.message == WM_TIMER && ::testing::UnitTest::GetInstance()->current_test_info())
            LookOnce(TheWatch());
    }
    return 0;
}

// Started with the program; its thread ends with the process.
const bool g_watching = [] {
    HANDLE thread = CreateThread(nullptr, 0, WatchScreen, nullptr, 0, nullptr);
    return thread && CloseHandle(thread);
}();

}  // namespace

void ClaimDialog(HWND dialog)
{
    std::lock_guard<std::mutex> hold(TheWatch().lock);
    TheWatch().claimed.insert(dialog);
}

ExpectedDialog::ExpectedDialog(const std::string& captionPart) : captionPart_(captionPart)
{
    std::lock_guard<std::mutex> hold(TheWatch().lock);
    TheWatch().expected.insert(captionPart_);
}

ExpectedDialog::~ExpectedDialog()
{
    std::lock_guard<std::mutex> hold(TheWatch().lock);
    TheWatch().expected.erase(TheWatch().expected.find(captionPart_));
}

}  // namespace support
