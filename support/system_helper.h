#pragma once
// The support library's memory layer: zero-filled blocks of the process heap
// and the two Shift-JIS byte tests the text code needs. One global instance
// lives for the whole run; it keeps no state of its own.
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

    // 0x81..0x9F and 0xE0..0xFC: the first byte of a double-byte character.
    static bool IsLeadByte(unsigned char byte);
    // 0x40..0xFC except 0x7F: a byte that can be the second byte of one.
    static bool IsTrailByte(unsigned char byte);
};

// The process-wide instance.
extern SystemHelper g_systemHelper;
