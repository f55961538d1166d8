#include "data/usage_file.h"

#include "data/atomic_file.h"
#include "data/launcher_records.h"
#include "data/user_file.h"
#include "support/path_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <utility>
#include <vector>

namespace {
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomSize = sizeof kBom - 1;
const char kCommentLine[] = "; ポルンが起動したものと、どれだけ起動したかを覚えておくファイルなのら。\r\n";
const char kVersionLine[] = "version\t1";
// A score no run of starts reaches: a larger one is not the launcher's.
constexpr double kScoreLimit = 1e9;

std::int64_t SystemNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks = static_cast<std::int64_t>((ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return ticks / 10000000 - 11644473600LL;  // 100 ns since 1601 to seconds since 1970
}

std::int64_t (*g_clock)() = SystemNow;

std::wstring KeyOf(const std::wstring& path)
{
    std::wstring key = path;
    if (!key.empty())
        CharUpperBuffW(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

std::wstring FromUtf8(const char* text, size_t size)
{
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(size), nullptr, 0);
    if (units <= 0 || units > kFieldLength)
        return L"";
    std::wstring out(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(size), &out[0], units);
    return out;
}

std::string ToUtf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return "";
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.c_str(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
    return out;
}

bool HasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The line's four fields, split at its tabs; false for another count.
bool SplitFields(const std::string& line, std::string (&fields)[4])
{
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string::npos)
            return false;
        fields[i] = line.substr(start, tab - start);
        start = tab + 1;
    }
    fields[3] = line.substr(start);
    return !HasControlCharacter(fields[3]);
}

bool ReadWholeNumber(const std::string& text, unsigned long long limit, unsigned long long* value)
{
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::strtoull(text.c_str(), nullptr, 10);
    return *value <= limit;
}

bool ReadScore(const std::string& text, double* score)
{
    if (text.empty() || text.size() > 24 || text.find_first_not_of("0123456789.e+-") != std::string::npos)
        return false;
    char* end = nullptr;
    *score = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*score) && *score >= 0 && *score <= kScoreLimit;
}

// One target's line, without its CR LF.
bool ParseTarget(const std::string& line, std::wstring* path, UsageRecord* record)
{
    std::string fields[4];
    unsigned long long last = 0;
    unsigned long long starts = 0;
    if (!SplitFields(line, fields) || !ReadWholeNumber(fields[0], 1ULL << 40, &last) ||
        !ReadScore(fields[1], &record->score) || !ReadWholeNumber(fields[2], 0xFFFFFFFFULL, &starts))
        return false;
    record->lastStart = static_cast<std::int64_t>(last);
    record->starts = static_cast<std::uint32_t>(starts);
    *path = FromUtf8(fields[3].data(), fields[3].size());
    return !path->empty();
}

std::vector<std::string> Lines(const char* text, size_t size)
{
    std::vector<std::string> lines;
    const char* end = text + size;
    const char* start = size >= kBomSize && std::memcmp(text, kBom, kBomSize) == 0 ? text + kBomSize : text;
    while (start < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        if (!lineEnd)
            lineEnd = end;
        const char* content = lineEnd > start && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
        lines.emplace_back(start, content);
        start = lineEnd + 1;
    }
    return lines;
}
}  // namespace

std::wstring CountedPath(const wchar_t* file, const wchar_t* params)
{
    const size_t prefix = std::wcslen(kAppsFolderPrefix);
    const bool app = params && CompareStringOrdinal(params, static_cast<int>(std::min(std::wcslen(params), prefix)),
                                                    kAppsFolderPrefix, static_cast<int>(prefix), TRUE) == CSTR_EQUAL &&
                     lstrcmpiW(FileNameOf(file), L"explorer.exe") == 0;
    return app ? params : file;
}

bool UsageFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size)
{
    static const wchar_t kExtension[] = L".usage";
    const wchar_t* extension = dataFile ? ExtensionOf(dataFile) : nullptr;
    if (!extension || !buffer)
        return false;
    const size_t stem = static_cast<size_t>(extension - dataFile);
    if (stem + std::wcslen(kExtension) + 1 > size)
        return false;
    std::wmemcpy(buffer, dataFile, stem);
    std::wcscpy(buffer + stem, kExtension);
    return true;
}

std::int64_t UsageNow()
{
    return g_clock();
}

SeamGuard OverrideUsageClock(std::int64_t (*clock)())
{
    return OverrideSeam(g_clock, clock ? clock : SystemNow);
}

bool UsageLog::Parse(const char* text, size_t size)
{
    const std::vector<std::string> lines = Lines(text, size);
    size_t at = 0;
    while (at < lines.size() && !lines[at].empty() && lines[at][0] == ';')
        ++at;
    if (at >= lines.size() || lines[at] != kVersionLine)
        return false;
    targets_.clear();
    std::int64_t latest = 0;
    for (++at; at < lines.size(); ++at) {
        std::wstring path;
        UsageRecord record;
        if (!ParseTarget(lines[at], &path, &record))
            continue;
        Put(path, record);
        latest = std::max(latest, record.lastStart);
    }
    DropLeastUsed(latest, L"");
    return true;
}

std::string UsageLog::Format() const
{
    std::vector<const Target*> order;
    for (const auto& entry : targets_)
        order.push_back(&entry.second);
    std::sort(order.begin(), order.end(), [](const Target* a, const Target* b) {
        if (a->record.lastStart != b->record.lastStart)
            return a->record.lastStart > b->record.lastStart;
        return a->path < b->path;
    });
    std::string text = kCommentLine;
    text += kVersionLine;
    text += "\r\n";
    for (const Target* target : order) {
        const std::string path = ToUtf8(target->path);
        if (path.empty())
            continue;
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "%lld\t%.6f\t%lu\t", static_cast<long long>(target->record.lastStart),
                      target->record.score, static_cast<unsigned long>(target->record.starts));
        text += numbers + path + "\r\n";
    }
    return text;
}

void UsageLog::Count(const std::wstring& path, std::int64_t now)
{
    if (path.empty() || path.size() > static_cast<size_t>(kFieldLength))
        return;
    const std::wstring key = KeyOf(path);
    const auto found = targets_.find(key);
    const UsageRecord before = found == targets_.end() ? UsageRecord{} : found->second.record;
    targets_[key] = Target{path, CountStart(before, now)};
    DropLeastUsed(now, key);
}

double UsageLog::Score(const std::wstring& path, std::int64_t now) const
{
    const auto found = targets_.find(KeyOf(path));
    return found == targets_.end() ? 0.0 : UsageScore(found->second.record, now);
}

void UsageLog::Carry(const std::wstring& from, const std::wstring& to)
{
    const auto found = targets_.find(KeyOf(from));
    if (found == targets_.end() || KeyOf(from) == KeyOf(to) || to.empty())
        return;
    const UsageRecord carried = found->second.record;
    targets_.erase(found);
    Put(to, carried);
}

void UsageLog::Put(const std::wstring& path, const UsageRecord& record)
{
    const std::wstring key = KeyOf(path);
    const auto found = targets_.find(key);
    if (found == targets_.end())
        targets_[key] = Target{path, record};
    else
        found->second.record = JoinUsage(found->second.record, record);
    UsageRecord& kept = targets_[key].record;
    kept.score = std::min(kept.score, kScoreLimit);
}

void UsageLog::DropLeastUsed(std::int64_t now, const std::wstring& counted)
{
    if (targets_.size() <= kUsageLimit)
        return;
    std::vector<std::pair<double, std::wstring>> scores;
    for (const auto& entry : targets_) {
        const double score = entry.first == counted ? kScoreLimit * 2 : UsageScore(entry.second.record, now);
        scores.emplace_back(score, entry.first);
    }
    const auto cut = scores.begin() + static_cast<std::ptrdiff_t>(kUsageLimit);
    std::nth_element(scores.begin(), cut, scores.end(), std::greater<>());
    for (auto it = cut; it != scores.end(); ++it)
        targets_.erase(it->second);
}

void ReadUsageFile(UserFiles& files, const wchar_t* path, UsageLog* log)
{
    *log = UsageLog();
    ScopedHeapBlock text;
    DWORD size = 0;
    if (files.Read(path, kUsageFileReadLimit, &text, &size) == UserFileRead::Done)
        log->Parse(static_cast<const char*>(text.Get()), size);
}

bool WriteUsageFile(UserFiles& files, const wchar_t* path, const UsageLog& log)
{
    const std::string text = log.Format();
    const WritePiece piece = {text.data(), static_cast<DWORD>(text.size())};
    return files.Replace(path, &piece, 1);
}
