#pragma once
// A growable array of pointers. The list owns its slot array, not what the
// slots point to: clearing or destroying it never frees the elements.
#include <cstdint>

class PointerList {
public:
    PointerList() = default;
    virtual ~PointerList();
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;

    // Stores item after the last one; false (list unchanged) when the array
    // cannot grow.
    bool Add(void* item);
    std::uint32_t GetCount() const { return count_; }
    // The slot at index, or null outside the array (slots from the count up are null).
    void* Get(std::uint32_t index) const;
    // Empties every slot; count and capacity become 0. The array is kept
    // until the next growth replaces it.
    void Clear();

private:
    bool Grow();

    static constexpr std::uint32_t kGrowBy = 500;  // slots added at a time
    void** items_ = nullptr;
    std::uint32_t capacity_ = 0;
    std::uint32_t count_ = 0;
};
