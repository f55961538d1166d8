// Extraction: the tree an archive leaves, file times, damaged and hostile
// archives, and the cancel between entries.
#include "archive/zip_extract.h"
#include "common/test_support.h"
#include "resources/resource_ids.h"
#include "zip_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// An archive written into a fresh folder and extracted to its "out" folder.
class Extraction : public ::testing::Test {
protected:
    std::string Archive() const { return root_.File("a.zip"); }
    std::string Out() const { return root_.File("out"); }
    std::string Root() const { return root_.Path(); }

    ExtractResult Extract(const std::string& bytes, ExtractReport* report = nullptr)
    {
        EXPECT_TRUE(WriteFileBytes(Archive(), bytes));
        return ExtractArchive(Wide(Archive()).c_str(), Wide(Out()).c_str(), nullptr, report);
    }
    // Everything outside the destination: only the archive itself.
    void ExpectNothingOutside() const
    {
        Tree outside;
        for (const std::wstring& path : ListTree(root_.Path()))
            if (path.rfind(L"out\\", 0) != 0)
                outside.push_back(path);
        EXPECT_EQ(Tree({L"a.zip"}), outside);
    }
    void TearDown() override { OverrideEntryWriter(nullptr); }

    TempFolder root_;
};

TEST_F(Extraction, FoldersAndFilesInArchiveOrder)
{
    ASSERT_TRUE(Extract(BuildZip({FolderEntry("docs/"), StoredEntry("docs/a.txt", "alpha"),
                                  DeflatedEntry("docs/sub/b.txt", std::string(5000, 'b'))})));
    EXPECT_EQ(Tree({L"docs\\", L"docs\\a.txt", L"docs\\sub\\", L"docs\\sub\\b.txt"}), ListTree(Out()));
    EXPECT_EQ("alpha", ReadFileBytes(Out() + "\\docs\\a.txt"));
    EXPECT_EQ(std::string(5000, 'b'), ReadFileBytes(Out() + "\\docs\\sub\\b.txt"));
}

TEST_F(Extraction, MissingFolderEntriesAreCreated)
{
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("x/y/z.txt", "z")})));
    EXPECT_EQ(Tree({L"x\\", L"x\\y\\", L"x\\y\\z.txt"}), ListTree(Out()));
}

TEST_F(Extraction, BackslashNamesAndTrailByte5C)
{
    // "表" ends in the byte 0x5C: it is a file, not a folder.
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("d\\表", "t"), StoredEntry("ソ/能", "n")})));
    EXPECT_EQ(Tree({L"d\\", L"d\\表", L"ソ\\", L"ソ\\能"}), ListTree(Out()));
    EXPECT_EQ("t", ReadFileBytes(Out() + "\\d\\表"));
}

TEST_F(Extraction, FileTimesComeFromTheArchive)
{
    RawEntry entry = StoredEntry("t.txt", "time");
    entry.dosDate = (((2021 - 1980) << 9 | 3 << 5 | 14) << 16) | (15 << 11 | 9 << 5 | 26 / 2);
    ASSERT_TRUE(Extract(BuildZip({entry})));
    HANDLE file = CreateFileA((Out() + "\\t.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME created, written, local;
    GetFileTime(file, &created, nullptr, &written);
    CloseHandle(file);
    SYSTEMTIME time;
    FileTimeToLocalFileTime(&written, &local);
    FileTimeToSystemTime(&local, &time);
    EXPECT_EQ(2021, time.wYear);
    EXPECT_EQ(3, time.wMonth);
    EXPECT_EQ(14, time.wDay);
    EXPECT_EQ(15, time.wHour);
    EXPECT_EQ(9, time.wMinute);
    EXPECT_EQ(26, time.wSecond);
    EXPECT_EQ(0, CompareFileTime(&created, &written));
}

TEST_F(Extraction, SecondRunReplacesTheFirst)
{
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "first run, longer text")})));
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "second")})));
    EXPECT_EQ("second", ReadFileBytes(Out() + "\\a.txt"));
}

TEST_F(Extraction, EmptyArchiveIsAnArchiveWithNothingInIt)
{
    EXPECT_EQ(kExtractDone, Extract(BuildZip({})));
    EXPECT_FALSE(FileExists(Out()));
}

TEST_F(Extraction, NotAnArchive)
{
    EXPECT_FALSE(Extract("just some text, not a zip archive at all"));
    EXPECT_FALSE(Extract(""));
    EXPECT_FALSE(Extract(std::string(300, '\xFF')));
    EXPECT_FALSE(FileExists(Out()));
    EXPECT_FALSE(ExtractArchive(nullptr, Wide(Out()).c_str(), nullptr, nullptr));
    EXPECT_FALSE(ExtractArchive(Wide(Archive()).c_str(), nullptr, nullptr, nullptr));
}

// An entry that cannot be read whole stops the extraction there; nothing
// damaged is left and the entries before it stay.
struct DamagedEntryCase {
    const char* label;
    RawEntry (*make)();
};

class DamagedEntry : public Extraction, public ::testing::WithParamInterface<DamagedEntryCase> {};

TEST_P(DamagedEntry, StopsThereAndLeavesNoDamagedFile)
{
    ExtractReport report;
    EXPECT_EQ(kExtractFailed,
              Extract(BuildZip({StoredEntry("a.txt", "good"), GetParam().make(), StoredEntry("c.txt", "never")}),
                      &report));
    EXPECT_EQ(Tree({L"a.txt"}), ListTree(Out()));
    EXPECT_STREQ(L"b.txt", report.entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedEntry,
    ::testing::Values(
        DamagedEntryCase{"CrcMismatch",
                         [] {
                             RawEntry bad = StoredEntry("b.txt", "damaged data");
                             bad.crc ^= 1;
                             return bad;
                         }},
        DamagedEntryCase{"BrokenDeflateData",
                         [] {
                             RawEntry bad = DeflatedEntry("b.txt", std::string(100000, 'x') + "tail");
                             for (size_t i = bad.data.size() / 2; i < bad.data.size(); ++i)
                                 bad.data[i] = '\xFF';
                             return bad;
                         }},
        DamagedEntryCase{"StreamShorterThanDeclared",
                         [] {
                             RawEntry bad = DeflatedEntry("b.txt", std::string(70000, 's'));
                             bad.size += 100;
                             return bad;
                         }},
        DamagedEntryCase{"StreamLongerThanDeclared",  // the CRC is of all of it
                         [] {
                             RawEntry bad = DeflatedEntry("b.txt", std::string(70000, 'l'));
                             bad.size -= 100;
                             return bad;
                         }},
        DamagedEntryCase{"Encrypted",
                         [] {
                             RawEntry bad = StoredEntry("b.txt", "............cipher");
                             bad.flag = 1;
                             return bad;
                         }},
        DamagedEntryCase{"UnknownMethod",
                         [] {
                             RawEntry bad = StoredEntry("b.txt", "not really lzma");
                             bad.method = 14;
                             return bad;
                         }}),
    [](const ::testing::TestParamInfo<DamagedEntryCase>& info) { return std::string(info.param.label); });

int g_writesBeforeFailure = 0;
BOOL FailingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    if (g_writesBeforeFailure-- <= 0) {
        *written = 0;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return WriteFile(file, data, size, written, nullptr);
}

TEST_F(Extraction, WriteFailureLeavesNoPartialFile)
{
    // The first file's one block is written, the second file fails after two blocks.
    g_writesBeforeFailure = 3;
    OverrideEntryWriter(FailingWriter);
    EXPECT_EQ(kExtractFailed, Extract(BuildZip({StoredEntry("a.txt", "good"),
                                                DeflatedEntry("big.bin", std::string(200000, 'g')),
                                                StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({L"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, SymbolicLinkEntriesAreSkipped)
{
    RawEntry link = StoredEntry("link", "/etc");
    link.madeBy = (3 << 8) | 30;
    link.externalAttributes = 0120777u << 16;
    ASSERT_TRUE(Extract(BuildZip({link, StoredEntry("link/passwd", "x"), StoredEntry("a.txt", "good")})));
    // The link is not written, so "link" becomes an ordinary folder.
    EXPECT_EQ(Tree({L"a.txt", L"link\\", L"link\\passwd"}), ListTree(Out()));
}

TEST_F(Extraction, NamesLongerThanTheBufferAreSkipped)
{
    const std::string longName(300, 'n');
    const std::string exact(260, 'e');
    ASSERT_TRUE(Extract(BuildZip({StoredEntry(longName, "l"), StoredEntry(exact, "e"),
                                  StoredEntry("a.txt", "good")})));
    EXPECT_EQ(Tree({L"a.txt"}), ListTree(Out()));
    // A NUL inside the stored name hides the rest; such an entry is skipped too.
    RemoveTree(Out());
    ASSERT_TRUE(Extract(BuildZip({StoredEntry(std::string("a\0/../../evil.txt", 17), "x"),
                                  StoredEntry("b.txt", "good")})));
    EXPECT_EQ(Tree({L"b.txt"}), ListTree(Out()));
    ExpectNothingOutside();
}

// A damaged archive is refused whole before anything is written.
std::string WithDirectory(const std::string& body, const std::string& central, uint16_t count)
{
    return body + central + EndRecord(count, static_cast<uint32_t>(central.size()), static_cast<uint32_t>(body.size()));
}

struct RefusedCase {
    const char* label;
    std::string (*make)();
};

class RefusedArchive : public Extraction, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedArchive, WritesNothing)
{
    EXPECT_EQ(kExtractRefused, Extract(GetParam().make()));
    EXPECT_FALSE(FileExists(Out()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedArchive,
    ::testing::Values(
        RefusedCase{"TwoEntriesShareTheirData",
                    [] {
                        const RawEntry shared = DeflatedEntry("a.txt", std::string(100000, 'a'));
                        return WithDirectory(LocalHeader(shared) + shared.data,
                                             CentralRecord(shared, 0) + CentralRecord(shared, 0), 2);
                    }},
        RefusedCase{"OneEntryQuotesTheNext",
                    [] {
                        const RawEntry inner = StoredEntry("b.txt", "inner data");
                        const RawEntry outer = StoredEntry("a.txt", LocalHeader(inner) + inner.data);
                        const uint32_t innerOffset = static_cast<uint32_t>(LocalHeader(outer).size());
                        return WithDirectory(LocalHeader(outer) + outer.data,
                                             CentralRecord(outer, 0) + CentralRecord(inner, innerOffset), 2);
                    }},
        RefusedCase{"DirectoryShorterThanItsCount",
                    [] {
                        const RawEntry a = StoredEntry("a.txt", "alpha");
                        return WithDirectory(LocalHeader(a) + a.data, CentralRecord(a, 0), 3);
                    }},
        RefusedCase{"JunkInPlaceOfTheEndRecord",
                    [] {
                        std::string bytes = BuildZip({StoredEntry("a.txt", "alpha")});
                        for (size_t i = bytes.size() - 22; i < bytes.size(); ++i)
                            bytes[i] = static_cast<char>(i * 37);
                        return bytes;
                    }}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.label); });

TEST_F(Extraction, ArchiveCutShortAtAnyOffsetEndsCleanly)
{
    const std::string whole = BuildZip({StoredEntry("a.txt", "alpha"), DeflatedEntry("b.txt", std::string(3000, 'b')),
                                        FolderEntry("c/"), StoredEntry("c/d.txt", "delta")});
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        SCOPED_TRACE(cut);
        Extract(whole.substr(0, cut));
        // Whatever was written is complete and correct.
        for (const std::wstring& path : ListTree(Out())) {
            if (path == L"a.txt")
                EXPECT_EQ("alpha", ReadFileBytes(Out() + "\\a.txt"));
            else if (path == L"b.txt")
                EXPECT_EQ(std::string(3000, 'b'), ReadFileBytes(Out() + "\\b.txt"));
            else if (path == L"c\\d.txt")
                EXPECT_EQ("delta", ReadFileBytes(Out() + "\\c\\d.txt"));
            else
                EXPECT_EQ(L"c\\", path);
        }
        RemoveTree(Out());
    }
}

class HostileNameExtraction : public Extraction, public ::testing::WithParamInterface<std::string> {};

TEST_P(HostileNameExtraction, IsSkippedAndTheRestExtracts)
{
    std::string name = GetParam();
    const std::string rootMarker = "<root>";
    const size_t at = name.find(rootMarker);
    if (at != std::string::npos)
        name.replace(at, rootMarker.size(), Root());
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    const std::string besideCurrent = std::string(current) + "\\porun-evil.txt";
    ASSERT_FALSE(FileExists(besideCurrent));

    ExtractReport report;
    EXPECT_EQ(kExtractDone, Extract(BuildZip({StoredEntry("before.txt", "1"), StoredEntry(name, "evil"),
                                              StoredEntry("after.txt", "2")}),
                                    &report));
    EXPECT_EQ(1u, report.skipped);
    EXPECT_EQ(Tree({L"after.txt", L"before.txt"}), ListTree(Out())) << name;
    ExpectNothingOutside();
    EXPECT_FALSE(FileExists(besideCurrent));
    EXPECT_FALSE(FileExists("C:\\porun-evil.txt"));
    DeleteFileA(besideCurrent.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNameExtraction,
    ::testing::Values("../porun-evil.txt", "..\\porun-evil.txt", "..\\/porun-evil.txt", "sub/../../porun-evil.txt",
                      "sub\\..\\..\\porun-evil.txt", "\\porun-evil.txt", "/porun-evil.txt", "C:porun-evil.txt",
                      "C:\\porun-evil.txt", "<root>\\porun-evil.txt", "\\\\?\\<root>\\porun-evil.txt",
                      "\\\\.\\<root>\\porun-evil.txt", "\\\\localhost\\C$\\porun-evil.txt", "CON", "nul.txt",
                      "sub/AUX.tar.gz", "COM1", "lpt3.log", "CONOUT$", "a.txt:hidden", "dot./porun-evil.txt",
                      "blank /porun-evil.txt", "trailing.", "sub//porun-evil.txt"));

// Names flagged UTF-8, given by a Unicode Path field or stored in code page
// 932 extract under their own names; what cannot be decoded, or decodes to a
// hostile name, is skipped and nothing lands outside the destination.
struct DecodedCase {
    const char* label;
    RawEntry entry;
    Tree written;  // what the entry adds to the tree; empty when it is skipped
};

RawEntry Named(const std::string& stored, uint16_t flag, const std::string& extra = "")
{
    RawEntry entry = StoredEntry(stored, "x");
    entry.flag = flag;
    entry.extra = extra;
    return entry;
}

std::string Repeated(const std::string& text, int times)
{
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

class DecodedName : public Extraction, public ::testing::WithParamInterface<DecodedCase> {};

TEST_P(DecodedName, ExtractsUnderItsOwnNameOrIsSkipped)
{
    ExtractReport report;
    EXPECT_EQ(kExtractDone, Extract(BuildZip({StoredEntry("before.txt", "1"), GetParam().entry,
                                              StoredEntry("after.txt", "2")}),
                                    &report));
    Tree expected = GetParam().written;
    expected.insert(expected.end(), {L"after.txt", L"before.txt"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, ListTree(Out()));
    EXPECT_EQ(GetParam().written.empty() ? 1u : 0u, report.skipped);
    ExpectNothingOutside();
}

constexpr uint16_t kUtf8 = 0x800;

INSTANTIATE_TEST_SUITE_P(
    Names, DecodedName,
    ::testing::Values(
        DecodedCase{"Japanese", Named(u8"日本語フォルダ/説明書.txt", kUtf8),
                    {L"日本語フォルダ\\", L"日本語フォルダ\\説明書.txt"}},
        DecodedCase{"Accented", Named(u8"caf\u00E9.txt", kUtf8), {L"caf\u00E9.txt"}},
        DecodedCase{"Korean", Named(u8"\uD55C\uAD6D\uC5B4/\uBA54\uBAA8.txt", kUtf8), {L"\uD55C\uAD6D\uC5B4\\", L"\uD55C\uAD6D\uC5B4\\\uBA54\uBAA8.txt"}},
        DecodedCase{"Emoji", Named(u8"絵文字\U0001F600.txt", kUtf8), {L"絵文字\U0001F600.txt"}},
        DecodedCase{"LongInBytesNotInCharacters", Named(Repeated(u8"あ", 80) + ".txt", kUtf8),
                    {std::wstring(80, L'あ') + L".txt"}},
        DecodedCase{"UnicodePathWithItsCrc", Named("cafe.txt", 0, UnicodePathExtra("cafe.txt", u8"caf\u00E9.txt")),
                    {L"caf\u00E9.txt"}},
        DecodedCase{"UnicodePathWithAnotherCrc", Named("cafe.txt", 0, UnicodePathExtra("renamed", u8"caf\u00E9.txt")),
                    {L"cafe.txt"}},
        DecodedCase{"InvalidUtf8", Named("bad\xC3\x28.txt", kUtf8), {}},
        DecodedCase{"OverlongSlash", Named("a\xC0\xAF" "..\xC0\xAF" "evil.txt", kUtf8), {}},
        DecodedCase{"EncodedSurrogate", Named("\xED\xA0\x80.txt", kUtf8), {}},
        DecodedCase{"CutDoubleByte", Named("abc\x95", 0), {}},
        DecodedCase{"DecodedParent", Named(u8"../\u00E9vil.txt", kUtf8), {}},
        DecodedCase{"DecodedDrive", Named(u8"C:\u00E9vil.txt", kUtf8), {}},
        DecodedCase{"DecodedDevice", Named(u8"COM\u00B9.txt", kUtf8), {}},
        DecodedCase{"DecodedTrailingDot", Named(u8"\u00E9vil.", kUtf8), {}},
        DecodedCase{"UnicodePathLeadingOut", Named("safe.txt", 0, UnicodePathExtra("safe.txt", "../evil.txt")), {}},
        DecodedCase{"LongerThanAPathInCharacters", Named(Repeated(u8"あ", 300) + ".txt", kUtf8), {}}),
    [](const ::testing::TestParamInfo<DecodedCase>& info) { return std::string(info.param.label); });

// An archive extracted into its own folder never writes over itself.
class SelfNamedEntry : public Extraction, public ::testing::WithParamInterface<const char*> {};

TEST_P(SelfNamedEntry, IsSkippedAndTheArchiveStaysIntact)
{
    const std::string bytes = BuildZip({StoredEntry(GetParam(), "overwritten"), StoredEntry("b.txt", "b")});
    CreateDirectoryA(Out().c_str(), nullptr);
    const std::string archive = Out() + "\\foo.zip";
    ASSERT_TRUE(WriteFileBytes(archive, bytes));
    EXPECT_EQ(kExtractDone, ExtractArchive(Wide(archive).c_str(), Wide(Out()).c_str(), nullptr, nullptr));
    EXPECT_EQ(bytes, ReadFileBytes(archive));
    EXPECT_EQ("b", ReadFileBytes(Out() + "\\b.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, SelfNamedEntry, ::testing::Values("foo.zip", "FOO.ZIP"));

// Presses the progress dialog's cancel button from inside a write (the
// question is answered with OK) and notes where the bar stood then.
int g_writeCalls = 0;
int g_cancelAtWrite = 0;
int g_barAtCancel = -1;
BOOL CancellingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    HWND progress = FindProcessDialog("ZIP書庫の解凍中");
    if (++g_writeCalls == g_cancelAtWrite && progress) {
        g_barAtCancel = static_cast<int>(SendDlgItemMessageA(progress, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
        PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    }
    return WriteFile(file, data, size, written, nullptr);
}

struct CancelCase {
    const char* label;
    std::vector<RawEntry> entries;
    int cancelAtWrite;
    Tree kept;
    int barAtLeast;  // the bar moves inside a large entry, not only between entries
};

class CancelledExtraction : public Extraction, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledExtraction, KeepsTheFinishedEntriesOnly)
{
    g_writeCalls = 0;
    g_cancelAtWrite = GetParam().cancelAtWrite;
    OverrideEntryWriter(CancellingWriter);
    ExactDialogAnswerer answer("=(o.o)=", IDOK);
    EXPECT_EQ(kExtractCancelled, Extract(BuildZip(GetParam().entries)));
    answer.Join();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(GetParam().kept, ListTree(Out()));
    EXPECT_GE(g_barAtCancel, GetParam().barAtLeast);
    EXPECT_EQ(nullptr, FindProcessDialog("ZIP書庫の解凍中"));
}

std::vector<RawEntry> TenSmallEntries()
{
    std::vector<RawEntry> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(StoredEntry("f" + std::to_string(i) + ".txt", "data " + std::to_string(i)));
    return entries;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CancelledExtraction,
    ::testing::Values(
        // A small entry in progress is finished first.
        CancelCase{"BetweenSmallEntries", TenSmallEntries(), 3, Tree({L"f0.txt", L"f1.txt", L"f2.txt"}), 0},
        // Inside a large entry the cancel is seen within it; its partial file goes.
        CancelCase{"InsideALargeEntry",
                   {StoredEntry("a.txt", "a"), DeflatedEntry("big.bin", std::string(2 << 20, 'g'))},
                   40,
                   Tree({L"a.txt"}),
                   10}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.label); });

TEST(CreateFolderChain, CreatesTheFoldersBeforeEachBackslash)
{
    TempFolder root;
    ASSERT_TRUE(CreateFolderChain((Wide(root.Path()) + L"\\a\\表\\c\\file.txt").c_str()));
    EXPECT_EQ(Tree({L"a\\", L"a\\表\\", L"a\\表\\c\\"}), ListTree(root.Path()));
    ASSERT_TRUE(CreateFolderChain((Wide(root.Path()) + L"\\x\\y\\").c_str()));
    EXPECT_TRUE(FileExists(root.Path() + "\\x\\y"));
    EXPECT_FALSE(CreateFolderChain(nullptr));
}

TEST(SetFileTimeFromDos, MissingFileIsFalse)
{
    TempFolder root;
    EXPECT_FALSE(SetFileTimeFromDos(Wide(root.File("missing.txt")).c_str(), 0x5A8C6000));
    EXPECT_FALSE(SetFileTimeFromDos(nullptr, 0x5A8C6000));
}

}  // namespace
