#include "archive/zip_scan.h"

#include <algorithm>
#include <vector>

namespace {

struct Range {
    ZPOS64_T begin;
    ZPOS64_T end;
};

// The local header and data of the current entry; false when its local
// header cannot be read (the extraction stops at that entry and says so).
bool EntryRange(unzFile archive, const unz_file_info64& info, Range* range)
{
    // Opened raw: only the local header is read and checked, nothing inflated.
    int method = 0;
    int level = 0;
    if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK)
        return false;
    const ZPOS64_T dataStart = unzGetCurrentFileZStreamPos64(archive);
    const int localExtra = unzGetLocalExtrafield(archive, nullptr, 0);
    unzCloseCurrentFile(archive);
    const ZPOS64_T header =
        30 + static_cast<ZPOS64_T>(info.size_filename) + static_cast<ZPOS64_T>(localExtra > 0 ? localExtra : 0);
    range->begin = dataStart >= header ? dataStart - header : 0;
    range->end = dataStart + info.compressed_size;
    return true;
}

}  // namespace

bool ScanArchive(unzFile archive, ArchiveScan* scan)
{
    *scan = ArchiveScan();
    unz_global_info64 global;
    if (unzGetGlobalInfo64(archive, &global) != UNZ_OK)
        return false;
    std::vector<Range> ranges;
    int status = global.number_entry == 0 ? UNZ_END_OF_LIST_OF_FILE : unzGoToFirstFile(archive);
    for (; status == UNZ_OK; status = unzGoToNextFile(archive)) {
        unz_file_info64 info;
        status = unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0);
        if (status != UNZ_OK)
            break;
        ++scan->entries;
        const ZPOS64_T room = ~0ULL - scan->bytes;
        scan->bytes = info.uncompressed_size > room ? ~0ULL : scan->bytes + info.uncompressed_size;
        Range range;
        if (EntryRange(archive, info, &range))
            ranges.push_back(range);
    }
    // An end record counting 0xFFFF entries may stand for any number of them
    // (older writers): then the directory ends where its records end.
    const bool countUnknown = global.number_entry == 0xFFFF && scan->entries >= 0xFFFF;
    if (!countUnknown && (status != UNZ_END_OF_LIST_OF_FILE || scan->entries != global.number_entry))
        return false;
    if (global.number_entry != 0)
        unzGoToFirstFile(archive);
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i].begin < ranges[i - 1].end)
            return false;
    }
    return true;
}
