// Packing: entry names and order, "/" separators, times, the counting pass,
// cancel, and what happens when the archive cannot be created.
#include "archive/archive_pack.h"
#include "archive/progress_dialog.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"

#include "common/test_support.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const std::vector<ListedEntry>& entries)
{
    std::vector<std::string> names;
    for (const ListedEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

unsigned Pack(const std::string& archive, const std::vector<std::string>& items, int countOnly,
              ProgressDialog* progress = nullptr)
{
    ZipPacker packer;
    EXPECT_TRUE(packer.Open(Wide(archive).c_str()));
    unsigned counter = 0;
    for (const std::string& item : items)
        packer.PackItem(Wide(item).c_str(), 1, 0, progress, &counter, countOnly);
    EXPECT_TRUE(packer.Close());
    return counter;
}

TEST(FindEntryNameStart, CountsFolderLevels)
{
    EXPECT_STREQ(L"photo.jpg", FindEntryNameStart(L"D:\\work\\photo.jpg", 0));
    EXPECT_STREQ(L"docs\\", FindEntryNameStart(L"D:\\work\\docs\\", 0));
    EXPECT_STREQ(L"docs\\a.txt", FindEntryNameStart(L"D:\\work\\docs\\a.txt", 1));
    EXPECT_STREQ(L"docs\\sub\\", FindEntryNameStart(L"D:\\work\\docs\\sub\\", 1));
    EXPECT_EQ(nullptr, FindEntryNameStart(L"D:\\a.txt", 1));
    EXPECT_EQ(nullptr, FindEntryNameStart(L"a.txt", 0));
}

TEST(ZipPacker, OneFileIsOneDeflatedEntryWithItsLocalTime)
{
    TempFolder root;
    const std::string file = root.File("a.txt");
    ASSERT_TRUE(WriteFileBytes(file, std::string(1000, 'a')));
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME local{2019, 7, 0, 21, 8, 30, 44, 0};
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    SetFileTime(handle, nullptr, nullptr, &utc);
    CloseHandle(handle);

    EXPECT_EQ(1u, Pack(root.File("out.zip"), {file}, 0));
    const auto entries = ListZip(root.File("out.zip"));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("a.txt", entries[0].name);
    EXPECT_EQ(8, entries[0].method);
    EXPECT_EQ(std::string(1000, 'a'), entries[0].content);
    const unsigned long date = ((2019 - 1980) << 9) | (7 << 5) | 21;
    const unsigned long time = (8 << 11) | (30 << 5) | (44 / 2);
    EXPECT_EQ((date << 16) | time, entries[0].dosDate);
    // A small archive is plain ZIP: version 2.0 headers, no ZIP64 records.
    const std::string bytes = ReadFileBytes(root.File("out.zip"));
    EXPECT_EQ(std::string("\x14\0", 2), bytes.substr(4, 2));
    EXPECT_EQ(std::string::npos, bytes.find("PK\x06\x06"));
    EXPECT_EQ(std::string::npos, bytes.find("PK\x06\x07"));
}

TEST(ZipPacker, FolderEntriesFollowTheirContentsWithSlashes)
{
    TempFolder root;
    const std::string docs = root.File("docs");
    CreateDirectoryA(docs.c_str(), nullptr);
    CreateDirectoryA((docs + "\\e").c_str(), nullptr);
    CreateDirectoryA((docs + "\\sub").c_str(), nullptr);
    WriteFileBytes(docs + "\\a.txt", "alpha");
    WriteFileBytes(docs + "\\sub\\b.txt", "beta");

    EXPECT_EQ(5u, Pack(root.File("docs.zip"), {docs}, 0));
    bool whole = false;
    const auto entries = ListZip(root.File("docs.zip"), &whole);
    EXPECT_TRUE(whole);
    const auto names = Names(entries);
    ASSERT_EQ(5u, names.size());
    EXPECT_EQ("docs/", names.back());
    auto position = [&](const std::string& name) {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name)
                return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(position("docs/a.txt"), 0);
    ASSERT_GE(position("docs/e/"), 0);
    EXPECT_LT(position("docs/sub/b.txt"), position("docs/sub/"));
    EXPECT_LT(position("docs/sub/"), position("docs/"));
    for (const ListedEntry& entry : entries) {
        if (entry.name.back() == '/') {
            EXPECT_EQ("", entry.content) << entry.name;
        }
    }
    EXPECT_EQ("beta", entries[position("docs/sub/b.txt")].content);
}

TEST(ZipPacker, TwoFoldersOfTheSameNameKeepEqualNames)
{
    TempFolder root;
    for (const char* place : {"one", "two"}) {
        CreateDirectoryA(root.File(place).c_str(), nullptr);
        CreateDirectoryA((root.File(place) + "\\same").c_str(), nullptr);
        WriteFileBytes(root.File(place) + "\\same\\f.txt", place);
    }
    Pack(root.File("out.zip"), {root.File("one\\same"), root.File("two\\same")}, 0);
    const auto entries = ListZip(root.File("out.zip"));
    EXPECT_EQ(std::vector<std::string>({"same/f.txt", "same/", "same/f.txt", "same/"}), Names(entries));
    EXPECT_EQ("one", entries[0].content);
    EXPECT_EQ("two", entries[2].content);
}

TEST(ZipPacker, TrailByte5CNamesStayWhole)
{
    TempFolder root;
    const std::string folder = root.File("ソ");  // 0x83 0x5C
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "\\表", "hyou");
    WriteFileBytes(folder + "\\能.txt", "nou");
    Pack(root.File("out.zip"), {folder}, 0);
    auto names = Names(ListZip(root.File("out.zip")));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::vector<std::string>({"ソ/", "ソ/能.txt", "ソ/表"}), names);
}

TEST(ZipPacker, CountingPassEqualsPackingPass)
{
    TempFolder root;
    const std::string tree = root.File("tree");
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int i = 0; i < 4; ++i) {
        const std::string sub = tree + "\\d" + std::to_string(i);
        CreateDirectoryA(sub.c_str(), nullptr);
        for (int j = 0; j < 3; ++j)
            WriteFileBytes(sub + "\\f" + std::to_string(j), "x");
    }
    WriteFileBytes(root.File("single.txt"), "s");
    const std::vector<std::string> items{tree, root.File("single.txt")};
    const unsigned counted = Pack(root.File("out.zip"), items, 1);
    EXPECT_EQ(0u, ListZip(root.File("out.zip")).size());  // the counting pass writes nothing
    const unsigned packed = Pack(root.File("out.zip"), items, 0);
    EXPECT_EQ(18u, counted);
    EXPECT_EQ(counted, packed);
    EXPECT_EQ(packed, ListZip(root.File("out.zip")).size());
}

TEST(ZipPacker, ArchiveInsidePackedFolderIsNotPackedIntoItself)
{
    TempFolder root;
    WriteFileBytes(root.File("a.txt"), std::string(50000, 'a'));
    const std::string archive = root.File("self.zip");
    Pack(archive, {root.Path()}, 0);
    for (const std::string& name : Names(ListZip(archive)))
        EXPECT_EQ(std::string::npos, name.find("self.zip")) << name;
}

TEST(ZipPacker, ArchiveThatCannotBeCreated)
{
    TempFolder root;
    WriteFileBytes(root.File("a.txt"), "a");
    ZipPacker packer;
    EXPECT_FALSE(packer.Open(Wide(root.File("missing\\out.zip")).c_str()));
    EXPECT_FALSE(packer.Open(Wide(root.File("bad|name.zip")).c_str()));
    unsigned counter = 0;
    EXPECT_FALSE(packer.PackItem(Wide(root.File("a.txt")).c_str(), 1, 0, nullptr, &counter, 0));
    EXPECT_FALSE(packer.Close());
    EXPECT_EQ(Tree({L"a.txt"}), ListTree(root.Path()));
}

TEST(ZipPacker, MissingItemIsSkippedUncounted)
{
    TempFolder root;
    unsigned counter = 0;
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(Wide(root.File("out.zip")).c_str()));
    EXPECT_FALSE(packer.PackItem(Wide(root.File("nothing.txt")).c_str(), 1, 0, nullptr, &counter, 0));
    EXPECT_TRUE(packer.Close());
    EXPECT_EQ(0u, counter);
}

// Cancel answered from a helper thread while the packer's updates pump messages.
void PackWithCancelAt(const std::string& archive, const std::vector<std::string>& items, int countOnly,
                      unsigned* counter, unsigned cancelAt)
{
    ProgressDialog progress;
    progress.Show(nullptr);
    progress.SetRange(0, 100);
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(Wide(archive).c_str()));
    *counter = 0;
    for (const std::string& item : items) {
        if (*counter == cancelAt) {
            ExactDialogAnswerer answer("=(o.o)=", IDOK);
            PostMessageA(GetDlgItem(progress.DialogWindow(), IDCANCEL), BM_CLICK, 0, 0);
            progress.SetProgress(0);
            answer.Join();
            ASSERT_TRUE(progress.IsCancelled());
        }
        packer.PackItem(Wide(item).c_str(), 1, 0, &progress, counter, countOnly);
    }
    packer.Close();
}

TEST(ZipPacker, CancelEndsBothPasses)
{
    TempFolder root;
    std::vector<std::string> items;
    for (int i = 0; i < 6; ++i) {
        items.push_back(root.File("f" + std::to_string(i) + ".txt"));
        WriteFileBytes(items.back(), "data");
    }
    unsigned counter = 0;
    PackWithCancelAt(root.File("out.zip"), items, 0, &counter, 2);
    EXPECT_EQ(2u, counter);
    EXPECT_EQ(std::vector<std::string>({"f0.txt", "f1.txt"}), Names(ListZip(root.File("out.zip"))));

    PackWithCancelAt(root.File("count.zip"), items, 1, &counter, 3);
    EXPECT_EQ(3u, counter);
    EXPECT_EQ(0u, ListZip(root.File("count.zip")).size());
}

// The packing job: a cancel inside a large file, or a file that cannot be
// read, never leaves a half-written archive; an older archive stays.
int g_readCalls = 0;
BOOL CancellingReader(HANDLE file, void* data, DWORD size, DWORD* read)
{
    if (++g_readCalls == 40) {
        HWND progress = FindProcessDialog("ファイルの圧縮中");
        if (progress)
            PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    }
    return ReadFile(file, data, size, read, nullptr);
}

BOOL FailingReader(HANDLE, void*, DWORD, DWORD* read)
{
    *read = 0;
    SetLastError(ERROR_READ_FAULT);
    return FALSE;
}

struct JobCase {
    const char* label;
    SourceReadFunction reader;
    PackResult result;
};

class PackingJob : public ::testing::TestWithParam<JobCase> {};

TEST_P(PackingJob, LeavesNothingHalfWritten)
{
    TempFolder root;
    WriteFileBytes(root.File("small.txt"), "small");
    WriteFileBytes(root.File("big.bin"), std::string(2 << 20, 'b'));
    WriteFileBytes(root.File("out.zip"), "the older archive");
    g_readCalls = 0;
    OverrideSourceReader(GetParam().reader);
    std::unique_ptr<ExactDialogAnswerer> answer;
    if (GetParam().result == kPackCancelled)
        answer.reset(new ExactDialogAnswerer("=(o.o)=", IDOK));
    PackReport report;
    EXPECT_EQ(GetParam().result,
              PackIntoArchive(Wide(root.File("out.zip")).c_str(),
                              {Wide(root.File("small.txt")), Wide(root.File("big.bin"))}, nullptr, &report));
    OverrideSourceReader(nullptr);
    answer.reset();
    EXPECT_EQ("the older archive", ReadFileBytes(root.File("out.zip")));
    EXPECT_EQ(Tree({L"big.bin", L"out.zip", L"small.txt"}), ListTree(root.Path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, PackingJob,
                         ::testing::Values(JobCase{"CancelInsideALargeFile", CancellingReader, kPackCancelled},
                                           JobCase{"ReadFailure", FailingReader, kPackFailed}),
                         [](const ::testing::TestParamInfo<JobCase>& info) { return std::string(info.param.label); });

TEST(PackingJob, FileThatCannotBeOpenedIsLeftOutAndCounted)
{
    TempFolder root;
    WriteFileBytes(root.File("open.txt"), "open");
    WriteFileBytes(root.File("locked.txt"), "locked");
    HANDLE lock = CreateFileA(root.File("locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    PackReport report;
    EXPECT_EQ(kPackDone, PackIntoArchive(Wide(root.File("out.zip")).c_str(),
                                         {Wide(root.File("open.txt")), Wide(root.File("locked.txt"))}, nullptr,
                                         &report));
    CloseHandle(lock);
    EXPECT_EQ(1u, report.skipped);
    EXPECT_EQ(std::vector<std::string>({"open.txt"}), Names(ListZip(root.File("out.zip"))));
}

// A name is stored in code page 932 when that holds it exactly (no flag),
// as UTF-8 with bit 11 otherwise.
struct StoredNameCase {
    const wchar_t* onDisk;
    std::string stored;
    unsigned long flag;
};

class StoredName : public ::testing::TestWithParam<StoredNameCase> {};

TEST_P(StoredName, IsCodePage932WhenItFitsAndUtf8Otherwise)
{
    TempFolder root;
    const std::wstring file = Wide(root.Path()) + L"\\" + GetParam().onDisk;
    ASSERT_TRUE(WriteFileWide(file, "x"));
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(Wide(root.File("out.zip")).c_str()));
    EXPECT_TRUE(packer.PackItem(file.c_str(), 1, 0, nullptr, nullptr, 0));
    ASSERT_TRUE(packer.Close());
    const auto entries = ListZip(root.File("out.zip"));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(GetParam().stored, entries[0].name);
    EXPECT_EQ(GetParam().flag, entries[0].flag & 0x800);
}

INSTANTIATE_TEST_SUITE_P(Names, StoredName,
                         ::testing::Values(StoredNameCase{L"表.txt", "表.txt", 0},
                                           StoredNameCase{L"ｶﾀｶﾅ.txt", "ｶﾀｶﾅ.txt", 0},
                                           StoredNameCase{L"caf\u00E9.txt", u8"caf\u00E9.txt", 0x800},
                                           StoredNameCase{L"\uD55C\uAD6D\uC5B4.txt", u8"\uD55C\uAD6D\uC5B4.txt", 0x800},
                                           StoredNameCase{L"絵文字\U0001F600.txt", u8"絵文字\U0001F600.txt", 0x800},
                                           StoredNameCase{L"\u301Cwave.txt", u8"\u301Cwave.txt", 0x800}));

TEST(ZipPacker, PackedTreeExtractsToTheSameTree)
{
    TempFolder root;
    const std::wstring docs = Wide(root.File("docs"));
    for (const wchar_t* folder : {L"", L"\\e", L"\\表", L"\\\uD55C\uAD6D\uC5B4"})
        CreateDirectoryW((docs + folder).c_str(), nullptr);
    WriteFileWide(docs + L"\\表\\b.bin", std::string(70000, '\x5C'));
    WriteFileWide(docs + L"\\\uD55C\uAD6D\uC5B4\\caf\u00E9\U0001F600.txt", "unicode");
    WriteFileWide(docs + L"\\a.txt", "alpha");
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(Wide(root.File("docs.zip")).c_str()));
    packer.PackItem(docs.c_str(), 1, 0, nullptr, nullptr, 0);
    ASSERT_TRUE(packer.Close());
    ASSERT_EQ(kExtractDone,
              ExtractArchive(Wide(root.File("docs.zip")).c_str(), Wide(root.File("out")).c_str(), nullptr, nullptr));
    EXPECT_EQ(ListTree(root.File("docs")), ListTree(root.File("out\\docs")));
    EXPECT_EQ(std::string(70000, '\x5C'), ReadFileWide(Wide(root.File("out")) + L"\\docs\\表\\b.bin"));
    EXPECT_EQ("unicode", ReadFileWide(Wide(root.File("out")) + L"\\docs\\\uD55C\uAD6D\uC5B4\\caf\u00E9\U0001F600.txt"));
}

}  // namespace
