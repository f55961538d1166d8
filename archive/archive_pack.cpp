#include "archive/archive_pack.h"

#include "archive/progress_dialog.h"
#include "archive/zip_packer.h"
#include "resources/string_ids.h"
#include "support/scoped_handle.h"

namespace {

// The archive's own name must be usable before a long packing starts: an
// existing file that may be replaced, or a new name the folder accepts.
bool CanTakeName(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
    ScopedFile probe(CreateFileA(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                                 nullptr));
    return probe.Valid();
}

// A new, unique temporary file in the archive's folder.
bool MakeTemporaryFile(const char* archivePath, char* temporary)
{
    char folder[MAX_PATH];
    lstrcpynA(folder, archivePath, sizeof folder);
    const char* own = GetFileNamePart(folder);
    if (!own)
        return false;
    folder[own - folder] = '\0';
    return GetTempFileNameA(folder, "prn", 0, temporary) != 0;
}

PackResult Finish(PackReport* report, PackResult result)
{
    report->result = result;
    return result;
}

}  // namespace

PackResult PackIntoArchive(const char* archivePath, const std::vector<std::string>& items, HWND owner,
                           PackReport* report)
{
    PackReport local;
    if (!report)
        report = &local;
    *report = PackReport();
    char temporary[MAX_PATH];
    if (!archivePath || !CanTakeName(archivePath) || !MakeTemporaryFile(archivePath, temporary))
        return Finish(report, kPackCreateFailed);

    ProgressDialog progress;
    progress.Show(owner);
    unsigned counter = 0;
    ZipPacker counting;
    for (const std::string& item : items)
        counting.PackItem(item.c_str(), 1, 0, &progress, &counter, 1);
    progress.SetTotal(counting.Work());
    char title[128];
    LoadStringA(GetModuleHandleA(nullptr), IDS_PACK_TITLE, title, sizeof title);
    progress.SetTitle(title);

    PackResult result = kPackDone;
    {
        ZipPacker packer;
        if (progress.IsCancelled()) {
            result = kPackCancelled;
        } else if (!packer.Open(temporary)) {
            result = kPackCreateFailed;
        } else {
            counter = 0;
            for (const std::string& item : items)
                packer.PackItem(item.c_str(), 1, 0, &progress, &counter, 0);
            report->skipped = packer.Skipped();
            if (packer.Failed())
                lstrcpynA(report->item, packer.FailedItem(), sizeof report->item);
            const bool closed = packer.Close();
            if (!closed && !packer.Failed())
                lstrcpynA(report->item, archivePath, sizeof report->item);
            if (progress.IsCancelled())
                result = kPackCancelled;
            else if (packer.Failed() || !closed)
                result = kPackFailed;
        }
    }
    if (result != kPackDone || !MoveFileExA(temporary, archivePath, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary);
        return Finish(report, result == kPackDone ? kPackCreateFailed : result);
    }
    return Finish(report, kPackDone);
}
