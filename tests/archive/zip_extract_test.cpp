// Extraction: the tree an archive leaves, file times, damaged and hostile
// archives, and the cancel between entries.
#include "archive/zip_extract.h"

#include "archive/archive_ids.h"
#include "common/test_support.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tree = std::vector<std::string>;

// An archive written into a fresh folder and extracted to its "out" folder.
class Extraction : public ::testing::Test {
protected:
    std::string Archive() const { return root_.File("a.zip"); }
    std::string Out() const { return root_.File("out"); }
    std::string Root() const { return root_.Path(); }

    bool Extract(const std::string& bytes, int* cancelled = nullptr)
    {
        EXPECT_TRUE(WriteFileBytes(Archive(), bytes));
        return ExtractArchive(Archive().c_str(), Out().c_str(), nullptr, cancelled);
    }
    // Everything outside the destination: only the archive itself.
    void ExpectNothingOutside() const
    {
        Tree outside;
        for (const std::string& path : ListTree(root_.Path()))
            if (path.rfind("out\\", 0) != 0)
                outside.push_back(path);
        EXPECT_EQ(Tree({"a.zip"}), outside);
    }
    void TearDown() override { OverrideEntryWriter(nullptr); }

    TempFolder root_;
};

TEST_F(Extraction, FoldersAndFilesInArchiveOrder)
{
    ASSERT_TRUE(Extract(BuildZip({FolderEntry("docs/"), StoredEntry("docs/a.txt", "alpha"),
                                  DeflatedEntry("docs/sub/b.txt", std::string(5000, 'b'))})));
    EXPECT_EQ(Tree({"docs\\", "docs\\a.txt", "docs\\sub\\", "docs\\sub\\b.txt"}), ListTree(Out()));
    EXPECT_EQ("alpha", ReadFileBytes(Out() + "\\docs\\a.txt"));
    EXPECT_EQ(std::string(5000, 'b'), ReadFileBytes(Out() + "\\docs\\sub\\b.txt"));
}

TEST_F(Extraction, MissingFolderEntriesAreCreated)
{
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("x/y/z.txt", "z")})));
    EXPECT_EQ(Tree({"x\\", "x\\y\\", "x\\y\\z.txt"}), ListTree(Out()));
}

TEST_F(Extraction, BackslashNamesAndTrailByte5C)
{
    // "表" ends in the byte 0x5C: it is a file, not a folder.
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("d\\表", "t"), StoredEntry("ソ/能", "n")})));
    EXPECT_EQ(Tree({"d\\", "d\\表", "ソ\\", "ソ\\能"}), ListTree(Out()));
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
    int cancelled = -1;
    EXPECT_TRUE(Extract(BuildZip({}), &cancelled));
    EXPECT_EQ(0, cancelled);
    EXPECT_FALSE(FileExists(Out()));
}

TEST_F(Extraction, NotAnArchive)
{
    EXPECT_FALSE(Extract("just some text, not a zip archive at all"));
    EXPECT_FALSE(Extract(""));
    EXPECT_FALSE(Extract(std::string(300, '\xFF')));
    EXPECT_FALSE(FileExists(Out()));
    EXPECT_FALSE(ExtractArchive(nullptr, Out().c_str(), nullptr, nullptr));
    EXPECT_FALSE(ExtractArchive(Archive().c_str(), nullptr, nullptr, nullptr));
}

TEST_F(Extraction, CrcMismatchStopsAndLeavesNoDamagedFile)
{
    RawEntry bad = StoredEntry("b.txt", "damaged data");
    bad.crc ^= 1;
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), bad, StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, BrokenDeflateDataLeavesNoDamagedFile)
{
    RawEntry bad = DeflatedEntry("b.txt", std::string(100000, 'x') + "tail");
    for (size_t i = bad.data.size() / 2; i < bad.data.size(); ++i)
        bad.data[i] = '\xFF';
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), bad, StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, StreamShorterThanDeclaredLeavesNoFile)
{
    RawEntry shortEntry = DeflatedEntry("s.txt", std::string(70000, 's'));
    shortEntry.size += 100;  // the stream ends before the declared size
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), shortEntry})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, StreamLongerThanDeclaredLeavesNoFile)
{
    RawEntry longEntry = DeflatedEntry("l.txt", std::string(70000, 'l'));
    longEntry.size -= 100;  // more data than declared; the CRC is of all of it
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), longEntry})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

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
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), DeflatedEntry("big.bin", std::string(200000, 'g')),
                                  StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, EncryptedAndUnknownMethodsEndCleanly)
{
    RawEntry encrypted = StoredEntry("secret.txt", "............cipher");
    encrypted.flag = 1;
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), encrypted, StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
    RemoveTree(Out());

    RawEntry lzma = StoredEntry("packed.bin", "not really lzma");
    lzma.method = 14;
    ASSERT_TRUE(Extract(BuildZip({StoredEntry("a.txt", "good"), lzma, StoredEntry("c.txt", "never")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
}

TEST_F(Extraction, SymbolicLinkEntriesAreSkipped)
{
    RawEntry link = StoredEntry("link", "/etc");
    link.madeBy = (3 << 8) | 30;
    link.externalAttributes = 0120777u << 16;
    ASSERT_TRUE(Extract(BuildZip({link, StoredEntry("link/passwd", "x"), StoredEntry("a.txt", "good")})));
    // The link is not written, so "link" becomes an ordinary folder.
    EXPECT_EQ(Tree({"a.txt", "link\\", "link\\passwd"}), ListTree(Out()));
}

TEST_F(Extraction, NamesLongerThanTheBufferAreSkipped)
{
    const std::string longName(300, 'n');
    const std::string exact(260, 'e');
    ASSERT_TRUE(Extract(BuildZip({StoredEntry(longName, "l"), StoredEntry(exact, "e"),
                                  StoredEntry("a.txt", "good")})));
    EXPECT_EQ(Tree({"a.txt"}), ListTree(Out()));
    // A NUL inside the stored name hides the rest; such an entry is skipped too.
    RemoveTree(Out());
    ASSERT_TRUE(Extract(BuildZip({StoredEntry(std::string("a\0/../../evil.txt", 17), "x"),
                                  StoredEntry("b.txt", "good")})));
    EXPECT_EQ(Tree({"b.txt"}), ListTree(Out()));
    ExpectNothingOutside();
}

TEST_F(Extraction, OverlappingEntriesAreRefusedBeforeWriting)
{
    // Two central records point at the same local header and data.
    RawEntry shared = DeflatedEntry("a.txt", std::string(100000, 'a'));
    std::string bytes = LocalHeader(shared) + shared.data;
    std::string central = CentralRecord(shared, 0);
    RawEntry twinAtSame = shared;  // same name length, so minizip accepts the header
    twinAtSame.name = "a.txt";
    central += CentralRecord(twinAtSame, 0);
    const uint32_t centralOffset = static_cast<uint32_t>(bytes.size());
    bytes += central + EndRecord(2, static_cast<uint32_t>(central.size()), centralOffset);
    ASSERT_TRUE(Extract(bytes));
    EXPECT_FALSE(FileExists(Out()));
}

TEST_F(Extraction, QuotedOverlapIsRefusedBeforeWriting)
{
    // The first entry's stored data contains the second entry's local header and data.
    const RawEntry inner = StoredEntry("b.txt", "inner data");
    const std::string innerBytes = LocalHeader(inner) + inner.data;
    const RawEntry outer = StoredEntry("a.txt", innerBytes);
    std::string bytes = LocalHeader(outer) + outer.data;
    const uint32_t innerOffset = static_cast<uint32_t>(LocalHeader(outer).size());
    std::string central = CentralRecord(outer, 0) + CentralRecord(inner, innerOffset);
    const uint32_t centralOffset = static_cast<uint32_t>(bytes.size());
    bytes += central + EndRecord(2, static_cast<uint32_t>(central.size()), centralOffset);
    ASSERT_TRUE(Extract(bytes));
    EXPECT_FALSE(FileExists(Out()));
}

TEST_F(Extraction, ArchiveCutShortAtAnyOffsetEndsCleanly)
{
    const std::string whole = BuildZip({StoredEntry("a.txt", "alpha"), DeflatedEntry("b.txt", std::string(3000, 'b')),
                                        FolderEntry("c/"), StoredEntry("c/d.txt", "delta")});
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        SCOPED_TRACE(cut);
        Extract(whole.substr(0, cut));
        // Whatever was written is complete and correct.
        for (const std::string& path : ListTree(Out())) {
            if (path == "a.txt")
                EXPECT_EQ("alpha", ReadFileBytes(Out() + "\\a.txt"));
            else if (path == "b.txt")
                EXPECT_EQ(std::string(3000, 'b'), ReadFileBytes(Out() + "\\b.txt"));
            else if (path == "c\\d.txt")
                EXPECT_EQ("delta", ReadFileBytes(Out() + "\\c\\d.txt"));
            else
                EXPECT_EQ("c\\", path);
        }
        RemoveTree(Out());
    }
    // Junk in place of the central directory's end.
    std::string junk = whole;
    for (size_t i = junk.size() - 22; i < junk.size(); ++i)
        junk[i] = static_cast<char>(i * 37);
    EXPECT_FALSE(Extract(junk));
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

    ASSERT_TRUE(Extract(BuildZip({StoredEntry("before.txt", "1"), StoredEntry(name, "evil"),
                                  StoredEntry("after.txt", "2")})));
    EXPECT_EQ(Tree({"after.txt", "before.txt"}), ListTree(Out())) << name;
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

// An archive extracted into its own folder never writes over itself.
class SelfNamedEntry : public Extraction, public ::testing::WithParamInterface<const char*> {};

TEST_P(SelfNamedEntry, IsSkippedAndTheArchiveStaysIntact)
{
    const std::string bytes = BuildZip({StoredEntry(GetParam(), "overwritten"), StoredEntry("b.txt", "b")});
    CreateDirectoryA(Out().c_str(), nullptr);
    const std::string archive = Out() + "\\foo.zip";
    ASSERT_TRUE(WriteFileBytes(archive, bytes));
    EXPECT_TRUE(ExtractArchive(archive.c_str(), Out().c_str(), nullptr, nullptr));
    EXPECT_EQ(bytes, ReadFileBytes(archive));
    EXPECT_EQ("b", ReadFileBytes(Out() + "\\b.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, SelfNamedEntry, ::testing::Values("foo.zip", "FOO.ZIP"));

// Presses the progress dialog's cancel button from inside the third entry's
// writes and answers the question with OK.
int g_writeCalls = 0;
BOOL CancellingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    if (++g_writeCalls == 3) {
        HWND progress = FindProcessDialog("ZIP書庫の解凍中");
        if (progress)
            PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    }
    return WriteFile(file, data, size, written, nullptr);
}

TEST_F(Extraction, CancelStopsBetweenEntriesAndKeepsWhatWasWritten)
{
    std::vector<RawEntry> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(StoredEntry("f" + std::to_string(i) + ".txt", "data " + std::to_string(i)));
    g_writeCalls = 0;
    OverrideEntryWriter(CancellingWriter);
    ExactDialogAnswerer answer("=(o.o)=", IDOK);
    int cancelled = 0;
    ASSERT_TRUE(Extract(BuildZip(entries), &cancelled));
    answer.Join();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(1, cancelled);
    // The entry in progress is finished first.
    EXPECT_EQ(Tree({"f0.txt", "f1.txt", "f2.txt"}), ListTree(Out()));
    EXPECT_EQ(nullptr, FindProcessDialog("ZIP書庫の解凍中"));
}

TEST(CreateFolderChain, CreatesTheFoldersBeforeEachBackslash)
{
    TempFolder root;
    ASSERT_TRUE(CreateFolderChain((root.Path() + "\\a\\表\\c\\file.txt").c_str()));
    EXPECT_EQ(Tree({"a\\", "a\\表\\", "a\\表\\c\\"}), ListTree(root.Path()));
    ASSERT_TRUE(CreateFolderChain((root.Path() + "\\x\\y\\").c_str()));
    EXPECT_TRUE(FileExists(root.Path() + "\\x\\y"));
    EXPECT_FALSE(CreateFolderChain(nullptr));
}

TEST(SetFileTimeFromDos, MissingFileIsFalse)
{
    TempFolder root;
    EXPECT_FALSE(SetFileTimeFromDos(root.File("missing.txt").c_str(), 0x5A8C6000));
    EXPECT_FALSE(SetFileTimeFromDos(nullptr, 0x5A8C6000));
}

}  // namespace
