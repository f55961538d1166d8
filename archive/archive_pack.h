#pragma once
// One packing job: the counting pass, then the packing pass into a
// temporary file beside the archive, which takes the archive's name only
// when it is complete. A cancel or a failure removes the temporary file, so
// no half-written archive is ever left, and an older archive of the same
// name stays as it was.
#include <windows.h>

#include <string>
#include <vector>

class DeflatePool;
class ProgressDialog;

enum PackResult {
    kPackDone,
    kPackCancelled,      // stopped by the user (or a close): nothing was left behind
    kPackCreateFailed,   // the archive (or its temporary file) could not be created
    kPackFailed,         // an item could not be read, or the archive not written, while packing
};

struct PackReport {
    PackResult result = kPackCreateFailed;
    unsigned skipped = 0;      // files left out because they could not be opened
    unsigned leftOut = 0;      // links not followed, folders not listed to their end
    wchar_t item[MAX_PATH] = L"";  // kPackFailed: the item being packed
};

// Packs items (paths as dropped) into archivePath, showing its progress in
// progress (owned by owner) and deflating on workers. Silent: the caller
// tells the user.
PackResult PackIntoArchive(const wchar_t* archivePath, const std::vector<std::wstring>& items,
                           ProgressDialog& progress, HWND owner, DeflatePool& workers, PackReport* report);
// The same with a progress window and workers of its own.
PackResult PackIntoArchive(const wchar_t* archivePath, const std::vector<std::wstring>& items, HWND owner,
                           PackReport* report);
