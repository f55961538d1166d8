#include "archive/zip_packer.h"

#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/progress_dialog.h"
#include "resources/string_ids.h"
#include "support/scoped_handle.h"
#include "support/system_helper.h"
#include "support/text_buffer.h"

#include <cstring>

ZipPacker::~ZipPacker()
{
    Close();
    if (buffer_) {
        g_systemHelper.Free(buffer_);
        buffer_ = nullptr;
    }
}

bool ZipPacker::Open(const char* archivePath)
{
    if (!archivePath)
        return false;
    if (!buffer_)
        buffer_ = static_cast<char*>(g_systemHelper.Alloc(kBufferSize));
    if (!buffer_)
        return false;
    Close();
    archivePath_ = archivePath;
    archive_ = zipOpen(archivePath, APPEND_STATUS_CREATE);
    return archive_ != nullptr;
}

bool ZipPacker::Close()
{
    if (!archive_)
        return false;
    const int result = zipClose(archive_, nullptr);
    archive_ = nullptr;
    return result == ZIP_OK;
}

const char* GetFileNamePart(const char* path)
{
    if (!path || !*path)
        return nullptr;
    const char* afterLast = nullptr;
    for (const char* p = CharNextA(path); *p; p = CharNextA(p)) {
        if (*p == '\\')
            afterLast = p + 1;
    }
    return afterLast;
}

const char* FindEntryNameStart(const char* path, int depth)
{
    if (!path || !*path || depth < 0)
        return nullptr;
    // Backslashes before the last whole character, from the end backwards.
    const char* last = path;
    for (const char* p = path; *p; p = CharNextA(p))
        last = p;
    int passed = 0;
    for (const char* p = last; p > path;) {
        p = CharPrevA(path, p);
        if (*p == '\\' && ++passed == depth + 1)
            return p + 1;
    }
    return nullptr;
}

namespace {

DWORD DosDateOf(const WIN32_FIND_DATAA& found)
{
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (static_cast<DWORD>(date) << 16) | time;
}

void ShowEntry(ProgressDialog* progress, UINT titleId, const char* path, unsigned value)
{
    if (progress->DueForDisplay()) {
        char title[128];
        LoadStringA(GetModuleHandleA(nullptr), titleId, title, sizeof title);
        progress->SetTitle(title);
        const char* own = GetFileNamePart(path);
        progress->SetText(own ? own : "");
    }
    progress->SetProgress(value);
}

}  // namespace

bool ZipPacker::PackItem(const char* path, int recurse, int depth, ProgressDialog* progress, unsigned* counter,
                         int countOnly)
{
    if (progress && progress->IsCancelled())
        return true;
    if (!path || !*path)
        return false;
    // The archive being written is never packed into itself.
    if (archivePath_ && lstrcmpiA(path, archivePath_) == 0)
        return false;

    const DWORD attributes = GetFileAttributesA(path);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    // A drive or share root has no name of its own: its items are packed as
    // if each had been dropped, so no name begins with "/" or holds a drive.
    wchar_t widePath[MAX_PATH];
    const bool root = recurse && folder && MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) &&
                      IsRootPath(widePath);
    const char* end = path + std::strlen(path);
    const char* last = CharPrevA(path, end);
    const char* separator = (last == end - 1 && *last == '\\') ? "" : "\\";
    if (recurse && folder) {
        TextBuffer pattern;
        pattern.Assign(path);
        pattern.Append(separator);
        pattern.Append("*.*");
        WIN32_FIND_DATAA found;
        ScopedFind search(pattern.GetText() ? FindFirstFileA(pattern.GetText(), &found) : INVALID_HANDLE_VALUE);
        if (search) {
            do {
                if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
                    continue;
                TextBuffer child;
                child.Assign(path);
                child.Append(separator);
                child.Append(found.cFileName);
                if (child.GetText())
                    PackItem(child.GetText(), recurse, root ? 0 : depth + 1, progress, counter, countOnly);
            } while (FindNextFileA(search.Get(), &found));
        }
    }
    if (root)
        return true;

    WIN32_FIND_DATAA self;
    {
        ScopedFind lookup(FindFirstFileA(path, &self));
        if (!lookup)
            return false;
    }
    zip_fileinfo info{};
    info.dosDate = DosDateOf(self);

    TextBuffer itemPath;
    itemPath.Assign(path);
    if (folder)
        itemPath.Append("\\");
    if (!itemPath.GetText())
        return false;
    const char* nameStart = FindEntryNameStart(itemPath.GetText(), depth);
    if (!nameStart)
        return false;

    if (counter)
        ++*counter;
    if (countOnly) {
        if (progress)
            ShowEntry(progress, IDS_PACK_COUNT_TITLE, itemPath.GetText(), 0);
        return true;
    }
    if (progress)
        ShowEntry(progress, IDS_PACK_TITLE, itemPath.GetText(), counter ? *counter : 0);

    // Inside the archive the separator is "/", as every unzip tool expects.
    TextBuffer name;
    name.Assign(nameStart);
    if (!name.GetText())
        return false;
    ToForwardSlashes(name.GetText());
    return WriteEntry(itemPath.GetText(), name.GetText(), info);
}

bool ZipPacker::WriteEntry(const char* path, const char* name, const zip_fileinfo& info)
{
    if (!archive_ || !buffer_)
        return false;
    if (zipOpenNewFileInZip(archive_, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK)
        return false;
    bool complete = false;
    ScopedFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.Get(), buffer_, kBufferSize, &read, nullptr))
                break;
            if (read == 0) {
                complete = true;
                break;
            }
            if (zipWriteInFileInZip(archive_, buffer_, read) < 0)
                break;
        }
    }
    zipCloseFileInZip(archive_);
    return complete;
}
