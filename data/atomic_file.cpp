#include "data/atomic_file.h"

#include <cwchar>

namespace {
FileCalls g_calls = {CreateFileW, WriteFile, FlushFileBuffers, CloseHandle, MoveFileExW};

constexpr int kMoveAttempts = 5;
constexpr DWORD kMoveRetryDelay = 40;  // ms; a virus scanner or indexer may hold the file briefly

bool WriteAll(HANDLE file, const WritePiece* pieces, int count)
{
    for (int i = 0; i < count; ++i) {
        DWORD written = 0;
        if (!g_calls.writeFile(file, pieces[i].data, pieces[i].size, &written, nullptr) ||
            written != pieces[i].size)
            return false;
    }
    return true;
}
}  // namespace

FileCalls CurrentFileCalls()
{
    return g_calls;
}

SeamGuard OverrideFileCalls(const FileCalls& calls)
{
    return OverrideSeam(g_calls, calls);
}

bool TemporaryPathFor(const wchar_t* path, wchar_t* out, size_t size)
{
    static const wchar_t kSuffix[] = L".tmp";
    constexpr size_t kSuffixSize = sizeof kSuffix / sizeof kSuffix[0];
    const size_t length = std::wcslen(path);
    if (length + kSuffixSize > size)
        return false;
    std::wmemcpy(out, path, length);
    std::wmemcpy(out + length, kSuffix, kSuffixSize);
    return true;
}

bool ReplaceFileContents(const wchar_t* path, const WritePiece* pieces, int count)
{
    wchar_t temp[MAX_PATH + 8];
    if (!path || !TemporaryPathFor(path, temp, MAX_PATH + 8))
        return false;
    HANDLE file = g_calls.createFile(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, pieces, count) && g_calls.flushFileBuffers(file);
    ok = g_calls.closeHandle(file) && ok;

    if (ok) {
        ok = false;
        for (int attempt = 0; attempt < kMoveAttempts && !ok; ++attempt) {
            if (attempt > 0)
                Sleep(kMoveRetryDelay);
            ok = g_calls.moveFileEx(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }
    }
    if (!ok)
        DeleteFileW(temp);
    return ok;
}
