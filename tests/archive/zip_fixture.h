#pragma once
// Test archives built byte by byte (so damaged and hostile ones can be made)
// and read back through minizip.
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
};

RawEntry StoredEntry(const std::string& name, const std::string& content);
RawEntry DeflatedEntry(const std::string& name, const std::string& content);
RawEntry FolderEntry(const std::string& name);

std::string LocalHeader(const RawEntry& entry);
std::string CentralRecord(const RawEntry& entry, uint32_t localOffset);
std::string EndRecord(uint16_t count, uint32_t centralSize, uint32_t centralOffset);
// Local headers with data, then the central directory and its end record.
std::string BuildZip(const std::vector<RawEntry>& entries);

struct ListedEntry {
    std::string name;
    std::string content;
    int method = -1;
    unsigned long dosDate = 0;
};
// Every entry of the archive in order; ok false when it cannot be read whole.
std::vector<ListedEntry> ListZip(const std::string& path, bool* ok = nullptr);

// Relative paths of everything below folder ("a\\b.txt", folders with a
// trailing backslash), sorted.
std::vector<std::string> ListTree(const std::string& folder);

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
