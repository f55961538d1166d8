// The bar on a screen at 150 % (144 DPI): run by CTest in a Wine prefix with
// LogPixels 144 (PORUN_DPI=144); elsewhere it skips itself.
#include "window/window_test.h"

#include "support/display_scale.h"

using namespace window_test;

namespace {

int IconSide(HICON icon)
{
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (icon && GetIconInfo(icon, &info))
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Every image at 48 pixels, the program's own pictures as drawn for 48, also once moved to another screen and laid
// out again at the place the system suggests.
class BarAtDpi144 : public Window {};

TEST_F(BarAtDpi144, TheBarAndEveryImageOnItAreScaled)
{
    if (SystemDpi() != 144)
        GTEST_SKIP() << "the screen runs at " << SystemDpi() << " DPI";
    Recorder recorder(folder_, "rec.exe", true);
    const std::string icons = folder_.File("icons.exe");
    ASSERT_TRUE(MakeFileWithIcons(icons, 3));
    data_.Button(0, 1, "gone", folder_.File("gone.exe")).Button(0, 2, "rec", recorder.Path());
    data_.Button(0, 3, "icons", icons, "", "", icons, 2);
    Open();
    for (int pass = 0; pass < 2; ++pass) {
        RECT client, now;
        GetClientRect(window_, &client);
        EXPECT_EQ(66, client.right);
        EXPECT_EQ(651, client.bottom);
        const int rows[][2] = {{IDC_GROUP_BUTTON, 0}, {IDC_PREVIOUS_GROUP, IDI_PREVIOUS_GROUP},
                               {IDC_NEXT_GROUP, IDI_NEXT_GROUP}, {B(0), IDI_EMPTY_BUTTON}, {B(1), IDI_NOT_FOUND},
                               {B(2), 0}, {B(3), 0}};  // the program's picture a control shows, 0: a file's
        for (const auto& [id, resource] : rows) {
            EXPECT_EQ(48, IconSide(reinterpret_cast<HICON>(SendDlgItemMessageA(window_, id, BM_GETIMAGE, IMAGE_ICON, 0))))
                << id;
            if (resource) {
                EXPECT_EQ(Picture::OfIcon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(resource), IMAGE_ICON, 48, 48, 0)), true), Shows(id)) << id;
            }
        }
        GetWindowRect(window_, &now);
        if (pass == 0) {
            OffsetRect(&now, 30 - now.left, 40 - now.top);
            SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&now));
        } else {
            EXPECT_EQ(30, now.left);
            EXPECT_EQ(40, now.top);
        }
    }
}

}  // namespace
