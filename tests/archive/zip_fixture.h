#pragma once
// Test archives built byte by byte (so damaged and hostile ones can be made)
// and read back through minizip. Characters outside code page 932 are
// spelled as \u escapes in the tests: the test macros quote their arguments
// as text of the program's code page.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct RawEntry {
    std::string name;
    std::string data;  // bytes as stored (compressed for method 8)
    uint16_t method = 0;
    uint16_t flag = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t dosDate = 0x5A8C6000;  // 2025-04-12 12:00:00
    uint16_t madeBy = 20;
    uint32_t externalAttributes = 0;
    std::string extra;  // the same extra field in the local header and the directory
};

RawEntry StoredEntry(const std::string& name, const std::string& content);
RawEntry DeflatedEntry(const std::string& name, const std::string& content);
RawEntry FolderEntry(const std::string& name);

// The Info-ZIP Unicode Path extra field (0x7075) giving utf8Name for an entry
// stored as crcOf (the CRC-32 of that text goes in).
std::string UnicodePathExtra(const std::string& crcOf, const std::string& utf8Name);

std::string LocalHeader(const RawEntry& entry);
std::string CentralRecord(const RawEntry& entry, uint32_t localOffset);
std::string EndRecord(uint16_t count, uint32_t centralSize, uint32_t centralOffset);
// Local headers with data, then the central directory and its end record.
std::string BuildZip(const std::vector<RawEntry>& entries);

struct ListedEntry {
    std::string name;  // as stored
    std::string content;
    int method = -1;
    unsigned long dosDate = 0;
    unsigned long flag = 0;
};
// Every entry of the archive in order; ok false when it cannot be read whole.
std::vector<ListedEntry> ListZip(const std::string& path, bool* ok = nullptr);
std::vector<ListedEntry> ListZip(const std::wstring& path, bool* ok = nullptr);

// A path of the system code page in UTF-16.
std::wstring Wide(const std::string& text);

// Relative paths of everything below folder ("a\\b.txt", folders with a
// trailing backslash), sorted, in UTF-16 so that every name shows as it is.
using Tree = std::vector<std::wstring>;
Tree ListTree(const std::string& folder);
Tree ListTree(const std::wstring& folder);

// Files under names outside the system code page.
bool WriteFileWide(const std::wstring& path, const std::string& bytes);
std::string ReadFileWide(const std::wstring& path);

// Waits on another thread for a dialog of this process whose caption is
// exactly caption, and presses button in it.
class ExactDialogAnswerer {
public:
    ExactDialogAnswerer(std::string caption, int button, DWORD timeoutMs = 10000);
    ~ExactDialogAnswerer();
    ExactDialogAnswerer(const ExactDialogAnswerer&) = delete;
    ExactDialogAnswerer& operator=(const ExactDialogAnswerer&) = delete;
    void Join();
    bool Answered() const { return answered_; }

private:
    std::string caption_;
    int button_;
    DWORD timeoutMs_;
    volatile bool answered_ = false;
    HANDLE thread_ = nullptr;
    static DWORD WINAPI Run(void* self);
};
