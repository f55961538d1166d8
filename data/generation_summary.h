#pragma once
// What the restore dialog and the start tell of a generation: its time, how
// many buttons are filled and the names of the groups in use, or that its
// data file does not read (then it cannot be restored).
#include <windows.h>

#include <string>
#include <vector>

struct GenerationSummary {
    std::wstring name;  // its folder (data/generation_rule.h)
    SYSTEMTIME time = {};
    bool damaged = true;
    int filledButtons = 0;
    std::vector<std::wstring> groupNames;  // of the groups in use, in order
};

// Every generation, newest first.
std::vector<GenerationSummary> SummariseGenerations();

// The newest generation whose data file reads; false when there is none.
bool NewestGoodGeneration(GenerationSummary* summary);

// "2026/12/08 08:30:12" of the time.
std::wstring GenerationTimeText(const SYSTEMTIME& time);
