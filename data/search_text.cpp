#include "data/search_text.h"

#include <windows.h>

#include <cwchar>

namespace {
const LCID kJapanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
constexpr DWORD kFolding = LCMAP_LOWERCASE | LCMAP_HALFWIDTH | LCMAP_KATAKANA;

enum class Kind { Separator, Continuing, Small, Capital, Digit, Hiragana, Katakana, Kanji };

bool Within(wchar_t c, wchar_t first, wchar_t last)
{
    return c >= first && c <= last;
}

bool IsKanji(wchar_t c)
{
    return Within(c, 0x3400, 0x9FFF) || Within(c, 0xF900, 0xFAFF) || c == 0x3006 || c == 0x3007;
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
    if (IsKanji(c))
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
    size_t first = 0;
    while (first < text->text.size() && IsBlank(text->text[first]))
        ++first;
    size_t end = text->text.size();
    while (end > first && IsBlank(text->text[end - 1]))
        --end;
    text->text = text->text.substr(first, end - first);
    text->wordStart.assign(text->text.size(), false);
}

// A surrogate pair is one character: it is taken as it is, both halves.
int CharacterLength(const wchar_t* text, int at, int length)
{
    const bool pair = at + 1 < length && text[at] >= 0xD800 && text[at] <= 0xDBFF && text[at + 1] >= 0xDC00 &&
                      text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

MatchRank RankAt(const FoldedText& field, size_t position)
{
    return position == 0 ? kMatchAtStart : field.wordStart[position] ? kMatchAtWordStart : kMatchInside;
}

MatchRank RankWritten(const FoldedText& field, const std::wstring& query)
{
    MatchRank best = kNoMatch;
    for (size_t at = field.text.find(query); at != std::wstring::npos && best > kMatchAtStart;
         at = field.text.find(query, at + 1)) {
        const MatchRank rank = RankAt(field, at);
        if (rank < best)
            best = rank;
    }
    return best;
}

// A syllable is tried only where a spelling of it may begin with the query's first letter.
MatchRank RankRomaji(const FoldedText& field, const std::wstring& query)
{
    const wchar_t first = query[0];
    const std::uint32_t letter = Within(first, L'a', L'z') ? 1u << (first - L'a') : 0;
    MatchRank best = kNoMatch;
    for (size_t unit = 0; unit < field.kana.size() && best > kMatchAtStart; ++unit) {
        if (letter && !(field.kana[unit].firstLetters & letter))
            continue;
        if (!RomajiMatchesAt(field.kana, unit, query.data(), static_cast<int>(query.size())))
            continue;
        const MatchRank rank = RankAt(field, field.kana[unit].position);
        if (rank < best)
            best = rank;
    }
    return best;
}
}  // namespace

void FoldSearchText(const wchar_t* field, int size, FoldedText* folded)
{
    folded->text.clear();
    folded->wordStart.clear();
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
        for (int k = 0; k < count; ++k) {
            folded->wordStart.push_back(k == 0 && (i == 0 || BeginsWord(previous, kind)));
            folded->text.push_back(mapped[k]);
        }
        if (kind != Kind::Continuing)
            previous = kind;
    }
    ReadKanaUnits(folded->text.data(), static_cast<int>(folded->text.size()), &folded->kana);
}

void FoldQuery(const wchar_t* typed, int size, SearchQuery* query)
{
    FoldSearchText(typed, size, &query->folded);
    query->folded.kana.clear();
    TrimBlanks(&query->folded);
    query->romaji = IsRomajiQuery(query->folded.text.data(), static_cast<int>(query->folded.text.size()));
}

MatchRank RankMatch(const FoldedText& field, const SearchQuery& query)
{
    const std::wstring& typed = query.folded.text;
    if (typed.empty())
        return kMatchAtStart;
    const MatchRank written = RankWritten(field, typed);
    if (!query.romaji || field.kana.empty() || written == kMatchAtStart)
        return written;
    const MatchRank romaji = RankRomaji(field, typed);
    return romaji < written ? romaji : written;
}

bool HoldsKanji(const wchar_t* text)
{
    for (; *text; ++text) {
        if (IsKanji(*text))
            return true;
    }
    return false;
}
