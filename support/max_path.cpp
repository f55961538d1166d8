#include "support/max_path.h"

bool PathFitsMaxPath(const char* path)
{
    if (!path)
        return false;
    const int units = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    return units > 0 && units <= MAX_PATH;
}
