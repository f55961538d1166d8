#pragma once
// Extracts a ZIP archive into a folder through minizip: entries in archive
// order, folders recreated, file times restored, progress shown with a
// cancel between entries. Entries whose names would lead outside the folder
// are skipped; archives whose entries share data are refused whole.
#include <windows.h>

#include <unzip.h>

// False when an argument is missing or the file is no ZIP archive; true when
// the archive was opened, whatever happened to its entries. The owner
// defaults to the foreground window; cancelled is set to 1 when the user
// stopped the extraction.
bool ExtractArchive(const char* archivePath, const char* destination, HWND owner, int* cancelled);

// Writes the archive's current entry below destination. 0 on success and for
// a skipped entry (also one that would write over archivePath itself); a
// minizip error code (negative) that ends the extraction. A file whose data
// fails (read, write, CRC or size error) is deleted.
int ExtractCurrentEntry(unzFile archive, const char* destination, const char* archivePath);

// Creates every folder of path before each of its backslashes.
bool CreateFolderChain(const char* path);

// Stamps the file's creation and last-write time from a DOS date (high 16
// bits) and time (low 16 bits) taken as local time.
bool SetFileTimeFromDos(const char* path, DWORD dosDate);

// True when two entries' local header and data ranges overlap (the shape of
// the known decompression bombs); the archive is left on its first entry.
bool HasOverlappingEntries(unzFile archive);

// True when the file can be opened as a ZIP archive.
bool IsZipArchive(const char* path);

// Seam for tests: the call that writes extracted data (WriteFile by default).
using EntryWriteFunction = BOOL (*)(HANDLE file, const void* data, DWORD size, DWORD* written);
void OverrideEntryWriter(EntryWriteFunction writer);
