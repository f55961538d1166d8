#include "support/system_helper.h"

void* SystemHelper::Alloc(SIZE_T size)
{
    HANDLE heap = GetProcessHeap();
    if (!heap)
        return nullptr;
    return HeapAlloc(heap, HEAP_ZERO_MEMORY, size);
}

bool SystemHelper::Free(void* block)
{
    HANDLE heap = GetProcessHeap();
    if (!heap)
        return false;
    if (!block)
        return true;
    return HeapFree(heap, 0, block) != FALSE;
}
