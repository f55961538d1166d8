#pragma once
// The check an archive passes before anything of it is written: every entry
// of its directory can be read, the count matches, and no two entries share
// their bytes (the shape of the known decompression bombs). It also sums up
// what the extraction's progress counts.
#include <unzip.h>

struct ArchiveScan {
    unsigned long long entries = 0;
    unsigned long long bytes = 0;  // declared sizes of all entries, saturating
};

// False when the directory is damaged or entries overlap; the archive is
// left on its first entry either way.
bool ScanArchive(unzFile archive, ArchiveScan* scan);
