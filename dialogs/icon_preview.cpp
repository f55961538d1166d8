#include "dialogs/icon_preview.h"

#include "bar/button_icons.h"
#include "data/launcher_records.h"
#include "resources/resource_ids.h"
#include "support/scoped_handle.h"
#include "support/stored_path.h"

#include <shellapi.h>

namespace {
HINSTANCE ProgramInstance()
{
    return GetModuleHandleA(nullptr);
}

// ExtractIcon answers 1 for a file that is no program, library or icon file.
HICON Usable(HICON icon)
{
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

// The program's own picture at the size the system gives files' icons in
// (32 pixels at 100 %), so that it matches them at any scale.
HICON OrNotFound(HICON icon)
{
    return icon ? icon : LoadResourceIcon(IDI_NOT_FOUND, GetSystemMetrics(SM_CXICON));
}
}  // namespace

int IconCountOf(const char* path)
{
    char used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, sizeof used))
        return 0;
    const UINT_PTR count =
        reinterpret_cast<UINT_PTR>(ExtractIconA(ProgramInstance(), used, static_cast<UINT>(-1)));
    return count > 0x7FFF ? 0 : static_cast<int>(count);
}

HICON AssociatedIconOrNotFound(const char* path)
{
    char used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, sizeof used))
        return OrNotFound(nullptr);
    char copy[kResolvedPathSize];
    lstrcpynA(copy, used, sizeof copy);
    WORD index = 0;
    ScopedIcon icon(Usable(ExtractAssociatedIconA(ProgramInstance(), copy, &index)));
    if (lstrcmpiA(copy, used) != 0)
        icon.Reset();  // the system answered with another file's icon
    return OrNotFound(icon.Release());
}

HICON IconAtOrNotFound(const char* path, int index)
{
    char used[kResolvedPathSize];
    if (index < 0 || !ResolveIconSource(path, used, sizeof used))
        return OrNotFound(nullptr);
    return OrNotFound(Usable(ExtractIconA(ProgramInstance(), used, static_cast<UINT>(index))));
}
