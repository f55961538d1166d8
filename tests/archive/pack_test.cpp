// Packing: the entries a new archive holds, both passes, the cancel, and the packing job that never leaves a
// half-written archive.
#include "support/files.h"
#include "support/ui.h"
#include "support/zip.h"

#include "archive/archive_pack.h"
#include "archive/path_identity.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace support;

namespace {

// Entry names sorted, each flagged UTF-8 marked "*", joined by blanks.
std::string Names(const std::wstring& archive)
{
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListZip(archive))
        names.push_back(entry.name + (entry.flag & 0x800 ? "*" : ""));
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& name : names)
        out += " " + name;
    return out.substr(out.empty() ? 0 : 1);
}

// Every file holds 70,000 bytes 0x5C and its own name, last written 2019-07-21 08:30:44 local time.
bool MakeFile(const std::wstring& path, const std::wstring& name)
{
    const SYSTEMTIME local{2019, 7, 0, 21, 8, 30, 44, 0};
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    WriteBytes(path, std::string(70000, '\x5C') + std::string(name.begin(), name.end()));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return SetFileTime(file, nullptr, nullptr, &utc) && CloseHandle(file);
}

struct PackCase {
    const char* label;
    std::vector<std::wstring> tree;     // made in the root: a trailing '\' makes a folder
    std::vector<std::wstring> dropped;  // packed in this order
    std::string names;
};

class PackedItems : public ::testing::TestWithParam<PackCase> {};

// Both passes count the same entries, the counting pass writes none; files are deflated with their local time,
// folder entries follow their contents, in a plain zip (version 2.0, no ZIP64 records) that extracts alike.
TEST_P(PackedItems, HoldTheirTreeUnderTheirNames)
{
    TempFolder root("p");
    const std::wstring base = Wide(root.Path()) + L"\\";
    auto path = [&](const std::wstring& item) { return item.empty() ? Wide(root.Path()) : base + item; };
    for (const std::wstring& item : GetParam().tree)
        ASSERT_TRUE(item.back() == L'\\' ? CreateDirectoryW((base + item).c_str(), nullptr)
                                         : MakeFile(base + item, item));
    unsigned counted[2] = {0, 0};
    for (int countOnly = 1; countOnly >= 0; --countOnly) {
        ZipPacker packer;
        ASSERT_TRUE(packer.Open((base + L"out.zip").c_str()));
        for (const std::wstring& item : GetParam().dropped)
            packer.PackItem(path(item).c_str(), 1, 0, nullptr, &counted[countOnly], countOnly);
        ASSERT_TRUE(packer.Close());
        EXPECT_EQ(countOnly ? "" : GetParam().names, Names(base + L"out.zip"));
    }
    const std::vector<ListedEntry> entries = ListZip(base + L"out.zip");
    EXPECT_EQ(counted[1], counted[0]);
    EXPECT_EQ(entries.size(), counted[0]);
    const std::string bytes = ReadBytes(base + L"out.zip");
    EXPECT_EQ(std::string("\x14\0", 2), bytes.substr(4, 2));
    EXPECT_EQ(std::string::npos, bytes.find("PK\x06\x06"));
    for (size_t i = 0; i < entries.size(); ++i) {  // its folder's entry comes later
        const std::string& name = entries[i].name;
        const unsigned long stamp = ((2019ul - 1980) << 9 | 7 << 5 | 21) << 16 | (8 << 11 | 30 << 5 | 22);
        EXPECT_TRUE(name.back() == '/' || (entries[i].method == 8 && entries[i].dosDate == stamp)) << name;
        const size_t cut = name.rfind('/', name.size() - 2);
        bool later = cut == std::string::npos;
        for (size_t j = i + 1; j < entries.size() && !later; ++j)
            later = entries[j].name == name.substr(0, cut + 1);
        EXPECT_TRUE(later) << name;
    }
    ASSERT_EQ(kExtractDone, ExtractArchive((base + L"out.zip").c_str(), (base + L"x").c_str(), nullptr, nullptr));
    const std::wstring& item = GetParam().dropped.back();  // written last
    const std::wstring packed = L"x\\" + item.substr(item.rfind(L'\\') + 1);
    for (const std::wstring& file : item.empty() ? Tree() : ListTree(base + item))
        EXPECT_TRUE(ReadBytes(base + item + L"\\" + file) == ReadBytes(base + packed + L"\\" + file)) << file;
}

INSTANTIATE_TEST_SUITE_P(Trees, PackedItems, ::testing::ValuesIn(std::vector<PackCase>{
    {"Folder", {L"docs\\", L"docs\\e\\", L"docs\\sub\\", L"docs\\a.txt", L"docs\\sub\\b.txt"}, {L"docs"},
     "docs/ docs/a.txt docs/e/ docs/sub/ docs/sub/b.txt"},
    {"TwoFoldersOfOneName", {L"one\\", L"one\\same\\", L"one\\same\\f", L"two\\", L"two\\same\\", L"two\\same\\f"},
     {L"one\\same", L"two\\same"}, "same/ same/ same/f same/f"},
    {"NamesEndingInTheByte5C", {L"ソ\\", L"ソ\\表\\", L"ソ\\表\\b.bin", L"ソ\\能.txt"}, {L"ソ"},
     "ソ/ ソ/能.txt ソ/表/ ソ/表/b.bin"},
    {"CountingPass", {L"t\\", L"t\\d0\\", L"t\\d0\\f0", L"t\\d0\\f1", L"t\\d0\\f2", L"t\\d1\\", L"t\\d1\\f0",
     L"t\\d1\\f1", L"t\\d1\\f2", L"t\\d2\\", L"t\\d2\\f0", L"t\\d2\\f1", L"t\\d2\\f2", L"s.txt"}, {L"t", L"s.txt"},
     "s.txt t/ t/d0/ t/d0/f0 t/d0/f1 t/d0/f2 t/d1/ t/d1/f0 t/d1/f1 t/d1/f2 t/d2/ t/d2/f0 t/d2/f1 t/d2/f2"},
    {"ArchiveInsideThePackedFolder", {L"a.txt"}, {L""}, "p/ p/a.txt"},  // the folder p holding out.zip
    {"VanishedItem", {L"a.txt"}, {L"gone.txt", L"a.txt"}, "a.txt"},
    {"CodePage932Names", {L"表.txt", L"ｶﾀｶﾅ.txt"}, {L"表.txt", L"ｶﾀｶﾅ.txt"}, "表.txt ｶﾀｶﾅ.txt"},
    {"OtherNamesInUtf8", {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\U0001F600", L"\u301Cw"},
     {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4", L"\u301Cw"},
     u8"caf\u00E9.txt* \u301Cw* \uD55C\uAD6D\uC5B4/* \uD55C\uAD6D\uC5B4/\U0001F600*"},
}), [](const auto& info) { return std::string(info.param.label); });

// The job: a cancel between files or inside a large one, or a file that cannot be read leaves the older
// archive as it was; a file that cannot be opened is left out and counted.
int g_reads = 0, g_cancelAt = 0;
std::unique_ptr<DialogWaiter> g_question;  // of the cancel, answered OK
BOOL CancellingReader(HANDLE file, void* data, DWORD size, DWORD* read)
{
    HWND progress = FindDialog("ファイルの圧縮中");
    if (++g_reads == g_cancelAt && progress) {
        g_question.reset(new DialogWaiter("=(o.o)=", IDOK, {}, GetCurrentProcessId(), progress));
        PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    }
    return ReadFile(file, data, size, read, nullptr);
}

BOOL FailingReader(HANDLE, void*, DWORD, DWORD* read)
{
    return *read = 0, SetLastError(ERROR_READ_FAULT), FALSE;
}

struct JobCase {
    const char* label;
    SourceReadFunction reader;
    PackResult result;
    std::string archive;  // afterwards
    unsigned skipped;
    int cancelAt = 0;  // the read that presses the cancel
};

class PackingJob : public ::testing::TestWithParam<JobCase> {};

TEST_P(PackingJob, NeverLeavesAHalfWrittenArchive)
{
    TempFolder root;
    ASSERT_TRUE(WriteBytes(root.File("small.txt"), "small"));
    ASSERT_TRUE(WriteBytes(root.File("big.bin"), std::string(2 << 20, 'b')));
    ASSERT_TRUE(WriteBytes(root.File("out.zip"), "the older archive"));
    HANDLE lock = CreateFileA(root.File(GetParam().reader ? "none" : "big.bin").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    g_reads = 0;
    g_cancelAt = GetParam().cancelAt;
    Restore reader{[] { OverrideSourceReader(nullptr); }};
    OverrideSourceReader(GetParam().reader);
    PackReport report;
    EXPECT_EQ(GetParam().result, PackIntoArchive(Wide(root.File("out.zip")).c_str(),
                                                 {Wide(root.File("small.txt")), Wide(root.File("big.bin"))}, nullptr,
                                                 &report));
    EXPECT_EQ(GetParam().result == kPackCancelled, g_question && g_question->Seen());
    g_question.reset();
    CloseHandle(lock);
    EXPECT_EQ(GetParam().skipped, report.skipped);
    EXPECT_EQ(GetParam().archive, GetParam().result == kPackDone ? Names(Wide(root.File("out.zip")))
                                                                 : ReadBytes(root.File("out.zip")));
    EXPECT_EQ(Tree({L"big.bin", L"out.zip", L"small.txt"}), ListTree(root.Path()));
}

INSTANTIATE_TEST_SUITE_P(Jobs, PackingJob, ::testing::ValuesIn(std::vector<JobCase>{
    {"CancelBetweenFiles", CancellingReader, kPackCancelled, "the older archive", 0, 1},
    {"CancelInsideALargeFile", CancellingReader, kPackCancelled, "the older archive", 0, 40},
    {"ReadFailure", FailingReader, kPackFailed, "the older archive", 0},
    {"FileThatCannotBeOpened", nullptr, kPackDone, "small.txt", 1},
}), [](const auto& info) { return std::string(info.param.label); });

// A root has no name of its own: its items are packed as if dropped one by one.
TEST(RootPath, HasNoNameOfItsOwn)
{
    for (const wchar_t* root : {L"D:\\", L"D:", L"d:/", L"\\\\srv\\share\\", L"\\\\srv\\share"})
        EXPECT_TRUE(IsRootPath(root)) << root;
    for (const wchar_t* path : {L"D:\\work", L"D:\\work\\", L"\\\\srv\\share\\docs", L"\\\\srv", L"\\\\?\\C:\\", L"docs"})
        EXPECT_FALSE(IsRootPath(path)) << path;
}

}  // namespace
