#include "data/generation_summary.h"

#include "data/generation_files.h"
#include "data/generation_rule.h"
#include "data/generations.h"
#include "data/stored_image.h"
#include "data/whole_names.h"
#include "support/scoped_handle.h"

#include <cwchar>

namespace {
struct Decoded {
    HeapObject<StoredData> stored;
    HeapObject<LauncherData> data;
    AppSettings settings = {};
};

// The generation's records as a start would load them; false for a data
// file that does not read.
bool DecodeGeneration(const GenerationSet& set, Decoded* decoded)
{
    const KeptFile& file = set.files[kGenerationDataFile];
    if (!file.present || !decoded->stored.Allocate() || !decoded->data.Allocate() ||
        !TakeStoredImage(file.bytes.data(), static_cast<DWORD>(file.bytes.size()), decoded->stored.Get(),
                         &decoded->settings))
        return false;
    TerminateStoredFields(decoded->stored.Get());
    DecodeStoredData(*decoded->stored, decoded->data.Get());
    const KeptFile& names = set.files[kGenerationNamesFile];
    if (names.present)
        ApplyNamesText(names.bytes.data(), names.bytes.size(), decoded->data.Get());
    return true;
}

void Describe(const Decoded& decoded, GenerationSummary* summary)
{
    const LauncherData& data = *decoded.data;
    for (const GroupBlock& group : data.groups)
        for (const ButtonRecord& button : group.buttons)
            summary->filledButtons += button.file[0] ? 1 : 0;
    const int groups = ClampGroupCount(decoded.settings.groupCount);
    for (int g = 0; g < groups; ++g)
        summary->groupNames.push_back(data.groups[g].group.name);
    summary->damaged = false;
}

GenerationSummary Summarise(const std::wstring& name)
{
    GenerationSummary summary;
    summary.name = name;
    GenerationTime(name, &summary.time);
    GenerationSet set;
    Decoded decoded;
    if (ReadGeneration(name, &set) && DecodeGeneration(set, &decoded))
        Describe(decoded, &summary);
    return summary;
}
}  // namespace

std::vector<GenerationSummary> SummariseGenerations()
{
    std::vector<GenerationSummary> summaries;
    for (const std::wstring& name : ListGenerations())
        summaries.push_back(Summarise(name));
    return summaries;
}

bool NewestGoodGeneration(GenerationSummary* summary)
{
    for (const std::wstring& name : ListGenerations()) {
        *summary = Summarise(name);
        if (!summary->damaged)
            return true;
    }
    return false;
}

std::wstring GenerationTimeText(const SYSTEMTIME& time)
{
    wchar_t text[32];
    swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
             time.wSecond);
    return text;
}
