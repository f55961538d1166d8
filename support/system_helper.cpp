#include "support/system_helper.h"

SystemHelper g_systemHelper;

SystemHelper::~SystemHelper() = default;

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

bool SystemHelper::IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool SystemHelper::IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}
