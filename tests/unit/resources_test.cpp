// The program file's resources as the shell sees them.
#include "common/test_support.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The colour bits of an icon rendered at 32 x 32.
std::vector<unsigned char> IconPixels(HICON icon)
{
    std::vector<unsigned char> pixels(32 * 32 * 4, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 32, 32};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    memcpy(pixels.data(), bits, pixels.size());
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(ProgramIcons, IconNumbersOfTheProgramFileAreTheProgramAndGroupIcons)
{
    const std::string exe = BuiltProgramPath();
    const int resourceIds[] = {IDI_PROGRAM, IDI_FACE,    IDI_GROUP_2, IDI_GROUP_3, IDI_GROUP_4, IDI_GROUP_5,
                               IDI_GROUP_6, IDI_GROUP_7, IDI_GROUP_8, IDI_GROUP_9, IDI_GROUP_10};
    std::vector<std::vector<unsigned char>> seen;
    for (int n = 0; n < 11; ++n) {
        HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), exe.c_str(), n);
        ASSERT_NE(nullptr, extracted) << "icon number " << n;
        HICON loaded = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
            MAKEINTRESOURCEA(resourceIds[n]), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(nullptr, loaded) << resourceIds[n];
        const auto pixels = IconPixels(extracted);
        EXPECT_EQ(IconPixels(loaded), pixels) << "icon number " << n << " is not resource " << resourceIds[n];
        for (const auto& other : seen)
            EXPECT_NE(other, pixels) << "icon number " << n << " repeats an earlier one";
        seen.push_back(pixels);
        DestroyIcon(extracted);
        DestroyIcon(loaded);
    }
}

TEST(ProgramIcons, BarCursorsAndPicturesLoad)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    for (int id : {IDI_EMPTY_BUTTON, IDI_NOT_FOUND, IDI_PREVIOUS_GROUP, IDI_NEXT_GROUP, IDI_MENU_CHECK}) {
        HANDLE icon = LoadImageA(self, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0);
        EXPECT_NE(nullptr, icon) << id;
        DestroyIcon(static_cast<HICON>(icon));
    }
    for (int id : {IDCUR_DRAG, IDCUR_NO_DROP, IDCUR_SWAP, IDCUR_COPY}) {
        EXPECT_NE(nullptr, LoadCursorA(self, MAKEINTRESOURCEA(id))) << id;
        for (int size : {32, 48, 64}) {
            // A drop lands where the arrow tip points, at every display scale.
            HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(self, MAKEINTRESOURCEA(id), IMAGE_CURSOR, size, size, 0));
            ICONINFO info = {};
            ASSERT_TRUE(cursor && GetIconInfo(cursor, &info)) << id << " at " << size;
            EXPECT_EQ(0u, info.xHotspot + info.yHotspot) << id << " at " << size;
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyCursor(cursor);
        }
    }
    HBITMAP picture = static_cast<HBITMAP>(LoadImageA(self, MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, picture);
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(320, info.bmWidth);
    EXPECT_EQ(240, info.bmHeight);
    DeleteObject(picture);
}

TEST(ProgramFile, ManifestRunsAsInvoker)
{
    HMODULE exe = LoadLibraryExA(BuiltProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, found);
    const char* text = static_cast<const char*>(LockResource(LoadResource(exe, found)));
    const std::string manifest(text, SizeofResource(exe, found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    FreeLibrary(exe);
}

}  // namespace
