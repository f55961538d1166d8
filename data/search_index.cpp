#include "data/search_index.h"

#include "data/button_place.h"
#include "support/path_text.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

namespace {
void FoldFileName(const wchar_t* file, FoldedText* folded)
{
    wchar_t name[kFieldSize];
    CopyWholeCharacters(file, wcsnlen(file, kFieldSize), name, kFieldSize);
    ReplaceCharacters(name, L'/', L'\\');  // the last part of an address, too
    wchar_t stem[kFieldSize];
    CopyNameWithoutExtension(name, stem, kFieldSize);
    FoldSearchText(stem, kFieldSize, folded);
}

void FoldReading(const wchar_t* title, const ReadingLookup& reading, FoldedText* folded)
{
    if (!reading || !HoldsKanji(title))
        return;
    const std::wstring kana = reading(title);
    if (!kana.empty())
        FoldSearchText(kana.c_str(), static_cast<int>(kana.size()), folded);
}

bool ByName(const ProgramEntry& a, const ProgramEntry& b)
{
    const int order = CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE);
    return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : a.path < b.path;
}

// A row with what orders it.
struct Candidate {
    MatchRank rank;
    double use;
    int kind;   // 0 a button, 1 a program
    int order;  // the button's number, the program's place
    SearchItem item;
};

bool Before(const Candidate& a, const Candidate& b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank;
    if (a.use != b.use)
        return a.use > b.use;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    return a.order < b.order;
}

MatchRank RankEntry(const SearchEntry& entry, const SearchQuery& query)
{
    MatchRank best = RankMatch(entry.title, query);
    for (const FoldedText* text : {&entry.fileName, &entry.reading}) {
        if (best == kMatchAtStart || text->text.empty())
            continue;
        const MatchRank rank = RankMatch(*text, query);
        best = rank < best ? rank : best;
    }
    return best;
}

double UseOf(const std::vector<double>& uses, size_t i)
{
    return i < uses.size() ? uses[i] : 0.0;
}
}  // namespace

std::shared_ptr<const ProgramIndex> MakeProgramIndex(std::vector<ProgramEntry> programs, const ReadingLookup& reading)
{
    auto index = std::make_shared<ProgramIndex>();
    std::sort(programs.begin(), programs.end(), ByName);
    index->entries.resize(programs.size());
    for (size_t i = 0; i < programs.size(); ++i) {
        const std::wstring& name = programs[i].name;
        FoldSearchText(name.c_str(), static_cast<int>(name.size()), &index->entries[i].title);
        FoldReading(name.c_str(), reading, &index->entries[i].reading);
    }
    index->programs = std::move(programs);
    return index;
}

void BuildSearchIndex(const LauncherData& data, int groupCount, const ReadingLookup& reading,
                      std::shared_ptr<const ProgramIndex> programs, SearchIndex* index)
{
    index->buttonNumbers.clear();
    index->buttons.clear();
    const int groups = ClampGroupCount(groupCount);
    for (int group = 0; group < groups; ++group) {
        for (int button = 0; button < kButtonsPerGroup; ++button) {
            const ButtonRecord& record = data.groups[group].buttons[button];
            if (record.file[0] == L'\0')
                continue;
            index->buttonNumbers.push_back(ButtonPlace{group, button}.Number());
            index->buttons.emplace_back();
            SearchEntry& entry = index->buttons.back();
            FoldSearchText(record.title, kFieldSize, &entry.title);
            FoldFileName(record.file, &entry.fileName);
            FoldReading(record.title, reading, &entry.reading);
        }
    }
    index->buttonUse.assign(index->buttons.size(), 0.0);
    index->programs = std::move(programs);
    index->programUse.assign(index->programs ? index->programs->entries.size() : 0, 0.0);
}

void FindItems(const SearchIndex& index, const wchar_t* typed, std::vector<SearchItem>* found)
{
    SearchQuery query;
    FoldQuery(typed, kFieldSize, &query);
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < index.buttons.size(); ++i) {
        const MatchRank rank = RankEntry(index.buttons[i], query);
        if (rank != kNoMatch)
            candidates.push_back({rank, UseOf(index.buttonUse, i), 0, index.buttonNumbers[i],
                                  {index.buttonNumbers[i], -1}});
    }
    const size_t programs = index.programs ? index.programs->entries.size() : 0;
    for (size_t i = 0; i < programs; ++i) {
        const MatchRank rank = RankEntry(index.programs->entries[i], query);
        if (rank != kNoMatch)
            candidates.push_back({rank, UseOf(index.programUse, i), 1, static_cast<int>(i), {-1, static_cast<int>(i)}});
    }
    std::sort(candidates.begin(), candidates.end(), Before);
    found->clear();
    for (const Candidate& candidate : candidates)
        found->push_back(candidate.item);
}
