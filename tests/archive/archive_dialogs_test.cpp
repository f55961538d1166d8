// The progress window (percentages, owner disabled, the cancel question) and
// the archive-name dialog (proposed name selected, typing limit, both exits).
#include "archive/archive_name_dialog.h"
#include "archive/progress_dialog.h"
#include "common/test_support.h"
#include "resources/resource_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <functional>
#include <string>
#include <thread>

namespace {

// A plain top-level window standing in for the launcher.
class OwnerWindow {
public:
    OwnerWindow()
    {
        window_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

int BarPosition(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

TEST(ProgressDialog, ShowsPercentagesAndDisablesItsOwner)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.Get());
    HWND dialog = nullptr;
    {
        ProgressDialog progress;
        dialog = progress.Show(owner.Get());
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(owner.Get()));
        progress.SetTitle("progress title");
        progress.SetText("a.txt");
        char text[64];
        GetWindowTextA(dialog, text, sizeof text);
        EXPECT_STREQ("progress title", text);
        GetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text, sizeof text);
        EXPECT_STREQ("a.txt", text);
        progress.SetTitle(nullptr);
        GetWindowTextA(dialog, text, sizeof text);
        EXPECT_STREQ("progress title", text);

        progress.SetRange(0, 7);
        EXPECT_EQ(0, progress.SetProgress(3));
        EXPECT_EQ(42, BarPosition(dialog));
        EXPECT_EQ(42, progress.SetProgress(7));
        EXPECT_EQ(100, BarPosition(dialog));
        progress.SetRange(0, 100);
        progress.SetProgress(29);  // an exact share stays exact
        EXPECT_EQ(29, BarPosition(dialog));
        progress.SetRange(0, INT_MAX);
        progress.SetProgress(INT_MAX);  // no overflow on the way
        EXPECT_EQ(100, BarPosition(dialog));
        progress.SetRange(0, 0);
        int cancelled = -1;
        progress.SetProgress(5, &cancelled);
        EXPECT_EQ(0, BarPosition(dialog));
        EXPECT_EQ(0, cancelled);
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

bool g_otherWindowReached = false;

LRESULT CALLBACK OtherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        g_otherWindowReached = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ProgressDialog, UpdatesRunOtherWindowsMessages)
{
    OwnerWindow owner;
    ProgressDialog progress;
    ASSERT_TRUE(progress.Show(owner.Get()));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OtherWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PorunArchiveTestOther";
    RegisterClassA(&windowClass);
    HWND other = CreateWindowExA(0, "PorunArchiveTestOther", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(other);
    g_otherWindowReached = false;
    PostMessageA(other, WM_APP, 0, 0);
    EXPECT_FALSE(g_otherWindowReached);
    // A message posted to another window of the thread is handled by the next update.
    progress.SetProgress(1);
    EXPECT_TRUE(g_otherWindowReached);
    DestroyWindow(other);
}

// Clicks the progress dialog's cancel button and answers the question with answer.
int CancelAndAnswer(ProgressDialog& progress, int answer, std::string* questionText)
{
    DialogAnswerer answerer("=(o.o)=", answer);
    HWND button = GetDlgItem(progress.DialogWindow(), IDCANCEL);
    PostMessageA(button, BM_CLICK, 0, 0);
    // The question runs inside the pump of the update.
    int cancelled = -1;
    progress.SetProgress(1, &cancelled);
    answerer.Join();
    EXPECT_TRUE(answerer.Answered());
    *questionText = answerer.Text();
    return cancelled;
}

TEST(ProgressDialog, CancelAsksFirstAndKeepsTheDialogOpen)
{
    OwnerWindow owner;
    ProgressDialog progress;
    HWND dialog = progress.Show(owner.Get());
    ASSERT_TRUE(dialog);
    progress.SetTitle("task");

    std::string question;
    EXPECT_EQ(0, CancelAndAnswer(progress, IDCANCEL, &question));
    EXPECT_EQ("中断しても、いいのら？", question);
    EXPECT_EQ(0, progress.IsCancelled());
    EXPECT_TRUE(IsWindowVisible(dialog));

    EXPECT_EQ(1, CancelAndAnswer(progress, IDOK, &question));
    EXPECT_EQ(1, progress.IsCancelled());
    EXPECT_TRUE(IsWindowVisible(dialog));
    // The flag is never reset by further updates.
    progress.SetProgress(2);
    EXPECT_EQ(1, progress.IsCancelled());
}

TEST(ProgressDialog, CancelQuestionDefaultsToCancel)
{
    OwnerWindow owner;
    ProgressDialog progress;
    ASSERT_TRUE(progress.Show(owner.Get()));
    progress.SetTitle("task");
    std::atomic<bool> answered{false};
    LONG okStyle = -1, cancelStyle = -1;
    std::thread presser([&] {
        for (int i = 0; i < 500 && !answered; ++i) {
            HWND box = FindProcessDialog("=(o.o)=");
            if (box && box != progress.DialogWindow()) {
                Sleep(100);
                okStyle = GetWindowLongA(GetDlgItem(box, IDOK), GWL_STYLE);
                cancelStyle = GetWindowLongA(GetDlgItem(box, IDCANCEL), GWL_STYLE);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                answered = true;
            }
            Sleep(20);
        }
    });
    PostMessageA(GetDlgItem(progress.DialogWindow(), IDCANCEL), BM_CLICK, 0, 0);
    progress.SetProgress(1);
    presser.join();
    ASSERT_TRUE(answered);
    EXPECT_EQ(BS_DEFPUSHBUTTON, cancelStyle & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, okStyle & BS_TYPEMASK);
    EXPECT_EQ(0, progress.IsCancelled());
}

// Runs the name dialog while a helper thread inspects and drives it.
class NameDialogDriver {
public:
    explicit NameDialogDriver(std::function<void(HWND)> drive) : drive_(std::move(drive)) {}

    int Run(ArchiveNameDialog& dialog)
    {
        std::thread helper([this] {
            for (int i = 0; i < 500; ++i) {
                HWND found = FindProcessDialog("ZIP書庫の作成");
                if (found) {
                    Sleep(100);
                    drive_(found);
                    found_ = true;
                    return;
                }
                Sleep(20);
            }
        });
        const int result = dialog.Run(nullptr);
        helper.join();
        EXPECT_TRUE(found_);
        return result;
    }

private:
    std::function<void(HWND)> drive_;
    std::atomic<bool> found_{false};
};

std::string EditText(HWND dialog)
{
    char text[300];
    GetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_EDIT, text, sizeof text);
    return text;
}

TEST(ArchiveNameDialog, ProposesTheNameSelectedAndReturnsItOnConfirm)
{
    ArchiveNameDialog dialog;
    dialog.SetName(L"report");
    std::string shown;
    DWORD selStart = 99, selEnd = 99;
    bool focusOnEdit = false;
    NameDialogDriver driver([&](HWND window) {
        shown = EditText(window);
        HWND edit = GetDlgItem(window, IDC_ARCHIVE_NAME_EDIT);
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        focusOnEdit = info.hwndFocus == edit;
        // Typing replaces the selected proposal.
        for (char c : std::string("new"))
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(1, driver.Run(dialog));
    EXPECT_EQ("report", shown);
    EXPECT_EQ(0u, selStart);
    EXPECT_EQ(6u, selEnd);
    EXPECT_TRUE(focusOnEdit);
    EXPECT_STREQ(L"new", dialog.GetName());
}

TEST(ArchiveNameDialog, LongProposalShownWholeButTypingStopsAtFifty)
{
    ArchiveNameDialog dialog;
    const std::wstring proposal(60, L'p');
    dialog.SetName(proposal.c_str());
    std::string shown;
    std::string typed;
    NameDialogDriver driver([&](HWND window) {
        shown = EditText(window);
        HWND edit = GetDlgItem(window, IDC_ARCHIVE_NAME_EDIT);
        for (int i = 0; i < 60; ++i)
            SendMessageA(edit, WM_CHAR, 'x', 0);
        typed = EditText(window);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(1, driver.Run(dialog));
    EXPECT_EQ(std::string(60, 'p'), shown);
    EXPECT_EQ(std::string(50, 'x'), typed);
    EXPECT_EQ(std::wstring(50, L'x'), dialog.GetName());
}

struct CloseWay {
    const char* name;
    void (*close)(HWND window);
};

class ArchiveNameDialogClose : public ::testing::TestWithParam<CloseWay> {};

TEST_P(ArchiveNameDialogClose, ReturnsZero)
{
    ArchiveNameDialog dialog;
    dialog.SetName(L"keep");
    auto close = GetParam().close;
    NameDialogDriver driver([close](HWND window) {
        SetDlgItemTextA(window, IDC_ARCHIVE_NAME_EDIT, "typed");
        close(window);
    });
    EXPECT_EQ(0, driver.Run(dialog));
    EXPECT_STREQ(L"keep", dialog.GetName());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ArchiveNameDialogClose,
    ::testing::Values(
        CloseWay{"CancelButton",
                 [](HWND w) { PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
        CloseWay{"CloseBox", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        CloseWay{"Escape",
                 [](HWND w) {
                     HWND edit = GetDlgItem(w, IDC_ARCHIVE_NAME_EDIT);
                     PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
                 }}),
    [](const ::testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.name); });

TEST(ArchiveNameDialog, TemplateTexts)
{
    ArchiveNameDialog dialog;
    std::string caption, prompt, label, ok, cancel;
    NameDialogDriver driver([&](HWND window) {
        char text[300];
        GetWindowTextA(window, text, sizeof text);
        caption = text;
        GetDlgItemTextA(window, IDC_ARCHIVE_NAME_PROMPT, text, sizeof text);
        prompt = text;
        GetDlgItemTextA(window, IDC_ARCHIVE_NAME_LABEL, text, sizeof text);
        label = text;
        GetDlgItemTextA(window, IDOK, text, sizeof text);
        ok = text;
        GetDlgItemTextA(window, IDCANCEL, text, sizeof text);
        cancel = text;
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, driver.Run(dialog));
    EXPECT_EQ("=(o.o)= ZIP書庫の作成、なのら。", caption);
    EXPECT_EQ("ドロップされたファイル/フォルダの中身を圧縮してもいいのら？\n圧縮ファイルはデスクトップに作成されるろ！", prompt);
    EXPECT_EQ("ファイル名(&F)：", label);
    EXPECT_EQ("圧縮するろ！", ok);
    EXPECT_EQ("やめとくろ！", cancel);
}

}  // namespace
