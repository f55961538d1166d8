// Which stored entry names may be written below a destination folder, and
// how the target path is joined and checked.
#include "archive/entry_path.h"
#include "archive/path_identity.h"

#include "common/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HostileEntryName : public ::testing::TestWithParam<const char*> {};

TEST_P(HostileEntryName, IsRefused)
{
    EXPECT_FALSE(IsSafeEntryName(GetParam())) << GetParam();
    TempFolder folder;
    char target[600] = "unchanged";
    EXPECT_FALSE(BuildEntryTarget(folder.Path().c_str(), GetParam(), target, sizeof target));
    EXPECT_STREQ("", target);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileEntryName,
    ::testing::Values(
        // parent references, also mixed separators
        "..", "../x", "..\\x", "..\\/x", "a/../../x", "a/..", "a\\..\\..\\x", "a/./b", ".", "./x",
        // drive and stream forms
        "C:x", "C:\\x", "c:/x", "a/b:stream", "file.txt:Zone.Identifier", "a:",
        // rooted, UNC and device paths
        "\\x", "/x", "\\\\srv\\share\\x", "//srv/share/x", "\\\\?\\C:\\x", "\\\\.\\pipe\\x", "\\\\.\\C:",
        // reserved device names, also with extensions and in subfolders
        "CON", "con", "PRN", "AUX", "NUL", "nul.txt", "a/NUL.tar.gz", "COM1", "com9.log", "LPT1", "lpt9.txt",
        "CONIN$", "conout$", "AUX .txt", "docs/CON/x.txt",
        // components ending in a dot or blank, empty components
        "x.", "x ", "a./b", "a /b", "a//b", "a\\\\b", "",
        // wildcards and control characters
        "a/*.txt", "a?b", "a<b", "a>b", "a|b", "a\"b", "tab\tname", "line\nfeed",
        // a double-byte character cut short
        "abc\x95"));

class SafeEntryName : public ::testing::TestWithParam<const char*> {};

TEST_P(SafeEntryName, IsAccepted)
{
    EXPECT_TRUE(IsSafeEntryName(GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Names, SafeEntryName,
                         ::testing::Values("a.txt", "docs/", "docs\\", "docs/a.txt", "docs\\sub\\b.txt",
                                           "x/y/z.txt", ".profile", "a..b", "...a", "CONSOLE.txt", "COM10",
                                           "LPT0", "COM", "com1x.txt", "nullish", "file name.txt",
                                           "表", "表/", "docs/表/能.txt", "ソ\\ソ", "ポルン.txt"));

TEST(SafeEntryName, TrailByte5CIsNotASeparator)
{
    // "表" is 0x95 0x5C: its second byte is the backslash code.
    ASSERT_EQ(std::string("\x95\x5C"), std::string("表"));
    // Whole characters see "表." as one component ending in a dot, and "表\\.."
    // as the component "表" followed by a ".." component.
    EXPECT_FALSE(IsSafeEntryName("表."));
    EXPECT_FALSE(IsSafeEntryName("表\\.."));
    EXPECT_TRUE(IsSafeEntryName("表.txt"));
}

TEST(BuildEntryTarget, JoinsBelowTheDestination)
{
    TempFolder folder;
    char target[600];
    ASSERT_TRUE(BuildEntryTarget(folder.Path().c_str(), "docs/sub/b.txt", target, sizeof target));
    EXPECT_EQ(folder.Path() + "\\docs\\sub\\b.txt", target);
    ASSERT_TRUE(BuildEntryTarget((folder.Path() + "\\").c_str(), "docs/", target, sizeof target));
    EXPECT_EQ(folder.Path() + "\\docs\\", target);
    std::string slashed = folder.Path();
    for (char& c : slashed)
        if (c == '\\')
            c = '/';
    ASSERT_TRUE(BuildEntryTarget(slashed.c_str(), "x\\y.txt", target, sizeof target));
    EXPECT_EQ(folder.Path() + "\\x\\y.txt", target);
}

TEST(BuildEntryTarget, DestinationEndingInTrailByte5CGetsItsSeparator)
{
    TempFolder folder;
    const std::string destination = folder.Path() + "\\表";
    char target[600];
    ASSERT_TRUE(BuildEntryTarget(destination.c_str(), "a.txt", target, sizeof target));
    EXPECT_EQ(destination + "\\a.txt", target);
}

TEST(BuildEntryTarget, RefusesWhatDoesNotFit)
{
    TempFolder folder;
    const std::string name(40, 'n');
    const size_t needed = folder.Path().size() + 1 + name.size() + 1;
    char target[600];
    EXPECT_FALSE(BuildEntryTarget(folder.Path().c_str(), name.c_str(), target, needed - 1));
    EXPECT_STREQ("", target);
    EXPECT_TRUE(BuildEntryTarget(folder.Path().c_str(), name.c_str(), target, needed));
    EXPECT_FALSE(BuildEntryTarget(nullptr, "a", target, sizeof target));
    EXPECT_FALSE(BuildEntryTarget("", "a", target, sizeof target));
    EXPECT_FALSE(BuildEntryTarget(folder.Path().c_str(), nullptr, target, sizeof target));
}

TEST(Separators, ReplacedByWholeCharacters)
{
    char text[] = "a/表/ソ\\b";
    ToForwardSlashes(text);
    EXPECT_STREQ("a/表/ソ/b", text);
    ToBackslashes(text);
    EXPECT_STREQ("a\\表\\ソ\\b", text);
}

struct RootCase {
    const wchar_t* path;
    bool root;
};

class RootPath : public ::testing::TestWithParam<RootCase> {};

// A root has no name of its own: its items are packed as if dropped one by one.
TEST_P(RootPath, HasNoNameOfItsOwn)
{
    EXPECT_EQ(GetParam().root, IsRootPath(GetParam().path)) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Paths, RootPath,
                         ::testing::Values(RootCase{L"D:\\", true}, RootCase{L"D:", true}, RootCase{L"d:/", true},
                                           RootCase{L"\\\\srv\\share\\", true}, RootCase{L"\\\\srv\\share", true},
                                           RootCase{L"D:\\work", false}, RootCase{L"D:\\work\\", false},
                                           RootCase{L"\\\\srv\\share\\docs", false}, RootCase{L"\\\\srv", false},
                                           RootCase{L"\\\\?\\C:\\", false}, RootCase{L"docs", false}));

}  // namespace
