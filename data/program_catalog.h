#pragma once
// The programs the search window finds besides the buttons: those of the
// Start menu (data/start_menu_programs.h) and the Apps folder
// (support/apps_folder.h), read on a thread of the catalog's own. It reads
// them when it is made, again when something changes in a Programs folder
// (the system's change notifications) and whenever the search window opens
// (the Apps folder tells no changes); each reading folds the programs, with
// the readings of names in kanji (support/kanji_reading.h), into a new index
// that replaces the one before when anything changed, and posts the message
// given to the window given. Typing never waits for a reading: it searches the index there is.
#include "data/search_index.h"
#include "support/scoped_handle.h"

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class KanjiReader;

class ProgramCatalog {
public:
    // Starts the first reading.
    ProgramCatalog(HWND window, UINT message);
    // Stops the reading under way and waits for the thread.
    ~ProgramCatalog();
    ProgramCatalog(const ProgramCatalog&) = delete;
    ProgramCatalog& operator=(const ProgramCatalog&) = delete;

    // The programs as last read; null until the first reading has ended.
    std::shared_ptr<const ProgramIndex> Programs() const;

    // Reads again, with the readings of titles (the buttons' titles in kanji).
    void Refresh(std::vector<std::wstring> titles);

    // The reading of a title asked for at a refresh, or of a program's name;
    // empty when there is none (yet).
    std::wstring ReadingOf(const std::wstring& text) const;

private:
    void Run();
    void Read(KanjiReader* reader, const std::vector<std::wstring>& folders);
    // Waits for the stop, a refresh or a change; false for the stop.
    bool WaitForWork(const std::vector<ScopedChangeWatch>& watches);

    HWND window_;
    UINT message_;
    std::atomic<bool> stop_{false};
    ScopedEvent stopEvent_;
    ScopedEvent refreshEvent_;
    mutable std::mutex mutex_;
    std::shared_ptr<const ProgramIndex> programs_;   // under mutex_
    std::map<std::wstring, std::wstring> readings_;  // under mutex_
    std::vector<std::wstring> titles_;               // under mutex_: asked for at the last refresh
    std::thread thread_;                             // last: it starts once the rest is made
};
