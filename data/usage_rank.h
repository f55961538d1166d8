#pragma once
// How much a target was used: its starts, the recent ones weighing more. A
// start adds one to a score that halves every two weeks after it ("frecency":
// how often and how recently), so a program started daily a month ago ranks
// below one started a few times this week, and one used long ago fades.
#include <cstdint>

// Two weeks: the time a score takes to halve, in seconds.
constexpr std::int64_t kUsageHalfLife = 14 * 24 * 60 * 60;

struct UsageRecord {
    double score = 0;             // as it was right after the last start
    std::int64_t lastStart = 0;   // seconds since 1970-01-01 UTC
    std::uint32_t starts = 0;     // every start counted
};

// The score at now: halved for every half-life since the last start. A last
// start after now (the clock set back) counts as now.
double UsageScore(const UsageRecord& record, std::int64_t now);

// The record after one more start at now.
UsageRecord CountStart(const UsageRecord& record, std::int64_t now);

// Two records of one target (counted under two paths) as one: the scores
// added at the later start of the two.
UsageRecord JoinUsage(const UsageRecord& a, const UsageRecord& b);
