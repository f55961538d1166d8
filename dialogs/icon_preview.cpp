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
    return GetModuleHandleW(nullptr);
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

int IconCountOf(const wchar_t* path)
{
    wchar_t used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, kResolvedPathSize))
        return 0;
    const UINT_PTR count =
        reinterpret_cast<UINT_PTR>(ExtractIconW(ProgramInstance(), used, static_cast<UINT>(-1)));
    return count > 0x7FFF ? 0 : static_cast<int>(count);
}

HICON AssociatedIconOrNotFound(const wchar_t* path)
{
    wchar_t used[kResolvedPathSize];
    if (!ResolveIconSource(path, used, kResolvedPathSize))
        return OrNotFound(nullptr);
    wchar_t copy[kResolvedPathSize];
    lstrcpynW(copy, used, kResolvedPathSize);
    WORD index = 0;
    ScopedIcon icon(Usable(ExtractAssociatedIconW(ProgramInstance(), copy, &index)));
    if (lstrcmpiW(copy, used) != 0)
        icon.Reset();  // the system answered with another file's icon
    return OrNotFound(icon.Release());
}

HICON IconAtOrNotFound(const wchar_t* path, int index)
{
    wchar_t used[kResolvedPathSize];
    if (index < 0 || !ResolveIconSource(path, used, kResolvedPathSize))
        return OrNotFound(nullptr);
    return OrNotFound(Usable(ExtractIconW(ProgramInstance(), used, static_cast<UINT>(index))));
}
