#include "data/usage_rank.h"

#include <cmath>

namespace {
double Halved(double score, std::int64_t from, std::int64_t to)
{
    if (to <= from)
        return score;
    return score * std::exp2(-static_cast<double>(to - from) / static_cast<double>(kUsageHalfLife));
}
}  // namespace

double UsageScore(const UsageRecord& record, std::int64_t now)
{
    return Halved(record.score, record.lastStart, now);
}

UsageRecord CountStart(const UsageRecord& record, std::int64_t now)
{
    UsageRecord counted;
    counted.lastStart = now > record.lastStart ? now : record.lastStart;
    counted.score = Halved(record.score, record.lastStart, counted.lastStart) + 1;
    counted.starts = record.starts + 1 > record.starts ? record.starts + 1 : record.starts;
    return counted;
}

UsageRecord JoinUsage(const UsageRecord& a, const UsageRecord& b)
{
    UsageRecord joined;
    joined.lastStart = a.lastStart > b.lastStart ? a.lastStart : b.lastStart;
    joined.score = Halved(a.score, a.lastStart, joined.lastStart) + Halved(b.score, b.lastStart, joined.lastStart);
    joined.starts = a.starts + b.starts >= a.starts ? a.starts + b.starts : a.starts;
    return joined;
}
