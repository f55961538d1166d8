#pragma once
// The usage file: what the launcher started and how much (data/usage_rank.h),
// by path, kept beside the data file with the extension "usage" (porun.usage
// beside porun.dat). UTF-8 text, CR LF lines: a first comment line starting
// with ";", the line "version<TAB>1", then one line per target:
//     <last start, seconds since 1970 UTC><TAB><score><TAB><starts><TAB><path>
// At most kUsageLimit targets are kept: the least used go first. Written
// crash-safely (data/atomic_file.h) after each start; a file too large or
// without its version line is ignored and written anew at the next start, a
// line that does not read is left out. Older launchers never read it.
#include "data/program_entry.h"
#include "data/usage_rank.h"
#include "support/seam_guard.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

constexpr size_t kUsageLimit = 500;
// Larger than any usage file the launcher writes (500 lines of at most a
// path's 260 characters): a larger one is not the launcher's.
constexpr DWORD kUsageFileReadLimit = 1024 * 1024;

// What a start counts for: the file as stored; for a Store application that
// Explorer starts (options "shell:AppsFolder\<application id>"), the
// application's path, as the search window lists it.
std::wstring CountedPath(const wchar_t* file, const wchar_t* params);

// The usage file's path: the data file's with the extension "usage". False
// when it does not fit.
bool UsageFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size);

// The time starts are counted at, in seconds since 1970 UTC: the system's
// clock, or for tests the one OverrideUsageClock puts in place.
std::int64_t UsageNow();
SeamGuard OverrideUsageClock(std::int64_t (*clock)());

class UsageLog {
public:
    // The lines of a usage file's text; false, with nothing taken, when it
    // is not one (no version line).
    bool Parse(const char* text, size_t size);
    // The file's text, the most used first.
    std::string Format() const;

    // One more start of path at now; when there are too many, the least used
    // of the others goes.
    void Count(const std::wstring& path, std::int64_t now);
    // How much path was used, at now; 0 when never.
    double Score(const std::wstring& path, std::int64_t now) const;
    // What was counted for from counts for to from now on (a program put on
    // a button under its target's path).
    void Carry(const std::wstring& from, const std::wstring& to);
    size_t Size() const { return targets_.size(); }

private:
    struct Target {
        std::wstring path;
        UsageRecord record;
    };
    void Put(const std::wstring& path, const UsageRecord& record);
    void DropLeastUsed(std::int64_t now, const std::wstring& counted);
    std::unordered_map<std::wstring, Target> targets_;  // by the path in upper case
};

class UserFiles;

// Reads the usage file at path into log; a missing, damaged or oversized
// one leaves log empty. One that is there but cannot be read is left as it
// is for the rest of the run (data/user_file.h).
void ReadUsageFile(UserFiles& files, const wchar_t* path, UsageLog* log);

// Writes log to the file at path.
bool WriteUsageFile(UserFiles& files, const wchar_t* path, const UsageLog& log);
