// The icon file beside the program: what a run wrote reads back whole; a damaged file gives nothing.
#include "support/files.h"

#include "bar/icon_cache_file.h"

#include <gtest/gtest.h>
#include <cstring>

using namespace support;

namespace {

StoredIcon Icon(const wchar_t* path, int side, DWORD colour)  // half opaque colour, half clear; the mask alternates
{
    StoredIcon icon{MakeIconCacheKey(L"", 7, side), {}, std::vector<BYTE>(IconMaskBytes(side), 0x0F)};
    wcscpy(icon.key.path, path);
    icon.key.written = FILETIME{0x89ABCDEF, 0x01D4F54C};
    icon.key.size = 0x123456789ULL;
    for (int i = 0; i < side * side; ++i)
        icon.pixels.push_back(i < side * side / 2 ? 0xFF000000 | colour : 0);
    return icon;
}

std::vector<BYTE> TwoIcons()
{
    return FormatIconCacheFile({Icon(L"C:\\a\\one.exe", 16, 0x336699), Icon(L"D:\\two.ico", 32, 0xCC0000)});
}

TEST(IconCacheFile, WhatIsWrittenReadsBackAndMakesTheSameIcon)
{
    const std::vector<BYTE> bytes = TwoIcons();
    std::vector<StoredIcon> icons;
    ASSERT_TRUE(ParseIconCacheFile(bytes.data(), bytes.size(), &icons));
    ASSERT_EQ(2u, icons.size());
    const StoredIcon expected = Icon(L"D:\\two.ico", 32, 0xCC0000);
    const StoredIcon& two = icons[1];
    EXPECT_TRUE(SameIconKey(expected.key, two.key));
    EXPECT_EQ(expected.pixels, two.pixels);
    EXPECT_EQ(expected.mask, two.mask);
    StoredIcon captured{two.key, {}, {}};
    const HICON made = MakeStoredIcon(two);
    EXPECT_TRUE(CaptureIcon(made, 32, &captured));
    DestroyIcon(made);
    EXPECT_EQ(two.pixels, captured.pixels);
    EXPECT_EQ(two.mask, captured.mask);
}

struct Damage {
    const char* name;
    size_t keep;  // bytes kept from the start; 0: all
    size_t at;    // where put goes (a DWORD) or the byte flipped
    DWORD put;
    bool flip;
    bool reseal;  // the checksum made right again: only the rest of the file tells
};
class DamagedIconFile : public ::testing::TestWithParam<Damage> {};

DWORD Fnv1a(const std::vector<BYTE>& bytes, size_t from, size_t to, DWORD hash)
{
    for (size_t i = from; i < to; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

TEST_P(DamagedIconFile, GivesNothing)
{
    const Damage& d = GetParam();
    std::vector<BYTE> bytes = TwoIcons();
    bytes.resize(d.keep ? d.keep : bytes.size());
    bytes[d.at] ^= d.flip ? 0x10 : 0;
    if (!d.flip)
        std::memcpy(&bytes[d.at], &d.put, sizeof d.put);
    const DWORD checksum = Fnv1a(bytes, 16, bytes.size(), Fnv1a(bytes, 0, 12, 2166136261u));
    if (d.reseal)
        std::memcpy(&bytes[12], &checksum, sizeof checksum);
    std::vector<StoredIcon> icons(1);
    EXPECT_FALSE(ParseIconCacheFile(bytes.data(), bytes.size(), &icons));
    EXPECT_TRUE(icons.empty());
}

// The first entry: its path's length at 16, its pixel size at 24, its path from 44, its pixels from 68.
INSTANTIATE_TEST_SUITE_P(Files, DamagedIconFile, ::testing::Values(
    Damage{.name = "BadMagic", .keep = 0, .at = 0, .put = 0x58495250, .flip = false, .reseal = true},
    Damage{.name = "OtherVersion", .keep = 0, .at = 4, .put = 2, .flip = false, .reseal = true},
    Damage{.name = "CountPastTheLimit", .keep = 0, .at = 8, .put = 0xFFFFFFFF, .flip = false, .reseal = true},
    Damage{.name = "CountPastTheEntries", .keep = 0, .at = 8, .put = 3, .flip = false, .reseal = true},
    Damage{.name = "PathPastMaxPath", .keep = 0, .at = 16, .put = MAX_PATH, .flip = false, .reseal = true},
    Damage{.name = "PathWithANul", .keep = 0, .at = 44, .put = 0, .flip = false, .reseal = true},
    Damage{.name = "SidePastTheLimit", .keep = 0, .at = 24, .put = 0x7FFFFFFF, .flip = false, .reseal = true},
    Damage{.name = "SideZero", .keep = 0, .at = 24, .put = 0, .flip = false, .reseal = true},
    Damage{.name = "SideLargerThanTheEntry", .keep = 0, .at = 24, .put = 17, .flip = false, .reseal = true},
    Damage{.name = "Truncated", .keep = 3000, .at = 0, .put = 0x43495250, .flip = false, .reseal = true},
    Damage{.name = "HeaderOnly", .keep = 16, .at = 0, .put = 0x43495250, .flip = false, .reseal = true},
    Damage{.name = "FlippedPixel", .keep = 0, .at = 100, .put = 0, .flip = true, .reseal = false}), RowName);

}  // namespace
