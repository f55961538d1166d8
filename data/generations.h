#pragma once
// Generations: the set of the user's files (data/generation_files.h) as it
// lay on disk just before a save changed one of them, kept in a folder
// beside the program, one subfolder each (data/generation_rule.h). Keeping
// one never stops or fails a save; the first keep of a run that fails is
// told to the window (Generations::TellFirstFailureTo). A subfolder holding
// anything but the set's files, or reached through a link, is not the
// launcher's: it is neither listed nor removed (support/folder_removal.h).
#include "data/generation_files.h"
#include "data/user_file.h"
#include "support/seam_guard.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr wchar_t kGenerationsFolderName[] = L"ポルンのおもいで";

// The local time generations are named by; tests set their own clock
// (nullptr: the system's).
using GenerationClock = void (*)(SYSTEMTIME* localNow);
SeamGuard OverrideGenerationClock(GenerationClock clock);

// Keeps the set as it is now, unless it equals the newest generation or has
// no data file (not needed); then prunes. Failed: it had to be kept and
// could not (the folder cannot be made or written, a path is too long, a
// file of the set cannot be read or is too large).
enum class KeepResult { Kept, NotNeeded, Failed };

// The generations of the launcher's saves. Told before the user's files
// change (UserFiles::TellChangesTo), it keeps the set as it is now, once per
// scope: a save that writes several files keeps one generation.
class Generations : public FileChangeListener {
public:
    Generations() = default;
    Generations(const Generations&) = delete;
    Generations& operator=(const Generations&) = delete;

    // The first keep that fails from now on posts message to window, once;
    // null: told to no one.
    void TellFirstFailureTo(HWND window, UINT message);

    KeepResult Keep();

    // Keeps the set as it is now, then puts the generation's files in place.
    // False, with nothing changed, when the set now could not be kept.
    bool Restore(const std::wstring& name, UserFiles& files);
    // The generation's files in place, keeping nothing (the caller kept the set).
    bool PutInPlace(const std::wstring& name, UserFiles& files);

    void BeforeChange(const wchar_t* path, const WritePiece* pieces, int count) override;

private:
    friend class GenerationScope;
    bool KeepOncePerScope();

    int scopeDepth_ = 0;
    bool keptInScope_ = false;
    HWND failureWindow_ = nullptr;  // told of the first keep that fails
    UINT failureMessage_ = 0;
};

// One save that writes several files keeps one generation, before its first
// change: hold a scope over it (scopes nest).
class GenerationScope {
public:
    explicit GenerationScope(Generations& generations);
    ~GenerationScope();
    GenerationScope(const GenerationScope&) = delete;
    GenerationScope& operator=(const GenerationScope&) = delete;

private:
    Generations& generations_;
};

// The generations' folder names, newest first (data/generation_rule.h).
std::vector<std::wstring> ListGenerations();

// A generation's files; false when they cannot be read.
bool ReadGeneration(const std::wstring& name, GenerationSet* set);
