#pragma once
// A small "name,value" text file: one named value per CR LF terminated line.
// Reading loads the whole file and looks names up in the raw text; writing
// collects the lines and puts them in place on Close, replacing the old file
// in one step so that a crash mid-write never leaves a half-written file.
#include "data/user_file.h"
#include "support/scoped_handle.h"

#include <windows.h>

// Files larger than this are refused (the program's files are tens of lines).
constexpr DWORD kKeyValueFileMaxSize = 1024 * 1024;

class KeyValueFile {
public:
    // A file among the user's files: read and written through files.
    explicit KeyValueFile(UserFiles& files) : files_(files) {}
    virtual ~KeyValueFile();
    KeyValueFile(const KeyValueFile&) = delete;
    KeyValueFile& operator=(const KeyValueFile&) = delete;

    // Reading: the whole file into memory; false when it is missing,
    // unreadable or larger than kKeyValueFileMaxSize. Writing: starts a new,
    // empty file that replaces path on Close (even with no line written);
    // false without a path.
    bool Open(const wchar_t* path, bool forWriting);

    // Reading as Open does, with what became of the file: one that is there
    // but held, unreadable or too large is not written for the rest of the run.
    UserFileRead Read(const wchar_t* path);

    // Reads the file called name in the program's folder as Read does, its
    // path at most pathSize characters with the terminator, and tells what
    // became of it: read, or held for the run. Nothing read without a path.
    UserFileLoad ReadBesideProgram(const wchar_t* name, DWORD pathSize);

    // The first line "name,value" whose name stands at a line start. value
    // becomes 0 first; an empty or non-numeric value reads as 0 with success.
    bool ReadNumber(const char* name, long* value) const;

    // Appends "name,value\r\n"; false unless open for writing.
    bool WriteNumber(const char* name, long value);

    // Ends reading or writing. For a file open for writing this puts the new
    // contents in place and answers whether that worked; otherwise true.
    // Also done by the destructor; afterwards every read or write is false.
    bool Close();

private:
    bool FindValue(const char* name, const char** start, const char** end) const;
    bool Reserve(DWORD needed);
    bool AppendLine(const char* name, const char* value, size_t valueLength);

    char* Text() const { return static_cast<char*>(text_.Get()); }

    UserFiles& files_;
    ScopedHeapBlock text_;  // read: the file and a NUL; write: the lines so far
    DWORD length_ = 0;
    DWORD capacity_ = 0;
    ScopedHeapBlock path_;  // write: the file to replace on Close
};
