#pragma once
// Finding buttons and programs by typing. The filled buttons of the groups
// in use are folded when the search window opens; the programs of the Start
// menu and the Apps folder are folded once, when they are read, off the
// window's thread; a keystroke only compares (data/search_text.h).
//
// What is searched: a button's title and the name of its file without folder
// and extension ("C:\Tools\WinMerge.exe" is searched as "WinMerge"; folders
// and extensions are shared by most buttons and would make every short query
// match everything); a program's name as the Start menu shows it; and the
// reading of a title or name written in kanji, where the system's input
// method gives one ("kakeibo" finds "家計簿").
//
// Order, best first: a match at the start of a text, then at the start of a
// word inside it, then anywhere inside; among equal matches the more used
// (data/usage_rank.h), then a button before a program, then group and button
// order, or the programs' order by name. An empty query (blanks only) lists
// everything, the most used first. Empty buttons never match.
#include "data/launcher_records.h"
#include "data/program_entry.h"
#include "data/search_text.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The texts of one button or program, folded.
struct SearchEntry {
    FoldedText title;
    FoldedText fileName;  // a button's file without folder and extension; empty for a program
    FoldedText reading;   // the title's reading; empty without kanji or without an input method
};

// The reading of a text written in kanji, in kana; empty when there is none.
using ReadingLookup = std::function<std::wstring(const std::wstring& text)>;

// The programs with their folded texts, in the same order. Made once and
// then only read, from any thread.
struct ProgramIndex {
    std::vector<ProgramEntry> programs;
    std::vector<SearchEntry> entries;
};

// Folds the programs (sorted by name) into a new index.
std::shared_ptr<const ProgramIndex> MakeProgramIndex(std::vector<ProgramEntry> programs, const ReadingLookup& reading);

// One row the search lists: a button by its number, or a program by its
// place in the programs.
struct SearchItem {
    int button;   // ButtonPlace::Number(); -1 for a program
    int program;  // index into ProgramIndex::programs; -1 for a button
    bool operator==(const SearchItem& other) const { return button == other.button && program == other.program; }
};

struct SearchIndex {
    std::vector<int> buttonNumbers;  // the filled buttons, in number order
    std::vector<SearchEntry> buttons;
    std::vector<double> buttonUse;  // how much each was used; 0 never
    std::shared_ptr<const ProgramIndex> programs;  // may be null: not read yet
    std::vector<double> programUse;
};

// Folds the filled buttons of groups 0 .. groupCount - 1, and takes the
// programs as they are. The uses start at 0.
void BuildSearchIndex(const LauncherData& data, int groupCount, const ReadingLookup& reading,
                      std::shared_ptr<const ProgramIndex> programs, SearchIndex* index);

// What matches query, best first.
void FindItems(const SearchIndex& index, const wchar_t* query, std::vector<SearchItem>* found);
