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

#include <map>
#include <memory>
#include <set>

using namespace support;

namespace {

// The progress window's cancel pressed in call g_cancelAt, the question answered OK; where the bar stood then.
int g_calls = 0, g_cancelAt = 0, g_bar = 0;
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

// Entry names sorted, each read as its flag says, one flagged UTF-8 marked "*", joined by blanks.
std::wstring Names(const std::wstring& archive)
{
    std::multiset<std::wstring> names;
    for (const ListedEntry& entry : ListZip(archive))
        names.insert(NameOf(entry) + (IsUtf8Name(entry) ? L"*" : L""));
    std::wstring out;
    for (const std::wstring& name : names)
        out += L" " + name;
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

// A command of the Unix system Wine runs on, run in folder and not waited for: Wine hands back no process. Its
// CreateSymbolicLinkW makes nothing; what ln -s makes, it lists as a reparse point.
// A file system that reports no link as one, and Windows' reparse tags on the items named for them.
const std::pair<const wchar_t*, DWORD> kTags[] = {
    {L"symlink.txt", IO_REPARSE_TAG_SYMLINK}, {L"junction", IO_REPARSE_TAG_MOUNT_POINT},
    {L"cloud", IO_REPARSE_TAG_CLOUD_6}, {L"dedup.bin", IO_REPARSE_TAG_DEDUP}};
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
BOOL RetaggedNext(HANDLE search, WIN32_FIND_DATAW* found) { return Retagged(FindNextFileW(search, found), found); }
constexpr FolderLister kRetagged{RetaggedFirst, RetaggedNext};

struct LinkCase {
    std::wstring folder, name, target;  // the link's folder in the root ('\\' last), its name, where it leads
};
struct PackCase {
    const char* name;
    std::vector<std::wstring> tree;     // made in the root: a trailing '\' makes a folder
    std::vector<std::wstring> dropped;  // packed in this order
    std::wstring names;
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
    unsigned counted[2] = {0, 0};
    for (int countOnly = 1; countOnly >= 0; --countOnly) {
        ZipPacker packer;
        ASSERT_TRUE(packer.Open((base + L"out.zip").c_str()));
        for (const std::wstring& item : GetParam().dropped)
            packer.PackItem(path(item).c_str(), 1, 0, nullptr, &counted[countOnly], countOnly);
        ASSERT_TRUE(packer.Close());
        EXPECT_EQ(countOnly ? L"" : GetParam().names, Names(base + L"out.zip"));
        EXPECT_EQ(GetParam().leftOut, packer.LeftOut());
    }
    const std::vector<ListedEntry> entries = ListZip(base + L"out.zip");
    EXPECT_EQ(std::vector<size_t>({entries.size(), entries.size()}), std::vector<size_t>({counted[0], counted[1]}));
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
}

INSTANTIATE_TEST_SUITE_P(Trees, PackedItems, ::testing::ValuesIn(std::vector<PackCase>{
    {"Folder", {L"docs\\", L"docs\\e\\", L"docs\\sub\\", L"docs\\a.txt", L"docs\\sub\\b.txt"}, {L"docs"},
     L"docs/ docs/a.txt docs/e/ docs/sub/ docs/sub/b.txt"},
    {"TwoFoldersOfOneName", {L"one\\", L"one\\same\\", L"one\\same\\f", L"two\\", L"two\\same\\", L"two\\same\\f"},
     {L"one\\same", L"two\\same"}, L"same/ same/ same/f same/f"},
    {"NamesEndingInTheByte5C", {L"ソ\\", L"ソ\\表\\", L"ソ\\表\\b.bin", L"ソ\\能.txt"}, {L"ソ"}, L"ソ/ ソ/能.txt ソ/表/ ソ/表/b.bin"},
    {"ArchiveInsideThePackedFolder", {L"a.txt"}, {L""}, L"p/ p/a.txt"},  // the folder p holding out.zip
    {"VanishedItem", {L"a.txt"}, {L"gone.txt", L"a.txt"}, L"a.txt"},
    {"CodePage932Names", {L"表.txt", L"ｶﾀｶﾅ.txt"}, {L"表.txt", L"ｶﾀｶﾅ.txt"}, L"表.txt ｶﾀｶﾅ.txt"},
    {"OtherNamesInUtf8", {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\U0001F600", L"\u301Cw"},
     {L"caf\u00E9.txt", L"\uD55C\uAD6D\uC5B4", L"\u301Cw"},
     L"caf\u00E9.txt* \u301Cw* \uD55C\uAD6D\uC5B4/* \uD55C\uAD6D\uC5B4/\U0001F600*"},
    // links inside a dropped folder are left out; a dropped link is what the user chose
    {.name = "LinkToItsOwnFolder", .tree = {L"docs\\", L"docs\\a.txt"}, .dropped = {L"docs"},
     .names = L"docs/ docs/a.txt", .links = {{L"docs\\", L"self", L"."}}, .leftOut = 1},
    {.name = "LinkOutOfTheDroppedFolder", .tree = {L"docs\\", L"docs\\a.txt", L"..\\home\\", L"..\\home\\secret.txt"},
     .dropped = {L"docs"}, .names = L"docs/ docs/a.txt", .links = {{L"docs\\", L"home", L"../../home"}}, .leftOut = 1},
    {.name = "DroppedLink", .tree = {L"real\\", L"real\\a.txt"}, .dropped = {L"shown"},
     .names = L"shown/ shown/a.txt", .links = {{L"", L"shown", L"real"}}},
    {.name = "LoopThroughALinkNotReportedAsOne", .tree = {L"docs\\", L"docs\\a.txt"}, .dropped = {L"docs"},
     .names = L"docs/ docs/a.txt", .links = {{L"docs\\", L"self", L"."}}, .leftOut = 1, .lister = &kRetagged},
    {.name = "WindowsLinksLeftOutOtherReparsePointsPacked", .tree = {L"d\\", L"d\\symlink.txt", L"d\\junction\\",
     L"d\\junction\\j.txt", L"d\\cloud\\", L"d\\cloud\\c.txt", L"d\\dedup.bin"}, .dropped = {L"d"},
     .names = L"d/ d/cloud/ d/cloud/c.txt d/dedup.bin", .leftOut = 2, .lister = &kRetagged},
}), RowName);

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

struct JobCase {
    const char* name;
    SourceReadFunction reader;
    PackResult result;
    std::wstring archive;  // afterwards
    unsigned skipped;
    int cancelAt = 0;  // the read that presses the cancel
};
class PackingJob : public ::testing::TestWithParam<JobCase> {};

TEST_P(PackingJob, NeverLeavesAHalfWrittenArchive)
{
    TempFolder root;
    const std::wstring base = root.Path() + L"\\";
    ASSERT_TRUE(WriteBytes(base + L"small.txt", "small") && WriteBytes(base + L"big.bin", std::string(2 << 20, 'b')));
    ASSERT_TRUE(WriteBytes(base + L"out.zip", "the older archive"));
    HANDLE lock = CreateFileW((base + (GetParam().reader ? L"none" : L"big.bin")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    g_calls = 0;
    g_cancelAt = GetParam().cancelAt;
    const Restore unlock{[lock] { CloseHandle(lock); }};
    const SeamGuard reader = OverrideSourceReader(GetParam().reader);
    PackReport report;
    EXPECT_EQ(GetParam().result, PackIntoArchive((base + L"out.zip").c_str(), {base + L"small.txt", base + L"big.bin"},
                                                 nullptr, &report));
    EXPECT_EQ(GetParam().result == kPackCancelled, g_question && g_question->Seen());
    g_question.reset();
    EXPECT_EQ(GetParam().skipped, report.skipped);
    const std::wstring afterwards = Utf16(ReadBytes(base + L"out.zip"));
    EXPECT_EQ(GetParam().archive, GetParam().result == kPackDone ? Names(base + L"out.zip") : afterwards);
    EXPECT_EQ(Tree({L"big.bin", L"out.zip", L"small.txt"}), ListTree(root.Path()));
}

INSTANTIATE_TEST_SUITE_P(Jobs, PackingJob, ::testing::ValuesIn(std::vector<JobCase>{
    {"CancelBetweenFiles", CancellingReader, kPackCancelled, L"the older archive", 0, 1},
    {"CancelInsideALargeFile", CancellingReader, kPackCancelled, L"the older archive", 0, 40},
    {"ReadFailure", FailingReader, kPackFailed, L"the older archive", 0},
    {"FileThatCannotBeOpened", nullptr, kPackDone, L"small.txt", 1},
}), RowName);

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
    NameCase(const char* stored) : stored(stored) {}
    NameCase(std::string stored, Tree written = {}, uint16_t flag = 0, std::string extra = "")
        : stored(std::move(stored)), written(std::move(written)), flag(flag), extra(std::move(extra)) {}
    std::string stored;  // "<root>" stands for the folder holding the archive and the destination
    Tree written;        // what the entry adds below the destination; empty: skipped
    uint16_t flag = 0;
    std::string extra;
};
class EntryNameOnExtraction : public Extraction, public ::testing::WithParamInterface<NameCase> {};

TEST_P(EntryNameOnExtraction, WritesInsideTheDestinationOrIsSkipped)
{
    RawEntry entry = StoredEntry(GetParam().stored, "x");
    if (const size_t at = entry.name.find("<root>"); at != std::string::npos)
        entry.name.replace(at, 6, Cp932(root_.Path()));
    entry.flag = GetParam().flag;
    entry.extra = GetParam().extra;
    ExtractReport report;
    EXPECT_EQ(kExtractDone, Extract(BuildZip({StoredEntry("before.txt", "1"), entry, StoredEntry("zafter.txt", "2")}),
                                    &report));
    Tree expected = GetParam().written;
    expected.insert(expected.end(), {L"before.txt", L"zafter.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, ListTree(Out()));
    EXPECT_EQ(GetParam().written.empty() ? 1u : 0u, report.skipped);
    EXPECT_EQ(ListTree(Out()).size() + 2, ListTree(root_.Path()).size());  // beside it only the archive and "out\\"
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    for (const std::wstring& folder : {FolderOf(root_.Path()), std::wstring(current), std::wstring(L"C:")})
        EXPECT_FALSE(Exists(folder + L"\\evil")) << folder;
}

constexpr uint16_t kUtf8 = 0x800;
const std::string kAa = u8"\u3042";  // あ in UTF-8

INSTANTIATE_TEST_SUITE_P(Names, EntryNameOnExtraction, ::testing::ValuesIn(std::vector<NameCase>{
    // leading out: parents, drives, streams, roots, UNC and device paths
    "..", "../evil", "..\\evil", "..\\/evil", "a/../../evil", "a/..", "a\\..\\..\\evil", "a/./b", ".", "./evil",
    "C:evil", "C:\\evil", "c:/evil", "a/b:stream", "file.txt:Zone.Identifier", "a:", "\\evil", "/evil",
    "\\\\srv\\share\\evil", "//srv/share/evil", "\\\\?\\C:\\evil", "\\\\.\\pipe\\evil", "\\\\.\\C:",
    "\\\\localhost\\C$\\evil", "<root>\\evil", "\\\\?\\<root>\\evil", "\\\\.\\<root>\\evil",
    // reserved device names, also with extensions and in folders
    "CON", "con", "PRN", "AUX", "NUL", "nul.txt", "a/NUL.tar.gz", "COM1", "com9.log", "LPT1", "lpt9.txt", "CONIN$",
    "conout$", "AUX .txt", "docs/CON/x.txt",
    // components ending in a dot or blank, empty components, wildcards, controls, cut characters
    "x.", "x ", "a./b", "a /b", "a//b", "a\\\\b", "a/*.txt", "a?b", "a<b", "a>b", "a|b", "a\"b", "tab\tname",
    "line\nfeed", "abc\x95", Cp932(L"表."), Cp932(L"表\\.."), std::string(300, 'n'), std::string(260, 'e'),
    std::string("a\0/../../evil", 13),
    // a file written before by this extraction, also in other case: never written over
    "before.txt", "BEFORE.TXT",
    // written: '/' and '\' both separate; "表" and "ソ" end in the byte 0x5C and are no separators
    {"a.txt", {L"a.txt"}}, {"docs/", {L"docs\\"}}, {"docs\\", {L"docs\\"}}, {"docs/a.txt", {L"docs\\", L"docs\\a.txt"}},
    {"docs\\sub\\b.txt", {L"docs\\", L"docs\\sub\\", L"docs\\sub\\b.txt"}},
    {"x/y/z.txt", {L"x\\", L"x\\y\\", L"x\\y\\z.txt"}},
    {Cp932(L"a/表/c/"), {L"a\\", L"a\\表\\", L"a\\表\\c\\"}}, {".profile", {L".profile"}}, {"a..b", {L"a..b"}},
    {"...a", {L"...a"}}, {"CONSOLE.txt", {L"CONSOLE.txt"}}, {"COM10", {L"COM10"}}, {"LPT0", {L"LPT0"}},
    {"COM", {L"COM"}}, {"com1x.txt", {L"com1x.txt"}}, {"nullish", {L"nullish"}}, {"file name.txt", {L"file name.txt"}},
    {Cp932(L"表"), {L"表"}}, {Cp932(L"表/"), {L"表\\"}},
    {Cp932(L"docs/表/能.txt"), {L"docs\\", L"docs\\表\\", L"docs\\表\\能.txt"}},
    {Cp932(L"ソ\\ソ"), {L"ソ\\", L"ソ\\ソ"}}, {Cp932(L"ポルン.txt"), {L"ポルン.txt"}},
    {Cp932(L"d\\表"), {L"d\\", L"d\\表"}}, {"\x95\x5C/\x83\x5C", {L"表\\", L"表\\ソ"}},  // the bytes themselves
    // names flagged UTF-8 or given by a Unicode Path field, and what decodes to a name leading out
    {u8"日本語/説明書.txt", {L"日本語\\", L"日本語\\説明書.txt"}, kUtf8}, {u8"caf\u00E9.txt", {L"caf\u00E9.txt"}, kUtf8},
    {u8"\uD55C\uAD6D\uC5B4/\uBA54\uBAA8", {L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\uBA54\uBAA8"}, kUtf8},
    {u8"絵\U0001F600.txt", {L"絵\U0001F600.txt"}, kUtf8}, {Repeated(kAa, 80), {std::wstring(80, L'\u3042')}, kUtf8},
    {"cafe.txt", {L"caf\u00E9.txt"}, 0, UnicodePathExtra("cafe.txt", u8"caf\u00E9.txt")},
    {"cafe.txt", {L"cafe.txt"}, 0, UnicodePathExtra("renamed", u8"caf\u00E9.txt")},
    {"safe.txt", {}, 0, UnicodePathExtra("safe.txt", "../evil")}, {"bad\xC3\x28.txt", {}, kUtf8},
    {"a\xC0\xAF..\xC0\xAF" "evil", {}, kUtf8}, {"\xED\xA0\x80.txt", {}, kUtf8}, {u8"../\u00E9vil", {}, kUtf8},
    {u8"C:\u00E9vil", {}, kUtf8}, {u8"COM\u00B9.txt", {}, kUtf8}, {u8"lpt\u00B3", {}, kUtf8},
    {u8"\u00E9vil.", {}, kUtf8}, {Repeated(kAa, 300), {}, kUtf8},
}));

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
    Tree written;
    EntryWriteFunction writer = nullptr;
    int cancelAt = 0, barAtLeast = 0;
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

std::vector<DamagedCase> DamagedCases()
{
    const RawEntry inner = StoredEntry("b.txt", "inner data");
    const std::string alone = LocalHeader(inner) + inner.data, record = CentralRecord(inner, 0);
    const RawEntry outer = StoredEntry("a.txt", alone);
    RawEntry link = StoredEntry("link", "/etc");
    link.madeBy = (3 << 8) | 30;
    link.externalAttributes = 0120777u << 16;
    std::string junkEnd = BuildZip({StoredEntry("a.txt", "alpha")});
    for (size_t i = junkEnd.size() - 22; i < junkEnd.size(); ++i)
        junkEnd[i] = static_cast<char>(i * 37);
    const RawEntry big = DeflatedEntry("b", std::string(70000, 's'));
    const std::string whole = BuildZip({StoredEntry("a.txt", "alpha"), DeflatedEntry("b.txt", std::string(3000, 'b'))});
    auto small = [](int i) { return StoredEntry("f" + std::to_string(i) + ".txt", "data"); };
    RawEntry largeWrongCrc = DeflatedEntry("b", std::string(kWholeEntryLimit + 5, 'c'));
    largeWrongCrc.crc ^= 1;
    return {
        {"PlainText", "just some text", kExtractNotArchive, {}}, {"NoEntry", BuildZip({}), kExtractDone, {}},
        {"EmptyFile", "", kExtractNotArchive, {}}, {"AllFF", std::string(300, '\xFF'), kExtractNotArchive, {}},
        {"JunkInPlaceOfTheEndRecord", junkEnd, kExtractRefused, {}},
        {"CutShortInsideAnEntry", whole.substr(0, 200), kExtractRefused, {}},
        {"CutShortInsideTheEndRecord", whole.substr(0, whole.size() - 5), kExtractRefused, {}},
        {"BrokenDeflateData", Around(Changed(DeflatedEntry("b", std::string(100000, 'x') + "t"), 0, 0, "\xFF")),
         kExtractFailed, {L"a.txt"}},
        {"StreamShorterThanDeclared", Around(Changed(big, 100, 0)), kExtractFailed, {L"a.txt"}},
        {"BrokenDeflateDataPastTheWholeBuffer",
         Around(Changed(DeflatedEntry("b", std::string(kWholeEntryLimit + 1000, 'x') + "t"), 0, 0, "\xFF")),
         kExtractFailed, {L"a.txt"}},
        {"LargeStreamShorterThanDeclared", Around(Changed(DeflatedEntry("b", std::string(kWholeEntryLimit + 5, 'y')),
         1000, 0)), kExtractFailed, {L"a.txt"}},
        {"LargeEntryNotMatchingItsCrc", Around(largeWrongCrc), kExtractFailed, {L"a.txt"}},
        {"Encrypted", Around(Changed(StoredEntry("b", "............cipher"), 0, 1)), kExtractFailed, {L"a.txt"}},
        {"DiskFull", Around(DeflatedEntry("b", std::string(600000, 'g'))), kExtractFailed, {L"a.txt"}, DiskFull},
        {"UnixLink", BuildZip({link, StoredEntry("link/passwd", "x"), StoredEntry("a.txt", "good")}), kExtractDone,
         {L"a.txt", L"link\\", L"link\\passwd"}},
        {"OneEntryQuotesTheNext", WithDirectory(LocalHeader(outer) + outer.data, CentralRecord(outer, 0) +
         CentralRecord(inner, static_cast<uint32_t>(LocalHeader(outer).size())), 2), kExtractRefused, {}},
        {"DirectoryShorterThanItsCount", WithDirectory(alone, record, 3), kExtractRefused, {}},
        {"TwoRecordsOfOneEntry", WithDirectory(alone, record + record, 2), kExtractRefused, {}},
        // a small entry in progress is finished first; a large one sees it (the bar moved within it) and goes
        {"CancelBetweenSmallEntries", BuildZip({small(0), small(1), small(2), small(3)}), kExtractCancelled,
         {L"f0.txt", L"f1.txt", L"f2.txt"}, Cancelling, 3},
        {"CancelInsideALargeEntry",
         BuildZip({StoredEntry("a.txt", "a"), DeflatedEntry("big.bin", std::string(2 << 20, 'g'))}), kExtractCancelled,
         {L"a.txt"}, Cancelling, 5, 10},
    };
}

class DamagedArchive : public Extraction, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedArchive, LeavesOnlyWholeFiles)
{
    const DamagedCase& c = GetParam();
    const SeamGuard writer = OverrideEntryWriter(c.writer);
    g_calls = g_bar = 0;
    g_cancelAt = c.cancelAt;
    ExtractReport report;
    EXPECT_EQ(c.result, Extract(c.archive, &report));
    EXPECT_EQ(c.written, ListTree(Out()));
    EXPECT_TRUE(c.result != kExtractFailed || std::wstring(L"b.txt") == report.entry) << report.entry;
    EXPECT_EQ(!c.written.empty(), Exists(Out()));
    EXPECT_EQ(c.cancelAt != 0, g_question && g_question->Seen());
    EXPECT_GE(g_bar, c.barAtLeast);
    EXPECT_EQ(nullptr, FindDialog(L"ZIP書庫の解凍中"));
    g_question.reset();
}

INSTANTIATE_TEST_SUITE_P(Archives, DamagedArchive, ::testing::ValuesIn(DamagedCases()), RowName);

// Archives of Python's zipfile and Info-ZIP, made by the build (sample_archives.py): every entry "<kind>/<size>"
// holds <kind>.unit repeated to its size, at sizes around each multiple of 256 KiB to past what is inflated whole.
// What extraction writes is compared as it comes, in place of the disk.
constexpr DWORD kCompareSpan = 1 << 20;
std::map<std::wstring, std::string> g_units, g_runs;  // by kind: its unit, and it repeated past kCompareSpan
std::map<std::wstring, unsigned long long> g_matched;  // by "<kind>\\<size>": the bytes written so far, all as wanted

BOOL ComparingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    wchar_t path[2 * MAX_PATH] = L"";
    const std::wstring whole(path, GetFinalPathNameByHandleW(file, path, ARRAYSIZE(path), FILE_NAME_NORMALIZED));
    const size_t last = whole.rfind(L'\\'), kindStart = whole.rfind(L'\\', last - 1) + 1;
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

INSTANTIATE_TEST_SUITE_P(Tools, OtherToolsArchive, ::testing::ValuesIn(std::vector<SampleCase>{
    {"PythonZipfile", L"zipfile.zip"}, {"InfoZip", L"infozip.zip"},
}), RowName);

// Small and large files alike keep what they held; the times are the archive's.
TEST_F(Extraction, ASecondRunLeavesTheFilesThatAreThere)
{
    RawEntry first = DeflatedEntry("docs/a.txt", "first");
    first.dosDate = (((2021 - 1980) << 9 | 3 << 5 | 14) << 16) | (15 << 11 | 9 << 5 | 26 / 2);
    const std::string big(70000, 'f');
    ASSERT_EQ(kExtractDone, Extract(BuildZip({first, StoredEntry("docs/big.bin", big)})));
    ExtractReport report;
    ASSERT_EQ(kExtractDone, Extract(BuildZip({StoredEntry("docs/", ""), StoredEntry("docs/a.txt", "second, longer"),
                                              DeflatedEntry("docs/big.bin", std::string(80000, 's'))}), &report));
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
    for (const std::string& name : {std::string("long archive name.zip"), std::string("LONG ARCHIVE NAME.ZIP"),
                                   Cp932(FileNameOf(shortPath))}) {
        const std::string bytes = BuildZip({Changed(StoredEntry(name, "overwritten"), 0, 1)});
        ASSERT_TRUE(WriteBytes(archive, bytes));
        ExtractReport report;
        EXPECT_EQ(kExtractDone, ExtractArchive(archive.c_str(), Out().c_str(), nullptr, &report)) << name;
        EXPECT_EQ(1u, report.skipped);
        EXPECT_EQ(bytes, ReadBytes(archive));
    }
}

}  // namespace
