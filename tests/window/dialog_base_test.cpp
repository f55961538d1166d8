// Object dialogs: binding, routing and results, modal and modeless together.
#include "common/test_support.h"
#include "support/dialog_base.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>

namespace {

constexpr int kTemplate = IDD_ABOUT;  // any template of the program serves

class RecordingDialog : public DialogBase {
public:
    explicit RecordingDialog(INT_PTR result) : result_(result) {}
    INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) override
    {
        ++routed;
        if (message == WM_INITDIALOG) {
            windowAtInit = DialogWindow();
            initWindowArgument = dialog;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            ++okCommands;
            if (modal)
                EndDialog(dialog, result_);
            else
                DestroyWindow(dialog);
            return TRUE;
        }
        return FALSE;
    }
    bool modal = true;
    int routed = 0;
    int okCommands = 0;
    HWND windowAtInit = nullptr;
    HWND initWindowArgument = nullptr;

private:
    INT_PTR result_;
};

TEST(DialogBase, ConstructionLeavesEverythingEmpty)
{
    DialogBase dialog;
    EXPECT_EQ(nullptr, dialog.DialogWindow());
    EXPECT_EQ(nullptr, dialog.ParentWindow());
}

TEST(DialogBase, ModalResultIsWhatTheDialogEndedWith)
{
    RecordingDialog dialog(42);
    DialogAnswerer ok("バージョン情報", IDOK);
    EXPECT_EQ(42, dialog.ShowModal(nullptr, kTemplate));
    EXPECT_TRUE(ok.Answered() || (ok.Join(), ok.Answered()));
    EXPECT_EQ(1, dialog.okCommands);
    EXPECT_NE(nullptr, dialog.windowAtInit);
    EXPECT_EQ(dialog.initWindowArgument, dialog.windowAtInit);
}

TEST(DialogBase, MissingTemplateFailsWithoutShowingAnything)
{
    RecordingDialog dialog(1);
    EXPECT_EQ(-1, dialog.ShowModal(nullptr, 59999));
    EXPECT_EQ(nullptr, dialog.ShowModeless(nullptr, 59999));
    EXPECT_EQ(0, dialog.routed);
}

TEST(DialogBase, ModalOverModelessRouteToTheirOwnObjects)
{
    RecordingDialog modeless(0);
    modeless.modal = false;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND window = modeless.ShowModeless(owner, kTemplate);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, modeless.DialogWindow());
    EXPECT_EQ(window, modeless.windowAtInit);
    EXPECT_EQ(owner, modeless.ParentWindow());

    RecordingDialog modal(7);
    std::thread presser([&] {
        // The modal one is the newer dialog with the same caption: press OK on
        // whichever is not the modeless window.
        for (int i = 0; i < 500; ++i, Sleep(20)) {
            HWND found = nullptr;
            std::pair<HWND, HWND*> search(window, &found);
            EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), [](HWND w, LPARAM p) -> BOOL {
                auto* pair = reinterpret_cast<std::pair<HWND, HWND*>*>(p);
                char cls[16];
                GetClassNameA(w, cls, sizeof cls);
                if (w != pair->first && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(w)) {
                    *pair->second = w;
                    return FALSE;
                }
                return TRUE;
            }, reinterpret_cast<LPARAM>(&search));
            if (found) {
                Sleep(50);
                PostMessageA(found, WM_COMMAND, IDOK, 0);
                return;
            }
        }
    });
    EXPECT_EQ(7, modal.ShowModal(owner, kTemplate));
    presser.join();
    EXPECT_EQ(1, modal.okCommands);
    EXPECT_EQ(0, modeless.okCommands);
    EXPECT_NE(window, modal.DialogWindow());

    SendMessageA(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1, modeless.okCommands);
    EXPECT_FALSE(IsWindow(window));
    DestroyWindow(owner);
}

}  // namespace
