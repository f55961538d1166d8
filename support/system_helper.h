#pragma once
// The support library's memory layer: zero-filled blocks of the process heap.
// One global instance lives for the whole run; it keeps no state of its own.
#include <windows.h>

class SystemHelper {
public:
    SystemHelper() = default;
    virtual ~SystemHelper();
    SystemHelper(const SystemHelper&) = delete;
    SystemHelper& operator=(const SystemHelper&) = delete;

    // A zero-filled block of size bytes from the process heap, or null.
    // Release it with Free and nothing else.
    void* Alloc(SIZE_T size);
    // Returns a block from Alloc to the heap; a null block is accepted and
    // changes nothing. False when there is no process heap or the heap refuses.
    bool Free(void* block);
};

// The process-wide instance.
extern SystemHelper g_systemHelper;
