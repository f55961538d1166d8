#include "data/kana_romaji.h"

#include <cstring>
#include <cwchar>

namespace {
constexpr int kSpellingsPerSyllable = 4;

struct Syllable {
    const wchar_t* kana;  // full-width katakana, one or two characters
    const char* spellings[kSpellingsPerSyllable + 1];
};

// Every syllable with its spellings; ッ, ー and ン take more from their neighbours.
const Syllable kSyllables[] = {
    {L"ア", {"a"}}, {L"イ", {"i", "yi"}}, {L"ウ", {"u", "wu", "whu"}}, {L"エ", {"e"}}, {L"オ", {"o"}},
    {L"カ", {"ka", "ca"}}, {L"キ", {"ki"}}, {L"ク", {"ku", "cu", "qu"}}, {L"ケ", {"ke"}}, {L"コ", {"ko", "co"}},
    {L"ガ", {"ga"}}, {L"ギ", {"gi"}}, {L"グ", {"gu"}}, {L"ゲ", {"ge"}}, {L"ゴ", {"go"}},
    {L"サ", {"sa"}}, {L"シ", {"shi", "si", "ci"}}, {L"ス", {"su"}}, {L"セ", {"se", "ce"}}, {L"ソ", {"so"}},
    {L"ザ", {"za"}}, {L"ジ", {"ji", "zi"}}, {L"ズ", {"zu"}}, {L"ゼ", {"ze"}}, {L"ゾ", {"zo"}},
    {L"タ", {"ta"}}, {L"チ", {"chi", "ti"}}, {L"ツ", {"tsu", "tu"}}, {L"テ", {"te"}}, {L"ト", {"to"}},
    {L"ダ", {"da"}}, {L"ヂ", {"di", "ji", "zi"}}, {L"ヅ", {"du", "zu"}}, {L"デ", {"de"}}, {L"ド", {"do"}},
    {L"ナ", {"na"}}, {L"ニ", {"ni"}}, {L"ヌ", {"nu"}}, {L"ネ", {"ne"}}, {L"ノ", {"no"}},
    {L"ハ", {"ha"}}, {L"ヒ", {"hi"}}, {L"フ", {"fu", "hu"}}, {L"ヘ", {"he"}}, {L"ホ", {"ho"}},
    {L"バ", {"ba"}}, {L"ビ", {"bi"}}, {L"ブ", {"bu"}}, {L"ベ", {"be"}}, {L"ボ", {"bo"}},
    {L"パ", {"pa"}}, {L"ピ", {"pi"}}, {L"プ", {"pu"}}, {L"ペ", {"pe"}}, {L"ポ", {"po"}},
    {L"マ", {"ma"}}, {L"ミ", {"mi"}}, {L"ム", {"mu"}}, {L"メ", {"me"}}, {L"モ", {"mo"}},
    {L"ヤ", {"ya"}}, {L"ユ", {"yu"}}, {L"ヨ", {"yo"}},
    {L"ラ", {"ra"}}, {L"リ", {"ri"}}, {L"ル", {"ru"}}, {L"レ", {"re"}}, {L"ロ", {"ro"}},
    {L"ワ", {"wa"}}, {L"ヰ", {"wi", "i"}}, {L"ヱ", {"we", "e"}}, {L"ヲ", {"wo", "o"}}, {L"ヴ", {"vu"}},
    {L"ン", {"n", "nn", "n'"}}, {L"ッ", {"xtu", "ltu", "xtsu", "ltsu"}}, {L"ー", {"-", ""}},
    {L"ァ", {"xa", "la"}}, {L"ィ", {"xi", "li"}}, {L"ゥ", {"xu", "lu"}}, {L"ェ", {"xe", "le"}}, {L"ォ", {"xo", "lo"}},
    {L"ャ", {"xya", "lya"}}, {L"ュ", {"xyu", "lyu"}}, {L"ョ", {"xyo", "lyo"}}, {L"ヮ", {"xwa", "lwa"}},
    {L"ヵ", {"ka", "xka", "lka"}}, {L"ヶ", {"ke", "ga", "ka", "xke"}},
    {L"キャ", {"kya"}}, {L"キュ", {"kyu"}}, {L"キョ", {"kyo"}}, {L"キェ", {"kye"}},
    {L"シャ", {"sha", "sya"}}, {L"シュ", {"shu", "syu"}}, {L"ショ", {"sho", "syo"}}, {L"シェ", {"she", "sye"}},
    {L"チャ", {"cha", "tya", "cya"}}, {L"チュ", {"chu", "tyu", "cyu"}}, {L"チョ", {"cho", "tyo", "cyo"}},
    {L"チェ", {"che", "tye", "cye"}},
    {L"ニャ", {"nya"}}, {L"ニュ", {"nyu"}}, {L"ニョ", {"nyo"}}, {L"ニェ", {"nye"}},
    {L"ヒャ", {"hya"}}, {L"ヒュ", {"hyu"}}, {L"ヒョ", {"hyo"}}, {L"ヒェ", {"hye"}},
    {L"ミャ", {"mya"}}, {L"ミュ", {"myu"}}, {L"ミョ", {"myo"}},
    {L"リャ", {"rya"}}, {L"リュ", {"ryu"}}, {L"リョ", {"ryo"}},
    {L"ギャ", {"gya"}}, {L"ギュ", {"gyu"}}, {L"ギョ", {"gyo"}},
    {L"ジャ", {"ja", "zya", "jya"}}, {L"ジュ", {"ju", "zyu", "jyu"}}, {L"ジョ", {"jo", "zyo", "jyo"}},
    {L"ジェ", {"je", "zye", "jye"}},
    {L"ヂャ", {"dya", "ja", "zya"}}, {L"ヂュ", {"dyu", "ju", "zyu"}}, {L"ヂョ", {"dyo", "jo", "zyo"}},
    {L"ビャ", {"bya"}}, {L"ビュ", {"byu"}}, {L"ビョ", {"byo"}},
    {L"ピャ", {"pya"}}, {L"ピュ", {"pyu"}}, {L"ピョ", {"pyo"}},
    {L"ファ", {"fa"}}, {L"フィ", {"fi"}}, {L"フェ", {"fe"}}, {L"フォ", {"fo"}}, {L"フュ", {"fyu"}},
    {L"ティ", {"ti", "thi"}}, {L"ディ", {"di", "dhi"}}, {L"テュ", {"tyu", "thu"}}, {L"デュ", {"dyu", "dhu"}},
    {L"トゥ", {"tu", "twu"}}, {L"ドゥ", {"du", "dwu"}},
    {L"ウィ", {"wi"}}, {L"ウェ", {"we"}}, {L"ウォ", {"wo"}}, {L"イェ", {"ye"}},
    {L"ヴァ", {"va"}}, {L"ヴィ", {"vi"}}, {L"ヴェ", {"ve"}}, {L"ヴォ", {"vo"}}, {L"ヴュ", {"vyu"}},
    {L"ツァ", {"tsa"}}, {L"ツィ", {"tsi"}}, {L"ツェ", {"tse"}}, {L"ツォ", {"tso"}},
    {L"クァ", {"kwa", "qa"}}, {L"クィ", {"kwi", "qi"}}, {L"クェ", {"kwe", "qe"}}, {L"クォ", {"kwo", "qo"}},
    {L"グァ", {"gwa"}}, {L"スィ", {"si", "swi"}}, {L"ズィ", {"zi"}},
};
constexpr int kSyllableCount = static_cast<int>(sizeof kSyllables / sizeof kSyllables[0]);

// The half-width katakana U+FF66 … U+FF9D in full width.
const wchar_t kFullWidthOfHalf[] =
    L"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
constexpr wchar_t kFirstHalfWidth = 0xFF66;
constexpr wchar_t kLastHalfWidth = 0xFF9D;

constexpr wchar_t kFirstKatakana = 0x30A0;
constexpr int kKatakanaSpan = 0x60;

bool Within(wchar_t c, wchar_t first, wchar_t last)
{
    return c >= first && c <= last;
}

bool IsVowel(char c)
{
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

// Where each katakana's syllables are, the two-kana ones first (the longest reading wins).
struct SyllableIndex {
    std::vector<std::uint16_t> rows[kKatakanaSpan];
    std::uint32_t firstLetters[kSyllableCount] = {};
    char vowel[kSyllableCount] = {};  // the vowel its spellings end with; 0 for none
    std::uint16_t sokuon = kNotKana, longVowel = kNotKana, nasal = kNotKana, u = kNotKana, o = kNotKana;

    SyllableIndex()
    {
        for (int pass = 2; pass >= 1; --pass) {
            for (int row = 0; row < kSyllableCount; ++row) {
                const wchar_t* kana = kSyllables[row].kana;
                if (static_cast<int>(std::wcslen(kana)) == pass)
                    rows[kana[0] - kFirstKatakana].push_back(static_cast<std::uint16_t>(row));
            }
        }
        for (int row = 0; row < kSyllableCount; ++row) {
            for (const char* const* s = kSyllables[row].spellings; *s; ++s) {
                if (Within(static_cast<wchar_t>((*s)[0]), L'a', L'z'))
                    firstLetters[row] |= 1u << ((*s)[0] - 'a');
            }
            const char* first = kSyllables[row].spellings[0];
            const char last = first[0] ? first[std::strlen(first) - 1] : 0;
            vowel[row] = IsVowel(last) ? last : 0;
        }
        sokuon = Row(L"ッ");
        longVowel = Row(L"ー");
        nasal = Row(L"ン");
        u = Row(L"ウ");
        o = Row(L"オ");
        vowel[nasal] = 0;
        vowel[sokuon] = 0;
    }

    std::uint16_t Row(const wchar_t* kana) const
    {
        for (std::uint16_t row : rows[kana[0] - kFirstKatakana]) {
            if (std::wcscmp(kSyllables[row].kana, kana) == 0)
                return row;
        }
        return kNotKana;
    }

    // The syllable text begins with (at most available characters); used: how many it takes.
    std::uint16_t Find(const wchar_t* text, int available, int* used) const
    {
        if (!Within(text[0], kFirstKatakana, kFirstKatakana + kKatakanaSpan - 1))
            return kNotKana;
        for (std::uint16_t row : rows[text[0] - kFirstKatakana]) {
            const wchar_t* kana = kSyllables[row].kana;
            const int length = kana[1] ? 2 : 1;
            if (length <= available && (length == 1 || kana[1] == text[1])) {
                *used = length;
                return row;
            }
        }
        return kNotKana;
    }
};

const SyllableIndex& Index()
{
    static const SyllableIndex index;
    return index;
}

// The voiced (or with handakuten, half-voiced) form of a full-width katakana; 0 for none.
wchar_t Voiced(wchar_t kana, bool half)
{
    static const wchar_t kVoicing[] = L"カキクケコサシスセソタチツテトハヒフヘホ";
    static const wchar_t kHalfVoicing[] = L"ハヒフヘホ";
    if (!half && kana == L'ウ')
        return L'ヴ';
    const wchar_t* row = half ? kHalfVoicing : kVoicing;
    return std::wcschr(row, kana) ? static_cast<wchar_t>(kana + (half ? 2 : 1)) : 0;
}

bool IsVoicingMark(wchar_t c, bool* half)
{
    *half = c == 0xFF9F || c == 0x309A || c == 0x309C;
    return *half || c == 0xFF9E || c == 0x3099 || c == 0x309B;
}

// A character as full-width katakana where it is kana, and where it stood.
struct Normalized {
    wchar_t character;
    std::uint16_t position;
};

// Hiragana to katakana, half width to full width, a voicing mark joined to its kana.
void Normalize(const wchar_t* text, int length, std::vector<Normalized>* out)
{
    for (int i = 0; i < length; ++i) {
        const auto position = static_cast<std::uint16_t>(i);
        wchar_t c = text[i];
        if (Within(c, 0x3041, 0x3096))
            c = static_cast<wchar_t>(c + 0x60);
        else if (Within(c, kFirstHalfWidth, kLastHalfWidth))
            c = kFullWidthOfHalf[c - kFirstHalfWidth];
        bool half = false;
        if (i + 1 < length && IsVoicingMark(text[i + 1], &half) && Voiced(c, half)) {
            c = Voiced(c, half);
            ++i;
        }
        out->push_back(Normalized{c, position});
    }
}

// A spelling to try at query position at: where it leads, or that the query ends inside it.
struct Reach {
    std::uint64_t next = 0;
    bool ended = false;

    void Try(const char* spelling, const wchar_t* query, int length, int at)
    {
        int k = 0;
        while (spelling[k] && at + k < length && query[at + k] == static_cast<unsigned char>(spelling[k]))
            ++k;
        if (!spelling[k])
            next |= std::uint64_t{1} << (at + k);
        else if (at + k == length)
            ended = true;
    }
};

// The vowel a ー or a dropped ウ, オ after unit index repeats; 0 for none.
char VowelBefore(const std::vector<KanaUnit>& units, size_t index)
{
    const SyllableIndex& table = Index();
    while (index > 0 && units[index - 1].syllable == table.longVowel)
        --index;
    return index > 0 && units[index - 1].syllable != kNotKana ? table.vowel[units[index - 1].syllable] : 0;
}

// What the neighbours add to a syllable's spellings.
void TryContextSpellings(const std::vector<KanaUnit>& units, size_t index, const wchar_t* query, int length, int at,
                         Reach* reach)
{
    const SyllableIndex& table = Index();
    const std::uint16_t syllable = units[index].syllable;
    const KanaUnit* after = index + 1 < units.size() ? &units[index + 1] : nullptr;
    const std::uint32_t nextLetters = after ? after->firstLetters : 0;
    const char vowel = VowelBefore(units, index);
    char one[2] = {0, 0};
    if (syllable == table.sokuon) {
        for (char c = 'b'; c <= 'z'; ++c) {  // the next consonant doubled; "tch" before "ch"
            one[0] = c;
            if (!IsVowel(c) && c != 'n' && (nextLetters & (1u << (c - 'a'))))
                reach->Try(one, query, length, at);
        }
        if (nextLetters & (1u << ('c' - 'a')))
            reach->Try("t", query, length, at);
    } else if (syllable == table.nasal) {
        if (nextLetters & ((1u << ('b' - 'a')) | (1u << ('m' - 'a')) | (1u << ('p' - 'a'))))
            reach->Try("m", query, length, at);
    } else if (syllable == table.longVowel && vowel) {
        one[0] = vowel;
        reach->Try(one, query, length, at);
        if (vowel == 'o')
            reach->Try("u", query, length, at);
    } else if ((syllable == table.u && (vowel == 'o' || vowel == 'u')) || (syllable == table.o && vowel == 'o')) {
        reach->Try("", query, length, at);
    }
}

void TryUnit(const std::vector<KanaUnit>& units, size_t index, const wchar_t* query, int length, int at, Reach* reach)
{
    const KanaUnit& unit = units[index];
    if (unit.syllable == kNotKana) {
        if (query[at] == unit.character)
            reach->next |= std::uint64_t{1} << (at + 1);
        return;
    }
    for (const char* const* s = kSyllables[unit.syllable].spellings; *s; ++s)
        reach->Try(*s, query, length, at);
    TryContextSpellings(units, index, query, length, at, reach);
}

std::uint32_t LetterBit(wchar_t c)
{
    return Within(c, L'a', L'z') ? 1u << (c - L'a') : 0;
}
}  // namespace

bool ReadKanaUnits(const wchar_t* text, int length, std::vector<KanaUnit>* units)
{
    units->clear();
    std::vector<Normalized> normalized;
    Normalize(text, length, &normalized);
    const SyllableIndex& table = Index();
    bool kana = false;
    for (size_t i = 0; i < normalized.size();) {
        const bool second = i + 1 < normalized.size();
        const wchar_t pair[2] = {normalized[i].character, second ? normalized[i + 1].character : L'\0'};
        int used = 1;
        const std::uint16_t syllable = table.Find(pair, second ? 2 : 1, &used);
        KanaUnit unit = {syllable, normalized[i].character, normalized[i].position, 0};
        unit.firstLetters = syllable == kNotKana ? LetterBit(unit.character) : table.firstLetters[syllable];
        kana = kana || syllable != kNotKana;
        units->push_back(unit);
        i += static_cast<size_t>(used);
    }
    // A small ッ may begin with the consonant of the syllable after it, ン with "m" before b, m
    // or p: the letters a match may begin with there (more never hurt, they only lead to a try).
    for (size_t i = units->size(); i-- > 1;) {
        KanaUnit& unit = (*units)[i - 1];
        if (unit.syllable == table.sokuon || unit.syllable == table.nasal)
            unit.firstLetters |= (*units)[i].firstLetters & ~LetterBit(L'n');
    }
    if (!kana)
        units->clear();
    return kana;
}

bool IsRomajiQuery(const wchar_t* query, int length)
{
    if (length <= 0 || length > kRomajiQueryLimit)
        return false;
    bool letter = false;
    for (int i = 0; i < length; ++i) {
        if (query[i] >= 0x80 || Within(query[i], L'A', L'Z'))
            return false;
        letter = letter || Within(query[i], L'a', L'z');
    }
    return letter;
}

bool RomajiMatchesAt(const std::vector<KanaUnit>& units, size_t first, const wchar_t* query, int length)
{
    if (length <= 0 || length > kRomajiQueryLimit)
        return false;
    const std::uint64_t whole = std::uint64_t{1} << length;
    std::uint64_t reached = 1;  // bit n: the first n query characters are spelled
    for (size_t index = first; index < units.size() && reached; ++index) {
        Reach reach;
        for (int at = 0; at < length; ++at) {
            if (reached & (std::uint64_t{1} << at))
                TryUnit(units, index, query, length, at, &reach);
        }
        if (reach.ended || (reach.next & whole))
            return true;
        reached = reach.next;
    }
    return false;
}
