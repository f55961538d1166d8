#pragma once
// Typing a kana name in Latin letters. Every kana syllable has the spellings
// of Hepburn, of kunrei and of typing on a keyboard ("shi"/"si", "tsu"/"tu",
// "chi"/"ti", "fu"/"hu", "ji"/"zi", "n"/"nn"/"n'"); a small ッ is the next
// syllable's consonant doubled ("kappa", "matcha") or typed alone ("xtu");
// ー is "-", the vowel before it again ("raamen"), or nothing ("ramen"), and
// so is a ウ after an o or u ("toukyou", "tokyo"). Hiragana and katakana of
// either width read alike. Pure and table-driven: no system call.
#include <cstdint>
#include <vector>

// One character of a name as romaji reads it: a kana syllable (a kana, or a
// kana with the small ャ, ュ, ョ or vowel that joins it, "キャ", "ファ") or any
// other character.
struct KanaUnit {
    std::uint16_t syllable;       // its row in the spelling table; kNotKana for any other character
    wchar_t character;            // the other character, as it is
    std::uint16_t position;       // where the unit begins in the text it was read from
    std::uint32_t firstLetters;   // bit (letter - 'a') for each Latin letter a spelling of it begins with
};
constexpr std::uint16_t kNotKana = 0xFFFF;

// Reads length characters of text into units. False, units empty, when the
// text holds no kana: romaji has nothing to add to comparing it as written.
bool ReadKanaUnits(const wchar_t* text, int length, std::vector<KanaUnit>* units);

// The longest query the romaji take.
constexpr int kRomajiQueryLimit = 63;

// A query romaji can spell: ASCII only, with a Latin letter, not longer than
// kRomajiQueryLimit. Letters in lower case.
bool IsRomajiQuery(const wchar_t* query, int length);

// True when the query (lower-case ASCII; any other character of a name must
// equal its query character) is spelled by the units from first on. The
// query may end inside a syllable's spelling: "kam" is spelled by カメラ.
bool RomajiMatchesAt(const std::vector<KanaUnit>& units, size_t first, const wchar_t* query, int length);
