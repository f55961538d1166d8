#pragma once
// The support library's memory layer: zero-filled blocks of the process heap.
// It keeps no state of its own: its operations need no instance.
#include <windows.h>

class SystemHelper {
public:
    SystemHelper() = delete;

    // A zero-filled block of size bytes from the process heap, or null.
    // Release it with Free and nothing else.
    static void* Alloc(SIZE_T size);
    // Returns a block from Alloc to the heap; a null block is accepted and
    // changes nothing. False when there is no process heap or the heap refuses.
    static bool Free(void* block);
};
