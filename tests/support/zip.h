#pragma once
// Archives built byte by byte, so that damaged and hostile ones can be made, and read back through minizip.
#include <cstdint>
#include <string>
#include <vector>

namespace support {

struct RawEntry {
    std::string name, data;  // data as stored (compressed for method 8)
    uint16_t method = 0, flag = 0, madeBy = 20;
    uint32_t crc = 0, compressedSize = 0, size = 0, externalAttributes = 0;
    uint32_t dosDate = 0x5A8C6000;  // 2025-04-12 12:00:00
    std::string extra;  // the same extra field in the local header and the directory
};
RawEntry StoredEntry(const std::string& name, const std::string& content);
RawEntry DeflatedEntry(const std::string& name, const std::string& content);
RawEntry Claiming(RawEntry entry, uint64_t size);  // its directory declares size bytes (a ZIP64 field), its data kept
// The Info-ZIP Unicode Path extra field (0x7075): utf8Name for an entry stored as crcOf.
std::string UnicodePathExtra(const std::string& crcOf, const std::string& utf8Name);
std::string LocalHeader(const RawEntry& entry);
std::string CentralRecord(const RawEntry& entry, uint32_t localOffset);
std::string BuildZip(const std::vector<RawEntry>& entries);  // local headers and data, central directory, end
// body, then the directory central of count records and its end record.
std::string WithDirectory(const std::string& body, const std::string& central, uint16_t count);

struct ListedEntry {
    std::string name;
    int method = -1;
    unsigned long dosDate = 0, flag = 0;
};
std::vector<ListedEntry> ListZip(const std::wstring& path);  // every entry of the archive in order

}  // namespace support
