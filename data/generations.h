#pragma once
// Generations: the set of the user's files (data/generation_files.h) as it
// lay on disk just before a save changed one of them, kept in a folder
// beside the program, one subfolder each (data/generation_rule.h). Keeping
// one never stops or fails a save; the first keep of a run that fails is
// told to the window (TellFirstKeepFailureTo). A subfolder holding anything
// but the set's files, or reached through a link, is not the launcher's: it
// is neither listed nor removed (support/folder_removal.h).
#include "data/atomic_file.h"
#include "data/generation_files.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr wchar_t kGenerationsFolderName[] = L"ポルンのおもいで";

// The local time generations are named by; tests set their own clock
// (nullptr: the system's).
using GenerationClock = void (*)(SYSTEMTIME* localNow);
void OverrideGenerationClock(GenerationClock clock);

// One save that writes several files keeps one generation, before its first
// change: hold a scope over it (scopes nest).
class GenerationScope {
public:
    GenerationScope();
    ~GenerationScope();
    GenerationScope(const GenerationScope&) = delete;
    GenerationScope& operator=(const GenerationScope&) = delete;
};

// On: before a file of the set is replaced or removed (data/atomic_file.h)
// and changes, the set as it is now is kept (once per scope). Off: nothing is.
void KeepGenerationsOfSaves(bool on);

// The first keep that fails from now on posts message to window, once;
// null: told to no one.
void TellFirstKeepFailureTo(HWND window, UINT message);

// Keeps the set as it is now, unless it equals the newest generation or has
// no data file (not needed); then prunes. Failed: it had to be kept and
// could not (the folder cannot be made or written, a path is too long, a
// file of the set cannot be read or is too large).
enum class KeepResult { Kept, NotNeeded, Failed };
KeepResult KeepGeneration();

// The generations' folder names, newest first (data/generation_rule.h).
std::vector<std::wstring> ListGenerations();

// A generation's files; false when they cannot be read.
bool ReadGeneration(const std::wstring& name, GenerationSet* set);

// Keeps the set as it is now, then puts the generation's files in place.
// False, with nothing changed, when the set now could not be kept.
bool RestoreGeneration(const std::wstring& name);

// The generation's files in place, keeping nothing (the caller kept the set).
bool PutGenerationInPlace(const std::wstring& name);
