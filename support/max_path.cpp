#include "support/max_path.h"

#include <cwchar>

bool PathFitsMaxPath(const wchar_t* path)
{
    return path && std::wcslen(path) < MAX_PATH;
}
