// Which kept generations stay: the newest ten, and the newest of each of the last thirty days.
#include "data/generation_rule.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

SYSTEMTIME DaysBefore(int days, int minute)  // at 12:minute on the day `days` before 2026-12-08
{
    SYSTEMTIME time = {.wYear = 2026, .wMonth = 12, .wDay = 8, .wHour = 12};
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER units = {{file.dwLowDateTime, file.dwHighDateTime}};
    units.QuadPart -= days * 864000000000ULL;
    units.QuadPart += minute * 600000000ULL;
    file = {.dwLowDateTime = units.LowPart, .dwHighDateTime = units.HighPart};
    FileTimeToSystemTime(&file, &time);
    return time;
}

struct Kept {
    const char* name;
    int daysBack;
    int minute;
    bool kept;
};
// Eleven today up to now, then two a day further back, and two dated after now (the clock was set back since).
const Kept kKept[] = {
    {.name = "tenth newest", .daysBack = 0, .minute = 50, .kept = true},
    {.name = "eleventh, today's newest is kept already", .daysBack = 0, .minute = 49, .kept = false},
    {.name = "newest of yesterday", .daysBack = 1, .minute = 40, .kept = true},
    {.name = "second of yesterday", .daysBack = 1, .minute = 39, .kept = false},
    {.name = "newest of the thirtieth day", .daysBack = 29, .minute = 40, .kept = true},
    {.name = "older than thirty days", .daysBack = 30, .minute = 40, .kept = false},
    {.name = "dated tomorrow", .daysBack = -1, .minute = 40, .kept = false},
    {.name = "dated a year ahead", .daysBack = -400, .minute = 40, .kept = false},
};

TEST(GenerationsKept, TheNewestTenAndTheNewestOfEachOfThirtyDaysStay)
{
    const SYSTEMTIME now = DaysBefore(0, 59);
    std::vector<std::wstring> names = {GenerationName(DaysBefore(-1, 40)), GenerationName(DaysBefore(-400, 40))};
    for (int minute = 59; minute >= 49; --minute)
        names.push_back(GenerationName(DaysBefore(0, minute)));
    for (int day = 1; day <= 40; ++day) {
        names.push_back(GenerationName(DaysBefore(day, 40)));
        names.push_back(GenerationName(DaysBefore(day, 39)));
    }
    const std::vector<std::wstring> newestFirst = NewestFirst(names, now);
    EXPECT_EQ(GenerationName(now), newestFirst.front()) << "the newest is the newest up to now";
    std::vector<SYSTEMTIME> times(newestFirst.size());
    for (size_t i = 0; i < newestFirst.size(); ++i)
        ASSERT_TRUE(GenerationTime(newestFirst[i], &times[i]));
    const std::vector<bool> kept = GenerationsKept(times, now);
    for (const Kept& row : kKept) {
        const std::wstring name = GenerationName(DaysBefore(row.daysBack, row.minute));
        const auto at = std::find(newestFirst.begin(), newestFirst.end(), name);
        EXPECT_EQ(kept[at - newestFirst.begin()], row.kept) << row.name;
    }
}

TEST(GenerationsKept, NamesSortByTimeAndReadBack)
{
    const SYSTEMTIME time = DaysBefore(3, 7);
    SYSTEMTIME back = {};
    ASSERT_TRUE(GenerationTime(GenerationName(time) + L"-2", &back));
    EXPECT_EQ(GenerationName(back), GenerationName(time));
    EXPECT_FALSE(GenerationTime(GenerationName(time) + L".tmp", &back));
    EXPECT_LT(GenerationName(DaysBefore(3, 7)), GenerationName(DaysBefore(3, 8)));
}

}  // namespace
