#include "data/user_file.h"

#include "support/max_path.h"
#include "support/messages.h"
#include "support/path_text.h"

#include <utility>

namespace {
constexpr UserFileRetry kRetry = {31, 100, nullptr};  // about three seconds
UserFileRetry g_retry = kRetry;

// The files of this run that were there but could not be read.
constexpr int kKeptSlots = 8;
wchar_t g_kept[kKeptSlots][MAX_PATH];

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

int KeptSlotOf(const wchar_t* path)
{
    for (int slot = 0; slot < kKeptSlots; ++slot)
        if (g_kept[slot][0] && lstrcmpiW(g_kept[slot], path) == 0)
            return slot;
    return -1;
}

void ForgetKept(const wchar_t* path)
{
    const int slot = KeptSlotOf(path);
    if (slot >= 0)
        g_kept[slot][0] = L'\0';
}
}  // namespace

UserFileRetry& ActiveUserFileRetry() { return g_retry; }
void RestoreUserFileRetry() { g_retry = kRetry; }

UserFileRead ReadUserFile(const wchar_t* path, DWORD maxSize, ScopedHeapBlock* contents, DWORD* size,
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
        KeepUserFile(path);
    else if (path)
        ForgetKept(path);
    return result;
}

bool UserFileKept(const wchar_t* path)
{
    return path && KeptSlotOf(path) >= 0;
}

void KeepUserFile(const wchar_t* path)
{
    if (!path || UserFileKept(path))
        return;
    for (wchar_t* slot : g_kept) {
        if (!slot[0]) {
            lstrcpynW(slot, path, MAX_PATH);
            return;
        }
    }
}

void TellUserFileKept(HWND owner, const wchar_t* path)
{
    wchar_t text[kFormattedTextLimit + 1];
    if (UserFileKept(path) && FormatText(text, ARRAYSIZE(text), IDS_MSG_FILE_KEPT, FileNameOf(path)))
        ShowMessage(owner, text, MB_OK | MB_ICONERROR);
}
