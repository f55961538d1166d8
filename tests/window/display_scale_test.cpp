// The bar on a screen at 150 % (144 DPI): run by CTest in a Wine prefix with
// LogPixels 144 (PORUN_DPI=144); elsewhere these rows skip themselves.
#include "support/launcher.h"

#include "resources/resource_ids.h"
#include "support/display_scale.h"

using namespace support;

namespace {

constexpr int kButton1 = IDC_FIRST_LAUNCHER;

int IconSide(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class BarAtDpi144 : public LauncherWindow {
protected:
    void SetUp() override
    {
        if (SystemDpi() != 144)
            GTEST_SKIP() << "the screen runs at " << SystemDpi() << " DPI";
    }
    // Every image at 48 pixels; the program's own pictures as drawn for 48.
    void ExpectScaledImages()
    {
        RECT client;
        GetClientRect(window_, &client);
        EXPECT_EQ(66, client.right);
        EXPECT_EQ(651, client.bottom);
        const struct {
            int id, resource;  // the program's picture it shows, 0: a file's
        } rows[] = {{IDC_GROUP_BUTTON, 0}, {IDC_PREVIOUS_GROUP, IDI_PREVIOUS_GROUP}, {IDC_NEXT_GROUP, IDI_NEXT_GROUP},
                    {kButton1, IDI_EMPTY_BUTTON}, {kButton1 + 1, IDI_NOT_FOUND}, {kButton1 + 2, 0}, {kButton1 + 3, 0}};
        for (const auto& row : rows) {
            const HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageA(window_, row.id, BM_GETIMAGE, IMAGE_ICON, 0));
            EXPECT_EQ(48, IconSide(shown)) << row.id;
            if (row.resource) {
                EXPECT_EQ(Picture::OfIcon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(row.resource), IMAGE_ICON, 48, 48, 0)), true), Shows(row.id)) << row.id;
            }
        }
    }
    Recorder recorder_{folder_, "rec.exe", true};
};

TEST_F(BarAtDpi144, TheBarAndEveryImageOnItAreScaled)
{
    const std::string icons = folder_.File("icons.exe");
    ASSERT_TRUE(MakeFileWithIcons(icons, 3));
    data_.Button(0, 1, "gone", folder_.File("gone.exe"));
    data_.Button(0, 2, "rec", recorder_.Path());
    data_.Button(0, 3, "icons", icons, "", "", icons, 2);
    Open();
    ExpectScaledImages();

    // Moved to another screen: laid out again at the place the system suggests.
    RECT suggested;
    GetWindowRect(window_, &suggested);
    OffsetRect(&suggested, 30 - suggested.left, 40 - suggested.top);
    SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(window_, &now);
    EXPECT_EQ(30, now.left);
    EXPECT_EQ(40, now.top);
    ExpectScaledImages();
}

}  // namespace
