#include "data/generation_rule.h"

#include <algorithm>
#include <cwchar>
#include <set>

namespace {
constexpr size_t kNameLength = 19;  // YYYYMMDD-HHMMSS-mmm
constexpr ULONGLONG kFileTimeUnitsPerDay = 864000000000ULL;

bool DigitsAt(const std::wstring& name, size_t from, size_t count, WORD* value)
{
    WORD result = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (name[i] < L'0' || name[i] > L'9')
            return false;
        result = static_cast<WORD>(result * 10 + (name[i] - L'0'));
    }
    *value = result;
    return true;
}

// "-N" after the time, N from 2: a second generation in the same millisecond.
bool ValidSuffix(const std::wstring& name)
{
    if (name.size() == kNameLength)
        return true;
    if (name.size() < kNameLength + 2 || name[kNameLength] != L'-' || name[kNameLength + 1] == L'0')
        return false;
    WORD ignored = 0;
    return name.size() - kNameLength - 1 <= 4 && DigitsAt(name, kNameLength + 1, name.size() - kNameLength - 1, &ignored);
}

// Days since 1601 of time's date; -1 for a date the system does not take.
LONGLONG DayNumber(const SYSTEMTIME& time)
{
    SYSTEMTIME date = {};
    date.wYear = time.wYear;
    date.wMonth = time.wMonth;
    date.wDay = time.wDay;
    FILETIME file;
    if (!SystemTimeToFileTime(&date, &file))
        return -1;
    const ULONGLONG units = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<LONGLONG>(units / kFileTimeUnitsPerDay);
}
}  // namespace

std::wstring GenerationName(const SYSTEMTIME& time)
{
    wchar_t name[32];
    swprintf(name, 32, L"%04u%02u%02u-%02u%02u%02u-%03u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
             time.wSecond, time.wMilliseconds);
    return name;
}

bool GenerationTime(const std::wstring& name, SYSTEMTIME* time)
{
    SYSTEMTIME t = {};
    if (name.size() < kNameLength || name[8] != L'-' || name[15] != L'-' || !ValidSuffix(name))
        return false;
    if (!DigitsAt(name, 0, 4, &t.wYear) || !DigitsAt(name, 4, 2, &t.wMonth) || !DigitsAt(name, 6, 2, &t.wDay) ||
        !DigitsAt(name, 9, 2, &t.wHour) || !DigitsAt(name, 11, 2, &t.wMinute) || !DigitsAt(name, 13, 2, &t.wSecond) ||
        !DigitsAt(name, 16, 3, &t.wMilliseconds))
        return false;
    FILETIME check;
    if (!SystemTimeToFileTime(&t, &check))
        return false;
    *time = t;
    return true;
}

std::vector<std::wstring> NewestFirst(std::vector<std::wstring> names, const SYSTEMTIME& now)
{
    const std::wstring nowName = GenerationName(now);
    const auto future = [&nowName](const std::wstring& name) { return name.compare(0, kNameLength, nowName) > 0; };
    std::sort(names.begin(), names.end(), [&future](const std::wstring& a, const std::wstring& b) {
        return future(a) != future(b) ? future(b) : a > b;
    });
    return names;
}

std::vector<bool> GenerationsKept(const std::vector<SYSTEMTIME>& newestFirst, const SYSTEMTIME& today)
{
    const LONGLONG todayNumber = DayNumber(today);
    std::vector<bool> kept(newestFirst.size(), false);
    std::set<LONGLONG> daysSeen;
    for (size_t i = 0; i < newestFirst.size(); ++i) {
        const LONGLONG day = DayNumber(newestFirst[i]);
        const bool newestOfItsDay = daysSeen.insert(day).second;
        const bool recentDay = day <= todayNumber && todayNumber - day < kGenerationDaysKept;
        kept[i] = static_cast<int>(i) < kGenerationsKeptNewest || (newestOfItsDay && recentDay);
    }
    return kept;
}
