#pragma once
// How generations are named and which are kept. A generation's folder is
// named after its local date and time to the millisecond,
// "20261208-083012-345", with "-2", "-3" … after it when that name is taken,
// so that names sort by time. After each new one the newest ten stay, and
// the newest of each of the last thirty days (today among them). One dated
// after now (the clock was set back since it was kept) counts as older than
// every other and as of no recent day: it neither stays for ever nor stands
// for the newest.
#include <windows.h>

#include <string>
#include <vector>

constexpr int kGenerationsKeptNewest = 10;
constexpr int kGenerationDaysKept = 30;

// "YYYYMMDD-HHMMSS-mmm" of the local time.
std::wstring GenerationName(const SYSTEMTIME& time);

// The time a generation's name gives; false for any other name (a leftover
// of an interrupted write among them).
bool GenerationTime(const std::wstring& name, SYSTEMTIME* time);

// The names newest first as of now, the local time (see above).
std::vector<std::wstring> NewestFirst(std::vector<std::wstring> names, const SYSTEMTIME& now);

// For times newest first: whether each stays, today being today's local date.
std::vector<bool> GenerationsKept(const std::vector<SYSTEMTIME>& newestFirst, const SYSTEMTIME& today);
