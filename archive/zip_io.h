#pragma once
// Archive files through minizip's 64-bit interface on Win32 file handles
// (iowin32), so that offsets and sizes past 4 GiB are the platform's to
// handle; what a file that minizip cannot open is; and the end records
// minizip leaves out for more than 65,535 entries.
#include <windows.h>

#include <unzip.h>
#include <zip.h>

// Null when the file cannot be opened or holds no ZIP directory.
unzFile OpenZipForReading(const wchar_t* path);
// A new archive written into file (open for reading and writing, empty),
// which stays open and the caller's after zipClose; null when it fails.
zipFile CreateZipFileOn(HANDLE file);

// While set, the file goes away when its last handle is closed, however
// the writing ends (an error, a cancel, the end of the process); false
// when the file system refused the mark.
bool MarkForDeletion(HANDLE file, bool remove);

// What a file is that OpenZipForReading refused.
enum ZipFileKind {
    kZipFileOther,    // not a ZIP archive at all
    kZipFileEmpty,    // nothing but an end record: an archive of no entries
    kZipFileDamaged,  // begins or ends like a ZIP archive, but its directory cannot be read
};
ZipFileKind ClassifyUnreadableZip(const wchar_t* path);

// minizip marks 65,535 or more entries with 0xFFFF in the end record but
// writes the ZIP64 end records only when the directory lies past 4 GiB.
// Adds them to the finished archive in file (open for reading and writing)
// holding entries entries; true when the archive needs none or they were
// added.
bool CompleteZip64EndRecords(HANDLE file, unsigned long long entries);
