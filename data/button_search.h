#pragma once
// Finding buttons by typing. The filled buttons of the groups in use are
// folded once when the search window opens, so that a keystroke only compares.
//
// Folding (LCMapStringW in the Japanese locale, LCMAP_LOWERCASE |
// LCMAP_HALFWIDTH | LCMAP_KATAKANA, one character at a time) makes Latin case,
// full-width and half-width forms, and hiragana and katakana compare alike:
// "ﾒﾓ", "メモ" and "めも" are the same text, and so are "ＷＯＲＤ" and "word".
// A voiced kana folds into two characters (its half-width letter and mark).
//
// What is searched: a button's title and the name of its file without folder
// and extension ("C:\Tools\WinMerge.exe" is searched as "WinMerge"); folders
// and extensions are shared by most buttons and would make every short query
// match everything.
//
// Ranking, best first: a match at the start of the title or file name, then
// at the start of a word inside it, then anywhere inside; ties keep group and
// button order. A word starts after a blank or any other character that is
// neither letter, digit, kana nor kanji ("-", "_", ".", "\", "(", "・", …),
// at a change between Latin letters, digits, hiragana, katakana and kanji
// (a hiragana ending after kanji, as in "見る", does not start a word), and
// at a capital after a small letter ("WinMerge" has the words "Win" and
// "Merge"). Long vowel, voicing and repeat marks continue their word.
// Empty buttons never match; an empty query (blanks only) lists every button.
#include "data/button_place.h"
#include "data/launcher_records.h"

// Folding turns a character into at most two.
constexpr int kFoldedSize = 2 * kFieldSize;

// A text folded for comparing, with the places where its words begin.
struct FoldedText {
    int length;
    wchar_t text[kFoldedSize];
    bool wordStart[kFoldedSize];
};

// How a field holds the query; lower is better.
enum MatchRank { kMatchAtStart, kMatchAtWordStart, kMatchInside, kNoMatch };

struct SearchEntry {
    int buttonNumber;  // ButtonPlace::Number()
    FoldedText title;
    FoldedText fileName;  // without folder and extension
};

// Every filled button of the groups in use, in button number order.
struct SearchIndex {
    int count;
    SearchEntry entries[kButtonCount];
};

// Folds the text in field (at most size characters, terminated or not); a
// surrogate pair is kept as it is.
void FoldSearchText(const wchar_t* field, int size, FoldedText* folded);

// Where in field the folded query matches best. An empty query matches at the start.
MatchRank RankMatch(const FoldedText& field, const FoldedText& query);

// Folds the filled buttons of groups 0 .. groupCount - 1.
void BuildSearchIndex(const LauncherData& data, int groupCount, SearchIndex* index);

// The numbers of the buttons that match query, best first, into found
// (room for kButtonCount); returns how many.
int FindButtons(const SearchIndex& index, const wchar_t* query, int* found);
