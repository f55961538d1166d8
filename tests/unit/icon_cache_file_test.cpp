// The icon file beside the program: what a run wrote reads back whole; a damaged file gives nothing.
#include "support/files.h"

#include "bar/icon_cache_file.h"

#include <gtest/gtest.h>
#include <cstring>

using namespace support;

namespace {

StoredIcon Icon(const wchar_t* path, int side, DWORD colour)  // half opaque colour, half clear; the mask alternates
{
    StoredIcon icon{.key = MakeIconCacheKey(L"", 7, side), .mask = std::vector<BYTE>(IconMaskBytes(side), 0x0F)};
    wcscpy(icon.key.path, path);
    icon.key.written = FILETIME{.dwLowDateTime = 0x89ABCDEF, .dwHighDateTime = 0x01D4F54C};
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
    StoredIcon captured{.key = two.key};
    const HICON made = MakeStoredIcon(two);
    EXPECT_TRUE(CaptureIcon(made, 32, &captured));
    DestroyIcon(made);
    EXPECT_EQ(two.pixels, captured.pixels);
    EXPECT_EQ(two.mask, captured.mask);
}

DWORD Fnv1a(const std::vector<BYTE>& bytes, size_t from, size_t to, DWORD hash)
{
    for (size_t i = from; i < to; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

// The checksum made right again: only the rest of the file tells.
std::vector<BYTE> Resealed(std::vector<BYTE> bytes)
{
    const DWORD checksum = Fnv1a(bytes, 16, bytes.size(), Fnv1a(bytes, 0, 12, 2166136261u));
    std::memcpy(&bytes[12], &checksum, sizeof checksum);
    return bytes;
}

bool Parsed(const std::vector<BYTE>& bytes)  // no icon is left behind by a refusal
{
    std::vector<StoredIcon> icons(1);
    const bool parsed = ParseIconCacheFile(bytes.data(), bytes.size(), &icons);
    EXPECT_EQ(parsed, !icons.empty());
    return parsed;
}

struct Damage {
    const char* name;
    size_t at;  // where put goes
    DWORD put;
};
class DamagedIconFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedIconFile, GivesNothing)
{
    std::vector<BYTE> bytes = TwoIcons();
    std::memcpy(&bytes[GetParam().at], &GetParam().put, sizeof GetParam().put);
    EXPECT_FALSE(Parsed(Resealed(bytes)));
}

// The first entry: its path's length at 16, its pixel size at 24, its path from 44, its pixels from 68.
const Damage kDamages[] = {
    {.name = "BadMagic", .at = 0, .put = 0x58495250},          {.name = "OtherVersion", .at = 4, .put = 2},
    {.name = "CountPastTheLimit", .at = 8, .put = 0xFFFFFFFF}, {.name = "CountPastTheEntries", .at = 8, .put = 3},
    {.name = "PathPastMaxPath", .at = 16, .put = MAX_PATH},    {.name = "PathWithANul", .at = 44, .put = 0},
    {.name = "SidePastTheLimit", .at = 24, .put = 0x7FFFFFFF}, {.name = "SideZero", .at = 24, .put = 0},
    {.name = "SideLargerThanTheEntry", .at = 24, .put = 17},
};
INSTANTIATE_TEST_SUITE_P(Files, DamagedIconFile, ::testing::ValuesIn(kDamages), RowName);

TEST(IconCacheFile, ACutFileGivesNothing)
{
    const std::vector<BYTE> whole = TwoIcons();
    EXPECT_FALSE(Parsed(Resealed({whole.begin(), whole.begin() + 3000})));
    EXPECT_FALSE(Parsed(Resealed({whole.begin(), whole.begin() + 16}))) << "the header alone";
}

TEST(IconCacheFile, AFlippedPixelGivesNothing)
{
    std::vector<BYTE> bytes = TwoIcons();
    bytes[100] ^= 0x10;
    EXPECT_FALSE(Parsed(bytes));
}

}  // namespace
