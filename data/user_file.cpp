#include "data/user_file.h"

#include "support/max_path.h"

#include <algorithm>
#include <utility>

namespace {
UserFileRetry g_retry = {31, 100, nullptr};  // about three seconds

bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool ReadExactly(HANDLE file, void* buffer, DWORD size)
{
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// One attempt; error holds the reason of an Unreadable answer.
UserFileRead ReadOnce(const wchar_t* path, DWORD maxSize, UserFileOversize oversize, ScopedHeapBlock* contents,
                      DWORD* size, DWORD* error)
{
    *error = 0;
    ScopedFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        *error = GetLastError();
        const bool missing = *error == ERROR_FILE_NOT_FOUND || *error == ERROR_PATH_NOT_FOUND;
        return missing ? UserFileRead::Missing : UserFileRead::Unreadable;
    }
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file.Get(), &length)) {
        *error = GetLastError();
        return UserFileRead::Unreadable;
    }
    if (length.QuadPart > maxSize && oversize == UserFileOversize::Refuse)
        return UserFileRead::TooLarge;
    const DWORD bytes = length.QuadPart > maxSize ? maxSize : static_cast<DWORD>(length.QuadPart);
    ScopedHeapBlock buffer(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes + 1));
    if (!buffer || !ReadExactly(file.Get(), buffer.Get(), bytes)) {
        *error = GetLastError();
        return UserFileRead::Unreadable;
    }
    *contents = std::move(buffer);
    *size = bytes;
    return UserFileRead::Done;
}

bool SamePath(const std::wstring& kept, const wchar_t* path)
{
    return lstrcmpiW(kept.c_str(), path) == 0;
}
}  // namespace

SeamGuard OverrideUserFileRetry(const UserFileRetry& retry)
{
    return OverrideSeam(g_retry, retry);
}

UserFileRead UserFiles::Read(const wchar_t* path, DWORD maxSize, ScopedHeapBlock* contents, DWORD* size,
                             UserFileOversize oversize)
{
    contents->Reset();
    *size = 0;
    UserFileRead result = UserFileRead::Unreadable;
    DWORD error = 0;
    if (path && PathFitsMaxPath(path)) {
        result = ReadOnce(path, maxSize, oversize, contents, size, &error);
        for (int attempt = 1; result == UserFileRead::Unreadable && HeldByAnother(error) && attempt < g_retry.attempts;
             ++attempt) {
            if (g_retry.onRetry)
                g_retry.onRetry(attempt);
            Sleep(g_retry.delay);  // the other program lets go within moments
            result = ReadOnce(path, maxSize, oversize, contents, size, &error);
        }
    }
    if (result == UserFileRead::Unreadable)
        Keep(path);
    else if (path)
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [path](const std::wstring& kept) { return SamePath(kept, path); }),
                    kept_.end());
    return result;
}

bool UserFiles::Kept(const wchar_t* path) const
{
    return path &&
           std::any_of(kept_.begin(), kept_.end(), [path](const std::wstring& kept) { return SamePath(kept, path); });
}

void UserFiles::Keep(const wchar_t* path)
{
    if (path && !Kept(path))
        kept_.push_back(path);
}

UserFileLoad UserFiles::LoadOf(const wchar_t* path, bool read) const
{
    return UserFileLoad{read, Kept(path) ? path : L""};
}

bool UserFiles::Replace(const wchar_t* path, const WritePiece* pieces, int count)
{
    wchar_t temp[MAX_PATH + 8];
    if (!path || !TemporaryPathFor(path, temp, MAX_PATH + 8))
        return false;
    if (Kept(path))
        return true;  // the user's own version stays
    if (listener_)
        listener_->BeforeChange(path, pieces, count);
    return ReplaceFileContents(path, pieces, count);
}

bool UserFiles::Remove(const wchar_t* path)
{
    if (Kept(path))
        return true;
    if (listener_)
        listener_->BeforeChange(path, nullptr, 0);
    return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
