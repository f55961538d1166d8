#pragma once
// Texts folded for finding by typing, and where a query lies in one.
//
// Folding (LCMapStringW in the Japanese locale, LCMAP_LOWERCASE |
// LCMAP_HALFWIDTH | LCMAP_KATAKANA, one character at a time) makes Latin case,
// full-width and half-width forms, and hiragana and katakana compare alike:
// "ﾒﾓ", "メモ" and "めも" are the same text, and so are "ＷＯＲＤ" and "word".
// A voiced kana folds into two characters (its half-width letter and mark).
// A query of Latin letters also matches kana by their romaji
// (data/kana_romaji.h): "memo" finds "メモ帳", "kamera" finds "カメラ".
//
// A word starts after a blank or any other character that is neither
// letter, digit, kana nor kanji ("-", "_", ".", "\", "(", "・", …), at a
// change between Latin letters, digits, hiragana, katakana and kanji (a
// hiragana ending after kanji, as in "見る", does not start a word), and at a
// capital after a small letter ("WinMerge" has the words "Win" and "Merge").
// Long vowel, voicing and repeat marks continue their word.
#include "data/kana_romaji.h"

#include <string>
#include <vector>

// A text folded for comparing, with the places where its words begin and,
// when it holds kana, its syllables for romaji.
struct FoldedText {
    std::wstring text;
    std::vector<bool> wordStart;  // one per character of text
    std::vector<KanaUnit> kana;   // empty without kana
};

// What is typed, folded once per keystroke, without the blanks around it.
struct SearchQuery {
    FoldedText folded;
    bool romaji = false;  // Latin letters that may spell kana
};

// How a text holds the query; lower is better.
enum MatchRank { kMatchAtStart, kMatchAtWordStart, kMatchInside, kNoMatch };

// Folds the text in field (at most size characters, terminated or not); a
// surrogate pair is kept as it is.
void FoldSearchText(const wchar_t* field, int size, FoldedText* folded);

// Folds what is typed (at most size characters).
void FoldQuery(const wchar_t* typed, int size, SearchQuery* query);

// Where in field the query matches best, as written or by romaji. An empty
// query matches at the start.
MatchRank RankMatch(const FoldedText& field, const SearchQuery& query);

// True when text holds a kanji: its reading may find it.
bool HoldsKanji(const wchar_t* text);
