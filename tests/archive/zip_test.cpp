// Packing and extraction: the entries written, stored names refused, damaged archives, cancels, the files left.
#include "archive/listed_name.h"
#include "support/files.h"
#include "support/ui.h"
#include "support/zip.h"

#include "archive/archive_pack.h"
#include "archive/path_identity.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "resources/resource_ids.h"
#include "support/code_page_932.h"
#include "support/path_text.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace support;

namespace {

// The progress window's cancel pressed in call g_cancelAt, the question answered OK; where the bar stood then.
int g_calls = 0;
int g_cancelAt = 0;
int g_bar = 0;
std::unique_ptr<DialogWaiter> g_question;
void PressCancelAt(const wchar_t* progressCaption)
{
    HWND progress = FindDialog(progressCaption);
    if (++g_calls != g_cancelAt || !progress)
        return;
    g_question.reset(new DialogWaiter(L"=(o.o)=", IDOK, {}, GetCurrentProcessId(), progress));
    SendMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);  // back once the question is answered
    g_bar = static_cast<int>(SendDlgItemMessageW(progress, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

// text in code page 932, as a tool without the UTF-8 flag stores a name.
std::string Cp932(const std::wstring& text)
{
    char bytes[1024] = "";
    ToCodePage932(text.c_str(), bytes, sizeof bytes);
    return bytes;
}

// Entry names sorted, each read as its flag says.
Tree Names(const std::wstring& archive)
{
    Tree names;
    for (const ListedEntry& entry : ListZip(archive))
        names.push_back(NameOf(entry));
    std::sort(names.begin(), names.end());
    return names;
}

size_t FlaggedUtf8(const std::wstring& archive)
{
    const std::vector<ListedEntry> entries = ListZip(archive);
    return static_cast<size_t>(std::count_if(entries.begin(), entries.end(), IsUtf8Name));
}

// Every file holds 70,000 bytes 0x5C and its own name, last written 2019-07-21 08:30:44 local time.
bool MakeFile(const std::wstring& path, const std::wstring& name)
{
    const SYSTEMTIME local{.wYear = 2019, .wMonth = 7, .wDay = 21, .wHour = 8, .wMinute = 30, .wSecond = 44};
    FILETIME localTime;
    FILETIME utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    WriteBytes(path, std::string(70000, '\x5C') + std::string(name.begin(), name.end()));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return SetFileTime(file, nullptr, nullptr, &utc) && CloseHandle(file);
}

// A command of the Unix system Wine runs on, run in folder and not waited for: Wine hands back no process. Its
// CreateSymbolicLinkW makes nothing; what ln -s makes, it lists as a reparse point.
// A file system that reports no link as one, and Windows' reparse tags on the items named for them.
struct TaggedItem {
    const wchar_t* name;
    DWORD tag;
};
const TaggedItem kTags[] = {
    {.name = L"symlink.txt", .tag = IO_REPARSE_TAG_SYMLINK},
    {.name = L"junction", .tag = IO_REPARSE_TAG_MOUNT_POINT},
    {.name = L"cloud", .tag = IO_REPARSE_TAG_CLOUD_6},
    {.name = L"dedup.bin", .tag = IO_REPARSE_TAG_DEDUP},
};
template <class Result>
Result Retagged(Result result, WIN32_FIND_DATAW* found)
{
    found->dwFileAttributes &= ~FILE_ATTRIBUTE_REPARSE_POINT;
    found->dwReserved0 = 0;
    for (const auto& [name, tag] : kTags) {
        if (std::wcscmp(found->cFileName, name) == 0) {
            found->dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
            found->dwReserved0 = tag;
        }
    }
    return result;
}
HANDLE RetaggedFirst(const wchar_t* pattern, WIN32_FIND_DATAW* found)
{
    return Retagged(FindFirstFileW(pattern, found), found);
}
BOOL RetaggedNext(HANDLE search, WIN32_FIND_DATAW* found)
{
    return Retagged(FindNextFileW(search, found), found);
}
constexpr FolderLister kRetagged{RetaggedFirst, RetaggedNext};

struct LinkCase {
    std::wstring folder;  // the link's folder in the root ('\\' last)
    std::wstring name;
    std::wstring target;  // where it leads
};
struct PackCase {
    const char* name;
    Tree tree;                         // made in the root: a trailing '\' makes a folder
    Tree dropped;                      // packed in this order
    Tree names;                        // of the entries, sorted
    size_t utf8 = 0;                   // entries whose name is flagged UTF-8
    std::vector<LinkCase> links = {};  // made after the tree
    unsigned leftOut = 0;
    const FolderLister* lister = nullptr;
};
class PackedItems : public ::testing::TestWithParam<PackCase> {};

// Both passes count alike, the first writes nothing; deflated, local times, folders last, version 2.0, no ZIP64.
TEST_P(PackedItems, HoldTheirTreeUnderTheirNames)
{
    TempFolder root(L"p");
    const std::wstring base = root.Path() + L"\\";
    auto path = [&](const std::wstring& item) { return item.empty() ? root.Path() : base + item; };
    auto link = [&](const LinkCase& made) { return base + made.folder + made.name; };
    for (const std::wstring& item : GetParam().tree)
        ASSERT_TRUE(item.back() == L'\\' ? CreateDirectoryW((base + item).c_str(), nullptr)
                                         : MakeFile(base + item, item));
    // Gone before the temporary folder's removal, which would follow them.
    std::vector<std::unique_ptr<SymbolicLink>> links;
    for (const LinkCase& made : GetParam().links) {
        wchar_t target[MAX_PATH];
        GetFullPathNameW((base + made.folder + made.target).c_str(), MAX_PATH, target, nullptr);
        links.push_back(std::make_unique<SymbolicLink>(link(made), target));
        ASSERT_TRUE(links.back()->Made()) << "nothing planted";
    }
    const SeamGuard lister = OverrideFolderLister(GetParam().lister);
    const std::wstring archive = base + L"out.zip";
    auto pack = [&](unsigned* counter, int countOnly) {  // the items left out
        ZipPacker packer;
        EXPECT_TRUE(packer.Open(archive.c_str()));
        for (const std::wstring& item : GetParam().dropped)
            packer.PackItem(path(item).c_str(), 1, 0, nullptr, counter, countOnly);
        EXPECT_TRUE(packer.Close());
        return packer.LeftOut();
    };
    unsigned counted = 0;
    unsigned packed = 0;
    EXPECT_EQ(GetParam().leftOut, pack(&counted, 1));
    EXPECT_EQ(Tree{}, Names(archive)) << "the counting pass writes no entry";
    EXPECT_EQ(GetParam().leftOut, pack(&packed, 0));
    EXPECT_EQ(GetParam().names, Names(archive));
    EXPECT_EQ(GetParam().utf8, FlaggedUtf8(archive));
    const std::vector<ListedEntry> entries = ListZip(archive);
    EXPECT_EQ(entries.size(), counted);
    EXPECT_EQ(entries.size(), packed);
    const std::string bytes = ReadBytes(archive);
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
}

const LinkCase kSelfLink = {.folder = L"docs\\", .name = L"self", .target = L"."};
// clang-format off
const PackCase kPacked[] = {
    {.name = "Folder", .tree = {L"docs\\", L"docs\\e\\", L"docs\\sub\\", L"docs\\a.txt", L"docs\\sub\\b.txt"},
     .dropped = {L"docs"}, .names = {L"docs/", L"docs/a.txt", L"docs/e/", L"docs/sub/", L"docs/sub/b.txt"}},
    {.name = "TwoFoldersOfOneName",
     .tree = {L"one\\", L"one\\same\\", L"one\\same\\f", L"two\\", L"two\\same\\", L"two\\same\\f"},
     .dropped = {L"one\\same", L"two\\same"}, .names = {L"same/", L"same/", L"same/f", L"same/f"}},
    {.name = "NamesEndingInTheByte5C", .tree = {L"ソ\\", L"ソ\\表\\", L"ソ\\表\\b.bin", L"ソ\\能.txt"},
     .dropped = {L"ソ"}, .names = {L"ソ/", L"ソ/能.txt", L"ソ/表/", L"ソ/表/b.bin"}},
    // the folder p holding out.zip
    {.name = "ArchiveInsideThePackedFolder", .tree = {L"a.txt"}, .dropped = {L""}, .names = {L"p/", L"p/a.txt"}},
    {.name = "VanishedItem", .tree = {L"a.txt"}, .dropped = {L"gone.txt", L"a.txt"}, .names = {L"a.txt"}},
    {.name = "CodePage932Names", .tree = {L"表.txt", L"ｶﾀｶﾅ.txt"},
     .dropped = {L"表.txt", L"ｶﾀｶﾅ.txt"}, .names = {L"表.txt", L"ｶﾀｶﾅ.txt"}},
    {.name = "OtherNamesInUtf8",
     .tree = {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\U0001F600", L"\u301Cw"},
     .dropped = {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4", L"\u301Cw"},
     .names = {L"caf\u00E9.txt", L"\u301Cw", L"\uD55C\uAD6D\uC5B4/", L"\uD55C\uAD6D\uC5B4/\U0001F600"}, .utf8 = 4},
    // links inside a dropped folder are left out; a dropped link is what the user chose
    {.name = "LinkToItsOwnFolder", .tree = {L"docs\\", L"docs\\a.txt"}, .dropped = {L"docs"},
     .names = {L"docs/", L"docs/a.txt"}, .links = {kSelfLink}, .leftOut = 1},
    {.name = "LinkOutOfTheDroppedFolder",
     .tree = {L"docs\\", L"docs\\a.txt", L"..\\home\\", L"..\\home\\secret.txt"}, .dropped = {L"docs"},
     .names = {L"docs/", L"docs/a.txt"}, .links = {{.folder = L"docs\\", .name = L"home", .target = L"../../home"}},
     .leftOut = 1},
    {.name = "DroppedLink", .tree = {L"real\\", L"real\\a.txt"}, .dropped = {L"shown"},
     .names = {L"shown/", L"shown/a.txt"}, .links = {{.folder = L"", .name = L"shown", .target = L"real"}}},
    {.name = "LoopThroughALinkNotReportedAsOne", .tree = {L"docs\\", L"docs\\a.txt"}, .dropped = {L"docs"},
     .names = {L"docs/", L"docs/a.txt"}, .links = {kSelfLink}, .leftOut = 1, .lister = &kRetagged},
    {.name = "WindowsLinksLeftOutOtherReparsePointsPacked",
     .tree = {L"d\\", L"d\\symlink.txt", L"d\\junction\\", L"d\\junction\\j.txt", L"d\\cloud\\", L"d\\cloud\\c.txt",
              L"d\\dedup.bin"},
     .dropped = {L"d"}, .names = {L"d/", L"d/cloud/", L"d/cloud/c.txt", L"d/dedup.bin"}, .leftOut = 2,
     .lister = &kRetagged},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Trees, PackedItems, ::testing::ValuesIn(kPacked), RowName);

// A cancel or a read failure leaves the older archive as it was; a file that cannot be opened is left out, counted.
BOOL CancellingReader(HANDLE file, void* data, DWORD size, DWORD* read)
{
    PressCancelAt(L"ファイルの圧縮中");
    return ReadFile(file, data, size, read, nullptr);
}

BOOL FailingReader(HANDLE, void*, DWORD, DWORD* read)
{
    *read = 0;
    SetLastError(ERROR_READ_FAULT);
    return FALSE;
}

// small.txt, then big.bin of 2 MiB, packed over an older out.zip.
class PackingFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteBytes(root_.File(L"small.txt"), "small"));
        ASSERT_TRUE(WriteBytes(root_.File(L"big.bin"), std::string(2 << 20, 'b')));
        ASSERT_TRUE(WriteBytes(Archive(), "the older archive"));
    }
    std::wstring Archive() const { return root_.File(L"out.zip"); }
    PackResult Pack(PackReport* report) const
    {
        return PackIntoArchive(Archive().c_str(), {root_.File(L"small.txt"), root_.File(L"big.bin")}, nullptr, report);
    }
    TempFolder root_;
};

struct JobCase {
    const char* name;
    SourceReadFunction reader;
    PackResult result;
    int cancelAt = 0;    // the read that presses the cancel; 0: none
    bool asked = false;  // the cancel's question came
};
class PackingJob : public PackingFiles, public ::testing::WithParamInterface<JobCase> {};

TEST_P(PackingJob, NeverLeavesAHalfWrittenArchive)
{
    g_calls = 0;
    g_cancelAt = GetParam().cancelAt;
    const SeamGuard reader = OverrideSourceReader(GetParam().reader);
    PackReport report;
    EXPECT_EQ(GetParam().result, Pack(&report));
    EXPECT_EQ(GetParam().asked, g_question && g_question->Seen());
    g_question.reset();
    EXPECT_EQ(0u, report.skipped);
    EXPECT_EQ("the older archive", ReadBytes(Archive()));
    EXPECT_EQ(Tree({L"big.bin", L"out.zip", L"small.txt"}), ListTree(root_.Path()));
}

// clang-format off
const JobCase kJobs[] = {
    {.name = "CancelBetweenFiles", .reader = CancellingReader, .result = kPackCancelled, .cancelAt = 1, .asked = true},
    {.name = "CancelInsideALargeFile", .reader = CancellingReader, .result = kPackCancelled, .cancelAt = 40,
     .asked = true},
    {.name = "ReadFailure", .reader = FailingReader, .result = kPackFailed},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Jobs, PackingJob, ::testing::ValuesIn(kJobs), RowName);

TEST_F(PackingFiles, AFileThatCannotBeOpenedIsLeftOutAndCounted)
{
    HANDLE lock = CreateFileW(root_.File(L"big.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const Restore unlock{[lock] { CloseHandle(lock); }};
    PackReport report;
    EXPECT_EQ(kPackDone, Pack(&report));
    EXPECT_EQ(1u, report.skipped);
    EXPECT_EQ(Tree({L"small.txt"}), Names(Archive()));
    EXPECT_EQ(Tree({L"big.bin", L"out.zip", L"small.txt"}), ListTree(root_.Path()));
}

// Files read in several pieces, each deflated apart, come back byte for byte: at, around and past a piece's size,
// and past what extraction inflates whole.
TEST(PackedPieces, ComeBackByteForByte)
{
    TempFolder root;
    const std::wstring in = root.Folder(L"in");
    const size_t piece = DeflatePiece::kPieceSize;
    const std::vector<size_t> sizes = {0, 1, piece - 1, piece, piece + 1, 3 * piece + 5, kWholeEntryLimit + 7};
    std::vector<std::string> contents;
    unsigned state = 1;
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::string data;
        while (data.size() < sizes[i]) {
            state = state * 1103515245u + 12345u;
            data += (state >> 16) % 4 == 0 ? std::string(1, static_cast<char>(state >> 8)) : "bento box ";
        }
        data.resize(sizes[i]);
        contents.push_back(data);
        ASSERT_TRUE(WriteBytes(in + L"\\" + std::to_wstring(i) + L".bin", data));
    }
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(root.File(L"out.zip").c_str()));
    packer.PackItem(in.c_str(), 1, 0, nullptr, nullptr, 0);
    ASSERT_TRUE(packer.Close());
    ASSERT_EQ(kExtractDone, ExtractArchive(root.File(L"out.zip").c_str(), root.File(L"out").c_str(), nullptr, nullptr));
    for (size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(contents[i], ReadBytes(root.File(L"out\\in\\" + std::to_wstring(i) + L".bin"))) << sizes[i];
}

TEST(RootPath, HasNoNameOfItsOwn)
{
    for (const wchar_t* root : {L"D:\\", L"D:", L"d:/", L"\\\\srv\\share\\", L"\\\\srv\\share"})
        EXPECT_TRUE(IsRootPath(root)) << root;
    for (const wchar_t* path :
         {L"D:\\work", L"D:\\work\\", L"\\\\srv\\share\\docs", L"\\\\srv", L"\\\\?\\C:\\", L"docs"})
        EXPECT_FALSE(IsRootPath(path)) << path;
}

class Extraction : public ::testing::Test {
protected:
    std::wstring Out() const { return root_.File(L"out"); }
    ExtractResult Extract(const std::string& bytes, ExtractReport* report = nullptr)
    {
        EXPECT_TRUE(WriteBytes(root_.File(L"a.zip"), bytes));
        return ExtractArchive(root_.File(L"a.zip").c_str(), Out().c_str(), nullptr, report);
    }
    TempFolder root_;
};

struct NameCase {
    std::string stored;  // "<root>" stands for the folder holding the archive and the destination
    Tree written = {};   // what the entry adds below the destination
    uint16_t flag = 0;
    std::string extra = "";
};

// The entry extracted between two others; what it added below the destination. Nothing lands beside it.
class EntryName : public Extraction, public ::testing::WithParamInterface<NameCase> {
protected:
    Tree ExtractBetweenTwo(ExtractReport* report)
    {
        RawEntry entry = StoredEntry(GetParam().stored, "x");
        if (const size_t at = entry.name.find("<root>"); at != std::string::npos)
            entry.name.replace(at, 6, Cp932(root_.Path()));
        entry.flag = GetParam().flag;
        entry.extra = GetParam().extra;
        const std::string archive = BuildZip({StoredEntry("before.txt", "1"), entry, StoredEntry("zafter.txt", "2")});
        EXPECT_EQ(kExtractDone, Extract(archive, report));
        EXPECT_EQ(ListTree(Out()).size() + 2, ListTree(root_.Path()).size());  // beside it the archive and "out\\"
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        for (const std::wstring& folder : {FolderOf(root_.Path()), std::wstring(current), std::wstring(L"C:")})
            EXPECT_FALSE(Exists(folder + L"\\evil")) << folder;
        EXPECT_EQ("1", ReadBytes(Out() + L"\\before.txt")) << "never written over";
        EXPECT_EQ("2", ReadBytes(Out() + L"\\zafter.txt"));
        Tree added = ListTree(Out());
        std::erase_if(added, [](const std::wstring& item) { return item == L"before.txt" || item == L"zafter.txt"; });
        return added;
    }
};
class SkippedEntryName : public EntryName {};
class WrittenEntryName : public EntryName {};

TEST_P(SkippedEntryName, IsCountedAndWritesNothing)
{
    ExtractReport report;
    EXPECT_EQ(Tree{}, ExtractBetweenTwo(&report));
    EXPECT_EQ(1u, report.skipped);
}

TEST_P(WrittenEntryName, WritesInsideTheDestination)
{
    ExtractReport report;
    EXPECT_EQ(GetParam().written, ExtractBetweenTwo(&report));
    EXPECT_EQ(0u, report.skipped);
}

constexpr uint16_t kUtf8 = 0x800;
const std::string kAa = Utf8Bytes(u8"\u3042");  // あ in UTF-8

std::vector<NameCase> Stored(const std::vector<std::string>& names, uint16_t flag)
{
    std::vector<NameCase> rows;
    for (const std::string& name : names)
        rows.push_back({.stored = name, .flag = flag});
    return rows;
}

std::vector<NameCase> SkippedNames()
{
    const std::vector<std::string> plain = {
        // leading out: parents, drives, streams, roots, UNC and device paths
        "..", "../evil", "..\\evil", "..\\/evil", "a/../../evil", "a/..", "a\\..\\..\\evil", "a/./b", ".", "./evil",
        "C:evil", "C:\\evil", "c:/evil", "a/b:stream", "file.txt:Zone.Identifier", "a:", "\\evil", "/evil",
        "\\\\srv\\share\\evil", "//srv/share/evil", "\\\\?\\C:\\evil", "\\\\.\\pipe\\evil",
        "\\\\.\\C:", "\\\\localhost\\C$\\evil", "<root>\\evil", "\\\\?\\<root>\\evil", "\\\\.\\<root>\\evil",
        // reserved device names, also with extensions and in folders
        "CON", "con", "PRN", "AUX", "NUL", "nul.txt", "a/NUL.tar.gz", "COM1", "com9.log", "LPT1", "lpt9.txt", "CONIN$",
        "conout$", "AUX .txt", "docs/CON/x.txt",
        // components ending in a dot or blank, empty components, wildcards, controls, cut characters
        "x.", "x ", "a./b", "a /b", "a//b", "a\\\\b", "a/*.txt", "a?b", "a<b", "a>b", "a|b", "a\"b", "tab\tname",
        "line\nfeed", "abc\x95", Cp932(L"表."), Cp932(L"表\\.."), std::string(300, 'n'), std::string(260, 'e'),
        std::string("a\0/../../evil", 13),
        // a file written before by this extraction, also in other case: never written over
        "before.txt", "BEFORE.TXT"};
    // flagged UTF-8: not UTF-8 at all, or decoding to a name leading out
    const std::vector<std::string> utf8 = {
        "bad\xC3\x28.txt",           "a\xC0\xAF..\xC0\xAF\x65vil", "\xED\xA0\x80.txt",
        Utf8Bytes(u8"../\u00E9vil"), Utf8Bytes(u8"C:\u00E9vil"),   Utf8Bytes(u8"COM\u00B9.txt"),
        Utf8Bytes(u8"lpt\u00B3"),    Utf8Bytes(u8"\u00E9vil."),    Repeated(kAa, 300)};
    std::vector<NameCase> rows = Stored(plain, 0);
    const std::vector<NameCase> flagged = Stored(utf8, kUtf8);
    rows.insert(rows.end(), flagged.begin(), flagged.end());
    rows.push_back({.stored = "safe.txt", .extra = UnicodePathExtra("safe.txt", "../evil")});
    return rows;
}
INSTANTIATE_TEST_SUITE_P(Names, SkippedEntryName, ::testing::ValuesIn(SkippedNames()));

const NameCase kWrittenNames[] = {
    // '/' and '\' both separate; "表" and "ソ" end in the byte 0x5C and are no separators
    {.stored = "a.txt", .written = {L"a.txt"}},
    {.stored = "docs/", .written = {L"docs\\"}},
    {.stored = "docs\\", .written = {L"docs\\"}},
    {.stored = "docs/a.txt", .written = {L"docs\\", L"docs\\a.txt"}},
    {.stored = "docs\\sub\\b.txt", .written = {L"docs\\", L"docs\\sub\\", L"docs\\sub\\b.txt"}},
    {.stored = Cp932(L"a/表/c/"), .written = {L"a\\", L"a\\表\\", L"a\\表\\c\\"}},
    {.stored = ".profile", .written = {L".profile"}},
    {.stored = "...a", .written = {L"...a"}},
    {.stored = "CONSOLE.txt", .written = {L"CONSOLE.txt"}},
    {.stored = "COM10", .written = {L"COM10"}},
    {.stored = "COM", .written = {L"COM"}},
    {.stored = "com1x.txt", .written = {L"com1x.txt"}},
    {.stored = "nullish", .written = {L"nullish"}},
    {.stored = "file name.txt", .written = {L"file name.txt"}},
    {.stored = Cp932(L"表"), .written = {L"表"}},
    {.stored = Cp932(L"表/"), .written = {L"表\\"}},
    {.stored = Cp932(L"docs/表/能.txt"), .written = {L"docs\\", L"docs\\表\\", L"docs\\表\\能.txt"}},
    {.stored = Cp932(L"ソ\\ソ"), .written = {L"ソ\\", L"ソ\\ソ"}},
    {.stored = "\x95\x5C/\x83\x5C", .written = {L"表\\", L"表\\ソ"}},  // the bytes themselves
    // names flagged UTF-8 or given by a Unicode Path field
    {.stored = Utf8Bytes(u8"日本/説明.txt"), .written = {L"日本\\", L"日本\\説明.txt"}, .flag = kUtf8},
    {.stored = Utf8Bytes(u8"\uD55C\uAD6D\uC5B4/\uBA54\uBAA8"),
     .written = {L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\uBA54\uBAA8"},
     .flag = kUtf8},
    {.stored = Utf8Bytes(u8"絵\U0001F600.txt"), .written = {L"絵\U0001F600.txt"}, .flag = kUtf8},
    {.stored = Repeated(kAa, 80), .written = {std::wstring(80, L'\u3042')}, .flag = kUtf8},
    {.stored = "cafe.txt",
     .written = {L"caf\u00E9.txt"},
     .extra = UnicodePathExtra("cafe.txt", Utf8Bytes(u8"caf\u00E9.txt"))},
    {.stored = "cafe.txt",
     .written = {L"cafe.txt"},
     .extra = UnicodePathExtra("renamed", Utf8Bytes(u8"caf\u00E9.txt"))},
};
INSTANTIATE_TEST_SUITE_P(Names, WrittenEntryName, ::testing::ValuesIn(kWrittenNames));

BOOL DiskFull(HANDLE file, const void* data, DWORD size, DWORD* written)  // once a file holds a block
{
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return GetFileSize(file, nullptr) < 32768 && WriteFile(file, data, size, written, nullptr);
}

BOOL Cancelling(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    PressCancelAt(L"ZIP書庫の解凍中");
    return WriteFile(file, data, size, written, nullptr);
}

struct DamagedCase {
    const char* name;
    std::string archive;
    ExtractResult result;
    Tree written = {};
    EntryWriteFunction writer = nullptr;
};

// a.txt, then b, then c.txt that is never reached.
std::string Around(RawEntry b)
{
    b.name = "b.txt";
    return BuildZip({StoredEntry("a.txt", "good"), b, StoredEntry("c.txt", "never")});
}

RawEntry Changed(RawEntry entry, int size, uint16_t flag, const char* cut = nullptr)
{
    entry.size += size;
    entry.flag = flag;
    for (size_t i = entry.data.size() / 2; cut && i < entry.data.size(); ++i)
        entry.data[i] = *cut;
    return entry;
}

// Refused before anything is written, or extracted whole.
std::vector<DamagedCase> RefusedOrWholeArchives()
{
    const RawEntry inner = StoredEntry("b.txt", "inner data");
    const std::string alone = LocalHeader(inner) + inner.data;
    const std::string record = CentralRecord(inner, 0);
    const RawEntry outer = StoredEntry("a.txt", alone);
    const std::string quoting = WithDirectory(
        LocalHeader(outer) + outer.data,
        CentralRecord(outer, 0) + CentralRecord(inner, static_cast<uint32_t>(LocalHeader(outer).size())), 2);
    RawEntry link = StoredEntry("link", "/etc");
    link.madeBy = (3 << 8) | 30;
    link.externalAttributes = 0120777u << 16;
    std::string junkEnd = BuildZip({StoredEntry("a.txt", "alpha")});
    for (size_t i = junkEnd.size() - 22; i < junkEnd.size(); ++i)
        junkEnd[i] = static_cast<char>(i * 37);
    const std::string whole = BuildZip({StoredEntry("a.txt", "alpha"), DeflatedEntry("b.txt", std::string(3000, 'b'))});
    // clang-format off
    return {
        {.name = "PlainText", .archive = "just some text", .result = kExtractNotArchive},
        {.name = "NoEntry", .archive = BuildZip({}), .result = kExtractDone},
        {.name = "EmptyFile", .archive = "", .result = kExtractNotArchive},
        {.name = "AllFF", .archive = std::string(300, '\xFF'), .result = kExtractNotArchive},
        {.name = "JunkInPlaceOfTheEndRecord", .archive = junkEnd, .result = kExtractRefused},
        {.name = "CutShortInsideAnEntry", .archive = whole.substr(0, 200), .result = kExtractRefused},
        {.name = "CutShortInsideTheEndRecord", .archive = whole.substr(0, whole.size() - 5), .result = kExtractRefused},
        {.name = "UnixLink", .archive = BuildZip({link, StoredEntry("link/passwd", "x"), StoredEntry("a.txt", "good")}),
         .result = kExtractDone, .written = {L"a.txt", L"link\\", L"link\\passwd"}},
        {.name = "OneEntryQuotesTheNext", .archive = quoting, .result = kExtractRefused},
        {.name = "DirectoryShorterThanItsCount", .archive = WithDirectory(alone, record, 3), .result = kExtractRefused},
        {.name = "TwoRecordsOfOneEntry", .archive = WithDirectory(alone, record + record, 2),
         .result = kExtractRefused},
    };
    // clang-format on
}

// Stopped at b.txt, a.txt whole.
std::vector<DamagedCase> ArchivesFailingAtB()
{
    const RawEntry big = DeflatedEntry("b", std::string(70000, 's'));
    const std::string beyondWhole(kWholeEntryLimit + 1000, 'x');
    RawEntry largeWrongCrc = DeflatedEntry("b", std::string(kWholeEntryLimit + 5, 'c'));
    largeWrongCrc.crc ^= 1;
    const std::string broken = std::string(100000, 'x') + "t";
    const std::string large(kWholeEntryLimit + 5, 'y');
    const Tree first = {L"a.txt"};
    const ExtractResult failed = kExtractFailed;
    // clang-format off
    return {
        {.name = "BrokenDeflateData", .archive = Around(Changed(DeflatedEntry("b", broken), 0, 0, "\xFF")),
         .result = failed, .written = first},
        {.name = "StreamShorterThanDeclared", .archive = Around(Changed(big, 100, 0)), .result = failed,
         .written = first},
        {.name = "BrokenDeflateDataPastTheWholeBuffer",
         .archive = Around(Changed(DeflatedEntry("b", beyondWhole + "t"), 0, 0, "\xFF")), .result = failed,
         .written = first},
        {.name = "LargeStreamShorterThanDeclared", .archive = Around(Changed(DeflatedEntry("b", large), 1000, 0)),
         .result = failed, .written = first},
        {.name = "LargeEntryNotMatchingItsCrc", .archive = Around(largeWrongCrc), .result = failed, .written = first},
        {.name = "Encrypted", .archive = Around(Changed(StoredEntry("b", "............cipher"), 0, 1)),
         .result = failed, .written = first},
        {.name = "DiskFull", .archive = Around(DeflatedEntry("b", std::string(600000, 'g'))), .result = failed,
         .written = first, .writer = DiskFull},
    };
    // clang-format on
}

class DamagedArchive : public Extraction, public ::testing::WithParamInterface<DamagedCase> {
protected:
    void ExtractOnlyWholeFiles(ExtractReport* report)
    {
        const DamagedCase& c = GetParam();
        const SeamGuard writer = OverrideEntryWriter(c.writer);
        EXPECT_EQ(c.result, Extract(c.archive, report));
        EXPECT_EQ(c.written, ListTree(Out()));
        EXPECT_EQ(!c.written.empty(), Exists(Out())) << "no folder made for nothing";
        EXPECT_EQ(nullptr, FindDialog(L"ZIP書庫の解凍中"));
    }
};
class FailingArchive : public DamagedArchive {};

TEST_P(DamagedArchive, LeavesOnlyWholeFiles)
{
    ExtractReport report;
    ExtractOnlyWholeFiles(&report);
}

TEST_P(FailingArchive, NamesTheEntryItStoppedAt)
{
    ExtractReport report;
    ExtractOnlyWholeFiles(&report);
    EXPECT_EQ(std::wstring(L"b.txt"), report.entry);
}

INSTANTIATE_TEST_SUITE_P(Archives, DamagedArchive, ::testing::ValuesIn(RefusedOrWholeArchives()), RowName);
INSTANTIATE_TEST_SUITE_P(Archives, FailingArchive, ::testing::ValuesIn(ArchivesFailingAtB()), RowName);

// A small entry in progress is finished first; a large one sees the cancel (the bar moved within it) and goes.
struct CancelCase {
    const char* name;
    std::string archive;
    Tree written;
    int cancelAt;  // the write that presses the cancel
    int barAtLeast = 0;
};
class CancelledExtraction : public Extraction, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledExtraction, KeepsTheWholeFilesBeforeTheCancel)
{
    const SeamGuard writer = OverrideEntryWriter(Cancelling);
    g_calls = 0;
    g_bar = 0;
    g_cancelAt = GetParam().cancelAt;
    EXPECT_EQ(kExtractCancelled, Extract(GetParam().archive));
    EXPECT_EQ(GetParam().written, ListTree(Out()));
    EXPECT_TRUE(g_question && g_question->Seen());
    g_question.reset();
    EXPECT_GE(g_bar, GetParam().barAtLeast);
    EXPECT_EQ(nullptr, FindDialog(L"ZIP書庫の解凍中"));
}

std::vector<CancelCase> Cancels()
{
    auto small = [](int i) { return StoredEntry("f" + std::to_string(i) + ".txt", "data"); };
    const std::string large =
        BuildZip({StoredEntry("a.txt", "a"), DeflatedEntry("big.bin", std::string(2 << 20, 'g'))});
    // clang-format off
    return {
        {.name = "BetweenSmallEntries", .archive = BuildZip({small(0), small(1), small(2), small(3)}),
         .written = {L"f0.txt", L"f1.txt", L"f2.txt"}, .cancelAt = 3},
        {.name = "InsideALargeEntry", .archive = large, .written = {L"a.txt"}, .cancelAt = 5, .barAtLeast = 10},
    };
    // clang-format on
}
INSTANTIATE_TEST_SUITE_P(Archives, CancelledExtraction, ::testing::ValuesIn(Cancels()), RowName);

// Archives of Python's zipfile and Info-ZIP, made by the build (sample_archives.py): every entry "<kind>/<size>"
// holds <kind>.unit repeated to its size, at sizes around each multiple of 256 KiB to past what is inflated whole.
// What extraction writes is compared as it comes, in place of the disk.
constexpr DWORD kCompareSpan = 1 << 20;
std::map<std::wstring, std::string> g_units;           // by kind: its unit
std::map<std::wstring, std::string> g_runs;            // by kind: its unit repeated past kCompareSpan
std::map<std::wstring, unsigned long long> g_matched;  // by "<kind>\\<size>": the bytes written so far, all as wanted

BOOL ComparingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    wchar_t path[2 * MAX_PATH] = L"";
    const std::wstring whole(path, GetFinalPathNameByHandleW(file, path, ARRAYSIZE(path), FILE_NAME_NORMALIZED));
    const size_t last = whole.rfind(L'\\');
    const size_t kindStart = whole.rfind(L'\\', last - 1) + 1;
    const std::wstring kind = whole.substr(kindStart, last - kindStart);
    std::string& unit = g_units[kind];
    if (unit.empty())
        unit = ReadBytes(BuildFile(PORUN_SAMPLE_ARCHIVES) + L"\\" + kind + L".unit");
    while (!unit.empty() && g_runs[kind].size() < kCompareSpan + unit.size())
        g_runs[kind] += unit;
    unsigned long long& matched = g_matched[whole.substr(kindStart)];
    for (DWORD done = 0; done < size;) {
        const DWORD take = std::min(size - done, kCompareSpan);
        if (unit.empty() || memcmp(static_cast<const char*>(data) + done, &g_runs[kind][matched % unit.size()], take))
            return FALSE;
        done += take;
        matched += take;
    }
    *written = size;
    return TRUE;
}

struct SampleCase {
    const char* name;
    const wchar_t* archive;
};
class OtherToolsArchive : public Extraction, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(OtherToolsArchive, ExtractsToTheBytesPackedAtEverySize)
{
    const std::wstring archive = BuildFile(PORUN_SAMPLE_ARCHIVES) + L"\\" + GetParam().archive;
    g_matched.clear();
    const SeamGuard writer = OverrideEntryWriter(ComparingWriter);
    ExtractReport report;
    ASSERT_EQ(kExtractDone, ExtractArchive(archive.c_str(), Out().c_str(), nullptr, &report)) << Utf8(report.entry);
    const std::vector<ListedEntry> entries = ListZip(archive);
    EXPECT_GT(entries.size(), 400u);
    for (const ListedEntry& entry : entries) {
        std::wstring name = Utf16(entry.name);
        const unsigned long long size = std::stoull(name.substr(name.find(L'/') + 1));
        std::replace(name.begin(), name.end(), L'/', L'\\');
        EXPECT_EQ(size, g_matched[name]) << entry.name;
        EXPECT_TRUE(Exists(Out() + L"\\" + name)) << entry.name;
    }
}

const SampleCase kSamples[] = {
    {.name = "PythonZipfile", .archive = L"zipfile.zip"},
    {.name = "InfoZip", .archive = L"infozip.zip"},
};
INSTANTIATE_TEST_SUITE_P(Tools, OtherToolsArchive, ::testing::ValuesIn(kSamples), RowName);

// Small and large files alike keep what they held; the times are the archive's.
TEST_F(Extraction, ASecondRunLeavesTheFilesThatAreThere)
{
    RawEntry first = DeflatedEntry("docs/a.txt", "first");
    first.dosDate = (((2021 - 1980) << 9 | 3 << 5 | 14) << 16) | (15 << 11 | 9 << 5 | 26 / 2);
    const std::string big(70000, 'f');
    ASSERT_EQ(kExtractDone, Extract(BuildZip({first, StoredEntry("docs/big.bin", big)})));
    ExtractReport report;
    ASSERT_EQ(kExtractDone, Extract(BuildZip({StoredEntry("docs/", ""), StoredEntry("docs/a.txt", "second, longer"),
                                              DeflatedEntry("docs/big.bin", std::string(80000, 's'))}),
                                    &report));
    EXPECT_EQ(2u, report.skipped);
    EXPECT_EQ(big, ReadBytes(Out() + L"\\docs\\big.bin"));
    EXPECT_EQ("first", ReadBytes(Out() + L"\\docs\\a.txt"));
    WIN32_FILE_ATTRIBUTE_DATA file;
    ASSERT_TRUE(GetFileAttributesExW((Out() + L"\\docs\\a.txt").c_str(), GetFileExInfoStandard, &file));
    FILETIME local;
    SYSTEMTIME time;
    FileTimeToLocalFileTime(&file.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &time);
    EXPECT_EQ(std::vector<int>({2021, 3, 14, 15, 9, 26}),
              std::vector<int>({time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond}));
    EXPECT_EQ(0, CompareFileTime(&file.ftCreationTime, &file.ftLastWriteTime));
}

// Skipped unread: the entry is encrypted, so reading it would stop the extraction.
TEST_F(Extraction, AnEntryNamedLikeTheArchiveIsSkippedUnread)
{
    const std::wstring archive = root_.Folder(L"out") + L"\\long archive name.zip";
    ASSERT_TRUE(WriteBytes(archive, "placeholder"));
    wchar_t shortPath[MAX_PATH] = L"";
    ASSERT_TRUE(GetShortPathNameW(archive.c_str(), shortPath, MAX_PATH));
    for (const std::string& name :
         {std::string("long archive name.zip"), std::string("LONG ARCHIVE NAME.ZIP"), Cp932(FileNameOf(shortPath))}) {
        const std::string bytes = BuildZip({Changed(StoredEntry(name, "overwritten"), 0, 1)});
        ASSERT_TRUE(WriteBytes(archive, bytes));
        ExtractReport report;
        EXPECT_EQ(kExtractDone, ExtractArchive(archive.c_str(), Out().c_str(), nullptr, &report)) << name;
        EXPECT_EQ(1u, report.skipped);
        EXPECT_EQ(bytes, ReadBytes(archive));
    }
}

}  // namespace
