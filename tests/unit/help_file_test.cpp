// The compiled help file that the build puts beside porun.exe: the topic the
// program hands to the HTML Help control names it, and it holds the pages.
// The file's directory (ITSF header, ITSP directory, PMGL listing chunks) and
// its uncompressed #SYSTEM record are read by a small parser below; the page
// contents themselves are LZX-compressed and compared by their stored length.
#include "app/help.h"
#include "common/test_support.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct ChmEntry {
    uint64_t section = 0;
    uint64_t offset = 0;
    uint64_t length = 0;
};

struct ChmFile {
    std::map<std::string, ChmEntry> entries;
    uint64_t contentOffset = 0;  // start of section 0 (uncompressed data)
};

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

uint64_t Read64(const std::string& bytes, size_t at)
{
    uint64_t value = 0;
    std::memcpy(&value, bytes.data() + at, 8);
    return value;
}

// The directory's variable-length numbers: 7 bits a byte, most significant
// first, the high bit set on every byte but the last.
bool ReadEncodedInt(const std::string& bytes, size_t end, size_t& at, uint64_t& value)
{
    value = 0;
    for (int n = 0; n < 9 && at < end; ++n) {
        const unsigned char byte = static_cast<unsigned char>(bytes[at++]);
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// Fills chm from the file's bytes; false for anything that is not a
// well-formed version 3 CHM directory.
bool ParseChm(const std::string& bytes, ChmFile& chm)
{
    if (bytes.size() < 0x60 || bytes.compare(0, 4, "ITSF") != 0 || Read32(bytes, 4) != 3)
        return false;
    const uint64_t dirOffset = Read64(bytes, 0x48);
    const uint64_t dirLength = Read64(bytes, 0x50);
    chm.contentOffset = Read64(bytes, 0x58);
    if (dirOffset + dirLength > bytes.size() || dirLength < 0x54 || chm.contentOffset > bytes.size())
        return false;
    const size_t itsp = static_cast<size_t>(dirOffset);
    if (bytes.compare(itsp, 4, "ITSP") != 0)
        return false;
    const uint32_t headerLength = Read32(bytes, itsp + 8);
    const uint32_t chunkSize = Read32(bytes, itsp + 0x10);
    const int32_t firstChunk = static_cast<int32_t>(Read32(bytes, itsp + 0x20));
    const uint32_t chunkCount = Read32(bytes, itsp + 0x2C);
    if (chunkSize < 0x20 || headerLength + uint64_t(chunkSize) * chunkCount > dirLength)
        return false;
    int32_t chunk = firstChunk;
    for (uint32_t visited = 0; chunk != -1; ++visited) {
        if (chunk < 0 || static_cast<uint32_t>(chunk) >= chunkCount || visited >= chunkCount)
            return false;
        const size_t start = itsp + headerLength + size_t(chunk) * chunkSize;
        if (bytes.compare(start, 4, "PMGL") != 0)
            return false;
        const uint32_t freeSpace = Read32(bytes, start + 4);
        if (freeSpace > chunkSize - 0x14)
            return false;
        const size_t end = start + chunkSize - freeSpace;
        size_t at = start + 0x14;
        while (at < end) {
            uint64_t nameLength = 0;
            if (!ReadEncodedInt(bytes, end, at, nameLength) || at + nameLength > end)
                return false;
            const std::string name = bytes.substr(at, static_cast<size_t>(nameLength));
            at += static_cast<size_t>(nameLength);
            ChmEntry entry;
            if (!ReadEncodedInt(bytes, end, at, entry.section) || !ReadEncodedInt(bytes, end, at, entry.offset) ||
                !ReadEncodedInt(bytes, end, at, entry.length))
                return false;
            chm.entries[name] = entry;
        }
        chunk = static_cast<int32_t>(Read32(bytes, start + 0x10));
    }
    return !chm.entries.empty();
}

// The help file of this build: the program's path with the extension "chm".
std::string BuiltHelpPath()
{
    std::string path = BuiltProgramPath();
    return path.substr(0, path.rfind('.')) + ".chm";
}

// The help pages of the source tree, as they are stored ("/html/x.html").
std::vector<std::string> SourcePages()
{
    std::vector<std::string> pages;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(SourcePath("docs\\help\\html\\*.html").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return pages;
    do {
        pages.push_back(std::string("/html/") + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return pages;
}

class HelpFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes_ = ReadFileBytes(BuiltHelpPath());
        parsed_ = ParseChm(bytes_, chm_);
    }
    void TearDown() override { OverrideProgramPath(nullptr); }

    std::string bytes_;
    ChmFile chm_;
    bool parsed_ = false;
};

TEST_F(HelpFileTest, TopicNamesTheHelpFileTheBuildProduced)
{
    OverrideProgramPath(BuiltProgramPath().c_str());
    char topic[520] = {};
    ASSERT_TRUE(BuildHelpTopic(topic, sizeof topic));
    const std::string text = topic;
    const size_t split = text.find("::");
    ASSERT_NE(std::string::npos, split) << text;
    EXPECT_EQ(BuiltHelpPath(), text.substr(0, split));
    EXPECT_EQ("::/html/index.html", text.substr(split));
    EXPECT_TRUE(FileExists(text.substr(0, split))) << text;
}

TEST_F(HelpFileTest, RenamedProgramLooksForTheHelpFileUnderItsNewName)
{
    TempFolder folder;
    InstallProgramCopy(folder, "tools.exe");
    char topic[520] = {};
    ASSERT_TRUE(BuildHelpTopic(topic, sizeof topic));
    EXPECT_EQ(folder.File("tools.chm") + "::/html/index.html", std::string(topic));
}

TEST_F(HelpFileTest, HelpFileHoldsTheIndexPageAsCompiled)
{
    ASSERT_TRUE(parsed_) << BuiltHelpPath() << " is not a readable CHM file";
    const auto page = chm_.entries.find("/html/index.html");
    ASSERT_NE(chm_.entries.end(), page);
    // The stored page is the Shift-JIS page the build staged beside the file.
    const std::string stagedPath = BuiltHelpPath().substr(0, BuiltHelpPath().rfind('\\')) + "\\help-stage\\html\\index.html";
    const long long staged = FileSize(stagedPath);
    ASSERT_GT(staged, 0) << stagedPath;
    EXPECT_EQ(static_cast<uint64_t>(staged), page->second.length);
}

TEST_F(HelpFileTest, HelpFileHoldsEveryPageOfTheSources)
{
    ASSERT_TRUE(parsed_);
    const std::vector<std::string> pages = SourcePages();
    ASSERT_GE(pages.size(), 10u);
    for (const std::string& page : pages) {
        const auto entry = chm_.entries.find(page);
        ASSERT_NE(chm_.entries.end(), entry) << page;
        EXPECT_GT(entry->second.length, 0u) << page;
    }
    EXPECT_NE(chm_.entries.end(), chm_.entries.find("/toc.hhc"));
    EXPECT_NE(chm_.entries.end(), chm_.entries.find("/html/images/about.png"));
}

TEST_F(HelpFileTest, SystemRecordOpensTheIndexPageInJapanese)
{
    ASSERT_TRUE(parsed_);
    const auto system = chm_.entries.find("/#SYSTEM");
    ASSERT_NE(chm_.entries.end(), system);
    ASSERT_EQ(0u, system->second.section);  // stored uncompressed
    const uint64_t start = chm_.contentOffset + system->second.offset;
    ASSERT_LE(start + system->second.length, bytes_.size());
    const std::string record = bytes_.substr(static_cast<size_t>(start), static_cast<size_t>(system->second.length));
    std::string defaultTopic;
    uint32_t language = 0;
    for (size_t at = 4; at + 4 <= record.size();) {
        const uint16_t code = static_cast<uint16_t>(static_cast<unsigned char>(record[at]) | (static_cast<unsigned char>(record[at + 1]) << 8));
        const uint16_t length = static_cast<uint16_t>(static_cast<unsigned char>(record[at + 2]) | (static_cast<unsigned char>(record[at + 3]) << 8));
        at += 4;
        if (at + length > record.size())
            break;
        if (code == 2)
            defaultTopic = std::string(record.c_str() + at);
        if (code == 4 && length >= 4)
            language = Read32(record, at);
        at += length;
    }
    EXPECT_EQ("html/index.html", defaultTopic);
    EXPECT_EQ(0x411u, language);
}

TEST_F(HelpFileTest, ParserRefusesFilesThatAreNoHelpFile)
{
    // Guards the checks above against a parser that accepts anything.
    ChmFile other;
    EXPECT_FALSE(ParseChm(ReadFileBytes(BuiltProgramPath()), other));
    EXPECT_FALSE(ParseChm(std::string(), other));
    ASSERT_TRUE(parsed_);
    EXPECT_FALSE(ParseChm(bytes_.substr(0, bytes_.size() / 40), other));  // cut inside the directory
    std::string damaged = bytes_;
    damaged.replace(static_cast<size_t>(Read64(bytes_, 0x48)), 4, "XXXX");
    EXPECT_FALSE(ParseChm(damaged, other));
}

}  // namespace
