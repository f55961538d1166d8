#include "archive/archive_pack.h"

#include "archive/zip_packer.h"
#include "resources/resource_ids.h"
#include "support/messages.h"
#include "support/path_text.h"
#include "support/progress_window.h"
#include "support/scoped_handle.h"

namespace {

// The archive's own name must be usable before a long packing starts: an
// existing file that may be replaced, or a new name the folder accepts.
bool CanTakeName(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
    ScopedFile probe(CreateFileW(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                                 nullptr));
    return static_cast<bool>(probe);
}

// A new, unique temporary file in the archive's folder.
bool MakeTemporaryFile(const wchar_t* archivePath, wchar_t* temporary)
{
    wchar_t folder[MAX_PATH];
    lstrcpynW(folder, archivePath, MAX_PATH);
    const wchar_t* last = LastBackslash(folder);
    if (!last)
        return false;
    folder[last + 1 - folder] = L'\0';
    return GetTempFileNameW(folder, L"prn", 0, temporary) != 0;
}

PackResult Finish(PackReport* report, PackResult result)
{
    report->result = result;
    return result;
}

}  // namespace

PackResult PackIntoArchive(const wchar_t* archivePath, const std::vector<std::wstring>& items, HWND owner,
                           PackReport* report)
{
    DeflatePool workers;
    ProgressDialog progress;
    return PackIntoArchive(archivePath, items, progress, owner, workers, report);
}

PackResult PackIntoArchive(const wchar_t* archivePath, const std::vector<std::wstring>& items,
                           ProgressDialog& progress, HWND owner, DeflatePool& workers, PackReport* report)
{
    PackReport local;
    if (!report)
        report = &local;
    *report = PackReport();
    if (!archivePath || !CanTakeName(archivePath))
        return Finish(report, kPackCreateFailed);

    progress.Show(owner);
    unsigned counter = 0;
    ZipPacker counting;
    for (const std::wstring& item : items)
        counting.PackItem(item.c_str(), 1, 0, &progress, &counter, 1);
    progress.SetTotal(counting.Work());
    wchar_t title[128];
    LoadText(IDS_PACK_TITLE, title, ARRAYSIZE(title));
    progress.SetTitle(title);

    // The temporary file is made when the packing starts and marked for
    // deletion by the packer at once, no progress served between the two: a
    // stop, a failure or the end of the process leaves nothing behind.
    PackResult result = kPackDone;
    wchar_t temporary[MAX_PATH] = L"";
    {
        ZipPacker packer(workers);
        if (progress.IsCancelled()) {
            result = kPackCancelled;
        } else if (!MakeTemporaryFile(archivePath, temporary) || !packer.Open(temporary)) {
            result = kPackCreateFailed;
        } else {
            counter = 0;
            for (const std::wstring& item : items)
                packer.PackItem(item.c_str(), 1, 0, &progress, &counter, 0);
            const bool closed = packer.Close();  // the last pieces written: a failure may come here
            report->skipped = packer.Skipped();
            report->leftOut = packer.LeftOut();
            if (packer.Failed())
                lstrcpynW(report->item, packer.FailedItem(), MAX_PATH);
            if (!closed && !packer.Failed())
                lstrcpynW(report->item, archivePath, MAX_PATH);
            if (progress.IsCancelled())
                result = kPackCancelled;
            else if (packer.Failed() || !closed)
                result = kPackFailed;
        }
    }
    if (result != kPackDone || !MoveFileExW(temporary, archivePath, MOVEFILE_REPLACE_EXISTING)) {
        if (*temporary)
            DeleteFileW(temporary);
        return Finish(report, result == kPackDone ? kPackCreateFailed : result);
    }
    return Finish(report, kPackDone);
}
