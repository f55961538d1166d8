// A return to a group shows each button's file as it is now: an unchanged
// file its same image, a file rewritten since (new time or new size) its new one.
#include "window/window_test.h"

#include "support/scoped_handle.h"

using namespace window_test;

namespace {

// A 32 x 32 icon file of one colour (0xRRGGBB), padded at its end by extra bytes.
std::string IconFile(DWORD colour, size_t extra = 0)
{
#pragma pack(push, 2)
    struct { WORD reserved = 0, type = 1, count = 1; BYTE width = 32, height = 32, colours = 0, zero = 0;
             WORD planes = 1, bits = 32; DWORD size = 40 + 4096 + 128, offset = 22;
             BITMAPINFOHEADER info{40, 32, 64, 1, 32}; } head;
#pragma pack(pop)
    const std::vector<DWORD> pixels(32 * 32, 0xFF000000 | colour);
    return std::string(reinterpret_cast<const char*>(&head), sizeof head) +
           std::string(reinterpret_cast<const char*>(pixels.data()), 4096) + std::string(128 + extra, '\0');
}

bool Stamp(const std::string& path, ULONGLONG time)  // its last-write time, 100 ns units since 1601
{
    ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return file && SetFileTime(file.Get(), nullptr, nullptr, &stamp);
}

struct Change {
    const char* name;
    std::string now;  // the file's bytes at the return; "" leaves them alone
    ULONGLONG written;
};
constexpr ULONGLONG kFirst = 132000000000000000ULL, kHourLater = kFirst + 36000000000ULL;

class IconCache : public Table<Change> {};

TEST_P(IconCache, AReturnShowsTheFileAsItIsNow)
{
    const std::string file = folder_.File("tool.ico");
    ASSERT_TRUE(WriteBytes(file, IconFile(0xFF0000)) && Stamp(file, kFirst));
    data_.Button(0, 0, "tool", file);
    Open();
    const Picture before = Shows(IDC_FIRST_LAUNCHER);
    Command(IDM_FIRST_GROUP + 1);
    ASSERT_TRUE((row().now.empty() || WriteBytes(file, row().now)) && Stamp(file, row().written));
    Command(IDM_FIRST_GROUP);
    EXPECT_EQ(Picture::OfFileIcon(file, 0), Shows(IDC_FIRST_LAUNCHER));
    EXPECT_EQ(row().now.empty(), before == Shows(IDC_FIRST_LAUNCHER));
}

INSTANTIATE_TEST_SUITE_P(Files, IconCache, ::testing::Values(
    Change{"Unchanged", "", kFirst},
    Change{"NewTimeSameSize", IconFile(0x0000FF), kHourLater},
    Change{"NewSizeSameTime", IconFile(0x0000FF, 64), kFirst}), RowName());

}  // namespace
