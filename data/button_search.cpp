#include "data/button_search.h"

#include "support/path_text.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {
const LCID kJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
constexpr DWORD kFolding = LCMAP_LOWERCASE | LCMAP_HALFWIDTH | LCMAP_KATAKANA;

enum class Kind { Separator, Continuing, Small, Capital, Digit, Hiragana, Katakana, Kanji };

bool Within(wchar_t c, wchar_t first, wchar_t last)
{
    return c >= first && c <= last;
}

Kind KindOf(wchar_t c)
{
    if (Within(c, L'0', L'9') || Within(c, 0xFF10, 0xFF19))
        return Kind::Digit;
    // Long vowel, voicing and repeat marks (full and half width), and 々.
    if (c == 0x30FC || c == 0xFF70 || Within(c, 0x309B, 0x309E) || c == 0x30FD || c == 0x30FE ||
        c == 0xFF9E || c == 0xFF9F || c == 0x3005)
        return Kind::Continuing;
    if (Within(c, 0x3041, 0x3096))
        return Kind::Hiragana;
    if (Within(c, 0x30A1, 0x30FA) || Within(c, 0xFF66, 0xFF9D) || Within(c, 0x31F0, 0x31FF))
        return Kind::Katakana;
    if (Within(c, 0x3400, 0x9FFF) || Within(c, 0xF900, 0xFAFF) || c == 0x3006 || c == 0x3007)
        return Kind::Kanji;
    if (IsCharAlphaW(c))
        return IsCharUpperW(c) ? Kind::Capital : Kind::Small;
    return Kind::Separator;
}

// Whether a character of kind current begins a word after one of kind previous.
bool BeginsWord(Kind previous, Kind current)
{
    if (current == Kind::Separator || current == Kind::Continuing || current == previous)
        return false;
    if (previous == Kind::Capital && current == Kind::Small)
        return false;  // "Word"
    if (previous == Kind::Kanji && current == Kind::Hiragana)
        return false;  // "見る"
    return true;
}

bool IsBlank(wchar_t c)
{
    return c == L' ';  // the ideographic blank folds into this one
}

// The folded query without the blanks around it.
void TrimBlanks(FoldedText* text)
{
    int first = 0;
    while (first < text->length && IsBlank(text->text[first]))
        ++first;
    int end = text->length;
    while (end > first && IsBlank(text->text[end - 1]))
        --end;
    text->length = end - first;
    std::wmemmove(text->text, text->text + first, static_cast<size_t>(text->length));
}

bool MatchesAt(const FoldedText& field, const FoldedText& query, int position)
{
    return std::wmemcmp(field.text + position, query.text, static_cast<size_t>(query.length)) == 0;
}

void FoldFileName(const wchar_t* file, FoldedText* folded)
{
    wchar_t name[kFieldSize];
    CopyWholeCharacters(file, wcsnlen(file, kFieldSize), name, kFieldSize);
    ReplaceCharacters(name, L'/', L'\\');  // the last part of an address, too
    wchar_t stem[kFieldSize];
    CopyNameWithoutExtension(name, stem, kFieldSize);
    FoldSearchText(stem, kFieldSize, folded);
}

// A surrogate pair is one character: it is taken as it is, both halves.
int CharacterLength(const wchar_t* text, int at, int length)
{
    const bool pair = at + 1 < length && text[at] >= 0xD800 && text[at] <= 0xDBFF && text[at + 1] >= 0xDC00 &&
                      text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}
}  // namespace

void FoldSearchText(const wchar_t* field, int size, FoldedText* folded)
{
    folded->length = 0;
    const int length = static_cast<int>(wcsnlen(field, static_cast<size_t>(size)));
    Kind previous = Kind::Separator;
    for (int i = 0, step = 1; i < length; i += step) {
        step = CharacterLength(field, i, length);
        const Kind kind = KindOf(field[i]);
        wchar_t mapped[4];
        int count = step == 1 ? LCMapStringW(kJapanese, kFolding, &field[i], 1, mapped, 4) : 0;
        if (count <= 0 || count > 2) {
            std::wmemcpy(mapped, &field[i], static_cast<size_t>(step));
            count = step;
        }
        for (int k = 0; k < count && folded->length < kFoldedSize; ++k) {
            folded->wordStart[folded->length] = k == 0 && (i == 0 || BeginsWord(previous, kind));
            folded->text[folded->length++] = mapped[k];
        }
        if (kind != Kind::Continuing)
            previous = kind;
    }
}

MatchRank RankMatch(const FoldedText& field, const FoldedText& query)
{
    if (query.length == 0)
        return kMatchAtStart;
    MatchRank best = kNoMatch;
    for (int position = 0; position + query.length <= field.length; ++position) {
        if (!MatchesAt(field, query, position))
            continue;
        if (position == 0)
            return kMatchAtStart;
        const MatchRank rank = field.wordStart[position] ? kMatchAtWordStart : kMatchInside;
        if (rank < best)
            best = rank;
    }
    return best;
}

void BuildSearchIndex(const LauncherData& data, int groupCount, SearchIndex* index)
{
    index->count = 0;
    const int groups = ClampGroupCount(groupCount);
    for (int group = 0; group < groups; ++group) {
        for (int button = 0; button < kButtonsPerGroup; ++button) {
            const ButtonRecord& record = data.groups[group].buttons[button];
            if (record.file[0] == L'\0')
                continue;
            SearchEntry& entry = index->entries[index->count++];
            entry.buttonNumber = ButtonPlace{group, button}.Number();
            FoldSearchText(record.title, kFieldSize, &entry.title);
            FoldFileName(record.file, &entry.fileName);
        }
    }
}

int FindButtons(const SearchIndex& index, const wchar_t* query, int* found)
{
    FoldedText folded;
    FoldSearchText(query, kFieldSize, &folded);
    TrimBlanks(&folded);
    // One pass per rank keeps group and button order within a rank.
    MatchRank ranks[kButtonCount];
    for (int i = 0; i < index.count; ++i) {
        const MatchRank title = RankMatch(index.entries[i].title, folded);
        const MatchRank file = RankMatch(index.entries[i].fileName, folded);
        ranks[i] = title < file ? title : file;
    }
    int count = 0;
    for (int rank = kMatchAtStart; rank < kNoMatch; ++rank) {
        for (int i = 0; i < index.count; ++i) {
            if (ranks[i] == rank)
                found[count++] = index.entries[i].buttonNumber;
        }
    }
    return count;
}
