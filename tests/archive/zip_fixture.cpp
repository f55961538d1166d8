#include "zip_fixture.h"

#include "archive/zip_io.h"

#include <unzip.h>
#include <zlib.h>

#include <algorithm>

namespace {

void Put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

uint32_t Crc(const std::string& content)
{
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
}

void ListTreeInto(const std::wstring& root, const std::wstring& relative, Tree& out)
{
    WIN32_FIND_DATAW found;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(child + L"\\");
            ListTreeInto(root, child, out);
        } else {
            out.push_back(child);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

}  // namespace

RawEntry StoredEntry(const std::string& name, const std::string& content)
{
    RawEntry entry;
    entry.name = name;
    entry.data = content;
    entry.crc = Crc(content);
    entry.compressedSize = entry.size = static_cast<uint32_t>(content.size());
    return entry;
}

RawEntry DeflatedEntry(const std::string& name, const std::string& content)
{
    RawEntry entry = StoredEntry(name, content);
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    entry.method = 8;
    entry.data = out;
    entry.compressedSize = static_cast<uint32_t>(out.size());
    return entry;
}

RawEntry FolderEntry(const std::string& name)
{
    return StoredEntry(name, "");
}

std::string UnicodePathExtra(const std::string& crcOf, const std::string& utf8Name)
{
    std::string out;
    Put16(out, 0x7075);
    Put16(out, static_cast<uint32_t>(5 + utf8Name.size()));
    out.push_back(1);
    Put32(out, Crc(crcOf));
    return out + utf8Name;
}

std::string LocalHeader(const RawEntry& entry)
{
    std::string out;
    Put32(out, 0x04034b50);
    Put16(out, 20);
    Put16(out, entry.flag);
    Put16(out, entry.method);
    Put32(out, entry.dosDate);
    Put32(out, entry.crc);
    Put32(out, entry.compressedSize);
    Put32(out, entry.size);
    Put16(out, static_cast<uint32_t>(entry.name.size()));
    Put16(out, static_cast<uint32_t>(entry.extra.size()));
    out += entry.name;
    out += entry.extra;
    return out;
}

std::string CentralRecord(const RawEntry& entry, uint32_t localOffset)
{
    std::string out;
    Put32(out, 0x02014b50);
    Put16(out, entry.madeBy);
    Put16(out, 20);
    Put16(out, entry.flag);
    Put16(out, entry.method);
    Put32(out, entry.dosDate);
    Put32(out, entry.crc);
    Put32(out, entry.compressedSize);
    Put32(out, entry.size);
    Put16(out, static_cast<uint32_t>(entry.name.size()));
    Put16(out, static_cast<uint32_t>(entry.extra.size()));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, entry.externalAttributes);
    Put32(out, localOffset);
    out += entry.name;
    out += entry.extra;
    return out;
}

std::string EndRecord(uint16_t count, uint32_t centralSize, uint32_t centralOffset)
{
    std::string out;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, count);
    Put16(out, count);
    Put32(out, centralSize);
    Put32(out, centralOffset);
    Put16(out, 0);
    return out;
}

std::string BuildZip(const std::vector<RawEntry>& entries)
{
    std::string out;
    std::vector<uint32_t> offsets;
    for (const RawEntry& entry : entries) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        out += LocalHeader(entry);
        out += entry.data;
    }
    const uint32_t centralOffset = static_cast<uint32_t>(out.size());
    std::string central;
    for (size_t i = 0; i < entries.size(); ++i)
        central += CentralRecord(entries[i], offsets[i]);
    out += central;
    out += EndRecord(static_cast<uint16_t>(entries.size()), static_cast<uint32_t>(central.size()), centralOffset);
    return out;
}

std::vector<ListedEntry> ListZip(const std::string& path, bool* ok)
{
    return ListZip(Wide(path), ok);
}

std::vector<ListedEntry> ListZip(const std::wstring& path, bool* ok)
{
    std::vector<ListedEntry> entries;
    if (ok)
        *ok = false;
    unzFile archive = OpenZipForReading(path.c_str());
    if (!archive)
        return entries;
    bool whole = true;
    for (int status = unzGoToFirstFile(archive); status == UNZ_OK; status = unzGoToNextFile(archive)) {
        unz_file_info info;
        char name[1024];
        if (unzGetCurrentFileInfo(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
            whole = false;
            break;
        }
        ListedEntry entry;
        entry.name = name;
        entry.method = static_cast<int>(info.compression_method);
        entry.dosDate = info.dosDate;
        entry.flag = info.flag;
        if (unzOpenCurrentFile(archive) == UNZ_OK) {
            char buffer[4096];
            int read;
            while ((read = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0)
                entry.content.append(buffer, static_cast<size_t>(read));
            if (read < 0 || unzCloseCurrentFile(archive) != UNZ_OK)
                whole = false;
        } else {
            whole = false;
        }
        entries.push_back(entry);
    }
    unzClose(archive);
    if (ok)
        *ok = whole;
    return entries;
}

std::wstring Wide(const std::string& text)
{
    std::wstring out(text.size() + 1, L'\0');
    out.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], static_cast<int>(out.size()))));
    return out;
}

Tree ListTree(const std::wstring& folder)
{
    Tree out;
    ListTreeInto(folder, L"", out);
    std::sort(out.begin(), out.end());
    return out;
}

Tree ListTree(const std::string& folder)
{
    return ListTree(Wide(folder));
}

bool WriteFileWide(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadFileWide(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        bytes.append(block, read);
    CloseHandle(file);
    return bytes;
}

namespace {
struct ExactFind {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindExact(HWND window, LPARAM lParam)
{
    auto* request = reinterpret_cast<ExactFind*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32];
    char caption[256];
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(className, "#32770") == 0 && *request->caption == caption) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

ExactDialogAnswerer::ExactDialogAnswerer(std::string caption, int button, DWORD timeoutMs)
    : caption_(std::move(caption)), button_(button), timeoutMs_(timeoutMs)
{
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

ExactDialogAnswerer::~ExactDialogAnswerer()
{
    Join();
}

void ExactDialogAnswerer::Join()
{
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

DWORD WINAPI ExactDialogAnswerer::Run(void* self)
{
    auto* answerer = static_cast<ExactDialogAnswerer*>(self);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < answerer->timeoutMs_) {
        ExactFind request{&answerer->caption_, nullptr};
        EnumWindows(FindExact, reinterpret_cast<LPARAM>(&request));
        if (request.found) {
            Sleep(50);
            PostMessageA(request.found, WM_COMMAND, MAKEWPARAM(answerer->button_, BN_CLICKED), 0);
            answerer->answered_ = true;
            return 0;
        }
        Sleep(20);
    }
    return 0;
}
