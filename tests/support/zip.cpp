#include "support/zip.h"

#include "archive/zip_io.h"

#include <unzip.h>
#include <zlib.h>

namespace support {

namespace {
// Little-endian fields of the given byte widths.
std::string Fields(std::initializer_list<std::pair<int, uint32_t>> fields)
{
    std::string out;
    for (const auto& [width, value] : fields)
        for (int byte = 0; byte < width; ++byte)
            out.push_back(static_cast<char>((value >> (8 * byte)) & 0xFF));
    return out;
}

uint32_t Crc(const std::string& bytes)
{
    const Bytef* data = reinterpret_cast<const Bytef*>(bytes.data());
    return static_cast<uint32_t>(crc32(0, data, static_cast<uInt>(bytes.size())));
}

// From the version needed to the extra field's length: the same in both headers.
std::string Common(const RawEntry& e)
{
    return Fields({{2, 20}, {2, e.flag}, {2, e.method}, {4, e.dosDate}, {4, e.crc}, {4, e.compressedSize}, {4, e.size},
                   {2, static_cast<uint32_t>(e.name.size())}, {2, static_cast<uint32_t>(e.extra.size())}});
}
}  // namespace

RawEntry StoredEntry(const std::string& name, const std::string& content)
{
    RawEntry entry{name, content};
    entry.crc = Crc(content);
    entry.compressedSize = entry.size = static_cast<uint32_t>(content.size());
    return entry;
}

RawEntry DeflatedEntry(const std::string& name, const std::string& content)
{
    RawEntry entry = StoredEntry(name, content);
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    entry.data.assign(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&entry.data[0]), &size, reinterpret_cast<const Bytef*>(content.data()),
              static_cast<uLong>(content.size()), Z_DEFAULT_COMPRESSION);
    entry.data = entry.data.substr(2, size - 6);  // the raw stream between zlib's header and its check value
    entry.method = 8;
    entry.compressedSize = static_cast<uint32_t>(entry.data.size());
    return entry;
}

RawEntry Claiming(RawEntry entry, uint64_t size)
{
    entry.size = 0xFFFFFFFF;
    const uint32_t low = static_cast<uint32_t>(size), high = static_cast<uint32_t>(size >> 32);
    entry.extra = Fields({{2, 0x0001}, {2, 8}, {4, low}, {4, high}});
    return entry;
}

std::string UnicodePathExtra(const std::string& crcOf, const std::string& utf8Name)
{
    return Fields({{2, 0x7075}, {2, static_cast<uint32_t>(5 + utf8Name.size())}, {1, 1}, {4, Crc(crcOf)}}) + utf8Name;
}

std::string LocalHeader(const RawEntry& e) { return Fields({{4, 0x04034b50}}) + Common(e) + e.name + e.extra; }

std::string CentralRecord(const RawEntry& e, uint32_t localOffset)
{
    return Fields({{4, 0x02014b50}, {2, e.madeBy}}) + Common(e) +
           Fields({{2, 0}, {2, 0}, {2, 0}, {4, e.externalAttributes}, {4, localOffset}}) + e.name + e.extra;
}

std::string WithDirectory(const std::string& body, const std::string& central, uint16_t count)
{
    const uint32_t size = static_cast<uint32_t>(central.size()), offset = static_cast<uint32_t>(body.size());
    return body + central +  // the end record
           Fields({{4, 0x06054b50}, {2, 0}, {2, 0}, {2, count}, {2, count}, {4, size}, {4, offset}, {2, 0}});
}

std::string BuildZip(const std::vector<RawEntry>& entries)
{
    std::string body, central;
    for (const RawEntry& entry : entries) {
        central += CentralRecord(entry, static_cast<uint32_t>(body.size()));
        body += LocalHeader(entry) + entry.data;
    }
    return WithDirectory(body, central, static_cast<uint16_t>(entries.size()));
}

std::vector<ListedEntry> ListZip(const std::wstring& path)
{
    std::vector<ListedEntry> entries;
    unzFile archive = OpenZipForReading(path.c_str());  // 64-bit offsets and wide names
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        unz_file_info info = {};
        char name[1024] = "";  // the move to the entry read its record already
        unzGetCurrentFileInfo(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        entries.push_back({name, static_cast<int>(info.compression_method), info.dosDate, info.flag});
    }
    unzClose(archive);  // refuses a null archive
    return entries;
}

}  // namespace support
