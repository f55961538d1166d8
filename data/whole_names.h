#pragma once
// The names file: texts the data file's code page 932 fields cannot hold
// exactly, kept whole beside it for this launcher; older launchers read
// only the data file and never see it. The program's path with the
// extension "names" (porun.names, beside porun.dat): UTF-8 (a BOM is accepted on reading), CR
// LF lines, a first comment line starting with ";", then one line per such
// field (data/names_line.h).
#include "data/launcher_records.h"
#include "data/stored_layout.h"

#include <windows.h>

#include <cstddef>
#include <string>

// Larger than any names file the launcher writes (under 1 MiB): of a larger
// one, only the whole lines within its first kNamesFileReadLimit bytes are read.
constexpr DWORD kNamesFileReadLimit = 4 * 1024 * 1024;

// The names file's path: the data file's (data/data_file_path.h DataFilePath)
// with the extension "names". False when it does not fit.
bool NamesFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size);

// Applies the sound lines of [text, text + size) to data, each field at
// most once (the first line for it): its whole text replaces the field
// while the field is still what the line says the data file held. Anything
// else is passed over. Returns how many fields changed.
int ApplyNamesText(const char* text, size_t size, LauncherData* data);

// The names file's text for data as stored holds it: the comment line and a
// line for each field stored does not hold exactly. Empty when there is none.
std::string NamesTextFor(const LauncherData& data, const StoredData& stored);

class UserFiles;

// Reads the names file at path into data, if it is there.
void ReadNamesFile(const wchar_t* path, LauncherData* data, UserFiles& files);

// Writes the names file for data as stored holds it (data/user_file.h);
// with no line to write, removes one that is there. A file that could not be
// read this run is left as it is.
bool WriteNamesFile(const wchar_t* path, const LauncherData& data, const StoredData& stored, UserFiles& files);
