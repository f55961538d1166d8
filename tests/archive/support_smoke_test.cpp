// The first rows of the archive tables, written on tests/support: archives
// built byte by byte go through the program's extraction and packing, and the
// trees and entries they leave are read back.
#include "support/files.h"
#include "support/zip.h"

#include "archive/zip_extract.h"
#include "archive/zip_packer.h"

#include <gtest/gtest.h>

using namespace support;

namespace {

TEST(SupportedArchive, AnEntryLeadingOutsideIsSkippedAndTheRestExtracts)
{
    TempFolder root;
    ASSERT_TRUE(WriteBytes(root.File("a.zip"), BuildZip({StoredEntry("a.txt", "alpha"), StoredEntry("../evil.txt", "x"),
                                                         DeflatedEntry("表/能.txt", std::string(3000, '\\'))})));
    ASSERT_EQ(kExtractDone, ExtractArchive(Wide(root.File("a.zip")).c_str(), Wide(root.File("out")).c_str(), nullptr));
    EXPECT_EQ(Tree({L"a.zip", L"out\\", L"out\\a.txt", L"out\\表\\", L"out\\表\\能.txt"}), ListTree(root.Path()));
    EXPECT_EQ(std::string(3000, '\\'), ReadBytes(root.File("out\\表\\能.txt")));
}

TEST(SupportedArchive, ADiskFullWhileWritingLeavesNoPartialFile)
{
    TempFolder root;
    Restore writer{[] { OverrideEntryWriter(nullptr); }};
    OverrideEntryWriter([](HANDLE, const void*, DWORD, DWORD* written) -> BOOL {
        *written = 0;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    });
    ASSERT_TRUE(WriteBytes(root.File("a.zip"), BuildZip({DeflatedEntry("big.bin", std::string(70000, 'b'))})));
    ExtractArchive(Wide(root.File("a.zip")).c_str(), Wide(root.File("out")).c_str(), nullptr, nullptr);
    EXPECT_FALSE(Exists(root.File("out\\big.bin")));
}

TEST(SupportedArchive, APackedFolderHoldsItsContentsThenItself)
{
    TempFolder root;
    ASSERT_TRUE(WriteBytes(root.Folder("ソ") + "\\表.txt", "hyou"));
    const std::string archive = root.File("p.zip");  // the packer keeps the path
    ZipPacker packer;
    ASSERT_TRUE(packer.Open(Wide(archive).c_str()));
    unsigned counted = 0;
    packer.PackItem(Wide(root.File("ソ")).c_str(), 1, 0, nullptr, &counted, 0);
    ASSERT_TRUE(packer.Close());
    bool whole = false;
    const std::vector<ListedEntry> entries = ListZip(archive, &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("ソ/表.txt", entries[0].name);
    EXPECT_EQ("hyou", entries[0].content);
    EXPECT_EQ("ソ/", entries[1].name);
}

}  // namespace
