// Which stored entry names may be written below a destination folder, and
// how the target path is joined and checked.
#include "archive/entry_path.h"
#include "archive/path_identity.h"

#include "common/test_support.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HostileEntryName : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(HostileEntryName, IsRefused)
{
    EXPECT_FALSE(IsSafeEntryName(GetParam())) << GetParam();
    TempFolder folder;
    wchar_t target[600] = L"unchanged";
    EXPECT_FALSE(BuildEntryTarget(Wide(folder.Path()).c_str(), GetParam(), target, 600));
    EXPECT_STREQ(L"", target);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileEntryName,
    ::testing::Values(
        // parent references, also mixed separators
        L"..", L"../x", L"..\\x", L"..\\/x", L"a/../../x", L"a/..", L"a\\..\\..\\x", L"a/./b", L".", L"./x",
        L"表\\..",
        // drive and stream forms
        L"C:x", L"C:\\x", L"c:/x", L"a/b:stream", L"file.txt:Zone.Identifier", L"a:",
        // rooted, UNC and device paths
        L"\\x", L"/x", L"\\\\srv\\share\\x", L"//srv/share/x", L"\\\\?\\C:\\x", L"\\\\.\\pipe\\x", L"\\\\.\\C:",
        // reserved device names, also with extensions, in subfolders and with superscript digits
        L"CON", L"con", L"PRN", L"AUX", L"NUL", L"nul.txt", L"a/NUL.tar.gz", L"COM1", L"com9.log", L"LPT1",
        L"lpt9.txt", L"CONIN$", L"conout$", L"AUX .txt", L"docs/CON/x.txt", L"COM\u00B9", L"lpt\u00B3.txt",
        // components ending in a dot or blank, empty components
        L"x.", L"x ", L"a./b", L"a /b", L"a//b", L"a\\\\b", L"", L"表.",
        // wildcards and control characters
        L"a/*.txt", L"a?b", L"a<b", L"a>b", L"a|b", L"a\"b", L"tab\tname", L"line\nfeed"));

class SafeEntryName : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(SafeEntryName, IsAccepted)
{
    EXPECT_TRUE(IsSafeEntryName(GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Names, SafeEntryName,
                         ::testing::Values(L"a.txt", L"docs/", L"docs\\", L"docs/a.txt", L"docs\\sub\\b.txt",
                                           L"x/y/z.txt", L".profile", L"a..b", L"...a", L"CONSOLE.txt", L"COM10",
                                           L"LPT0", L"COM", L"com1x.txt", L"nullish", L"file name.txt", L"表",
                                           L"表/", L"docs/表/能.txt", L"ソ\\ソ", L"ポルン.txt", L"表.txt",
                                           L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4/\uBA54\uBAA8", L"\U0001F600"));

TEST(BuildEntryTarget, JoinsBelowTheDestination)
{
    TempFolder folder;
    const std::wstring path = Wide(folder.Path());
    wchar_t target[600];
    ASSERT_TRUE(BuildEntryTarget(path.c_str(), L"docs/sub/b.txt", target, 600));
    EXPECT_EQ(path + L"\\docs\\sub\\b.txt", target);
    ASSERT_TRUE(BuildEntryTarget((path + L"\\").c_str(), L"docs/", target, 600));
    EXPECT_EQ(path + L"\\docs\\", target);
    std::wstring slashed = path;
    for (wchar_t& c : slashed)
        if (c == L'\\')
            c = L'/';
    ASSERT_TRUE(BuildEntryTarget(slashed.c_str(), L"x\\y.txt", target, 600));
    EXPECT_EQ(path + L"\\x\\y.txt", target);
}

TEST(BuildEntryTarget, RefusesWhatDoesNotFit)
{
    TempFolder folder;
    const std::wstring path = Wide(folder.Path());
    // The whole path counts in UTF-16 characters against MAX_PATH.
    const std::wstring fits(MAX_PATH - 2 - path.size(), L'あ');
    wchar_t target[600];
    EXPECT_TRUE(BuildEntryTarget(path.c_str(), fits.c_str(), target, 600));
    EXPECT_FALSE(BuildEntryTarget(path.c_str(), (fits + L"x").c_str(), target, 600));
    EXPECT_STREQ(L"", target);
    EXPECT_FALSE(BuildEntryTarget(path.c_str(), L"abc", target, path.size() + 4));
    EXPECT_FALSE(BuildEntryTarget(nullptr, L"a", target, 600));
    EXPECT_FALSE(BuildEntryTarget(L"", L"a", target, 600));
    EXPECT_FALSE(BuildEntryTarget(path.c_str(), nullptr, target, 600));
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
