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

}  // namespace
