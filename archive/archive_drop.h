#pragma once
// What a drop on the group button does with archives: one ZIP archive is
// extracted into a new desktop folder that then opens; several items, a
// folder, or one other file with CTRL held are packed into a new archive on
// the desktop under a name the user confirms. The dropped paths are taken
// through the wide API, so names outside code page 932 reach the archive
// code intact. The steps below run on the window's thread; the extracting
// and packing between them on the job's (archive/archive_job.h).
#include "archive/archive_job.h"
#include "support/seam_guard.h"

#include <windows.h>
#include <shellapi.h>

// Where a drop stands after a step.
enum class ArchiveStep {
    kNotForArchives,  // not the archives' (no archive, an extraction cancelled, the name dialog closed)
    kDealt,           // extracted, packed, refused with a message, or stopped: nothing follows
    kWorking,         // the job works: its end is posted, and FinishArchiveDrop follows
};

// What the drop hands its job: the dropped paths, the desktop folder, the
// name after the first item, whether CTRL is held.
ArchiveDropInputs ReadArchiveDrop(HDROP drop);
// As the drop comes: what it is for, the questions it needs (the archive's
// name, whether to replace an archive of that name), the work started.
ArchiveStep BeginArchiveDrop(ArchiveJob& job);
// Once the work has ended: the job joined and its outcome told (messages,
// the extracted folder opened). A damaged archive, or a file that turned
// out to be none, dropped with CTRL goes on to be packed.
ArchiveStep FinishArchiveDrop(ArchiveJob& job);

// The file-system path of the user's desktop; false when it is unknown or
// does not fit in size characters (the buffer is written only on success).
bool GetDesktopFolder(wchar_t* buffer, DWORD size);

// Seams for tests: a desktop folder in place of the user's (L"" = unknown,
// null = the real one) and the call that opens the extracted folder.
SeamGuard OverrideDesktopFolder(const wchar_t* path);
using FolderOpenFunction = void (*)(HWND window, const wchar_t* folder);
SeamGuard OverrideFolderOpener(FolderOpenFunction opener);
