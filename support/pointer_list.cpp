#include "support/pointer_list.h"

#include "support/system_helper.h"

#include <cstring>

PointerList::~PointerList()
{
    Clear();
    SystemHelper::Free(items_);
    items_ = nullptr;
}

bool PointerList::Add(void* item)
{
    if (count_ >= capacity_ && !Grow())
        return false;
    items_[count_++] = item;
    return true;
}

void* PointerList::Get(std::uint32_t index) const
{
    if (!items_ || index >= capacity_)
        return nullptr;
    return items_[index];
}

void PointerList::Clear()
{
    // A cleared list keeps its array but reports capacity 0; the array was
    // allocated with at least growBy slots, all of which are emptied.
    if (items_)
        std::memset(items_, 0, sizeof(void*) * (capacity_ > 0 ? capacity_ : 0));
    count_ = 0;
    capacity_ = 0;
}

bool PointerList::Grow()
{
    const std::uint32_t newCapacity = capacity_ + kGrowBy;
    if (newCapacity < capacity_ || newCapacity > SIZE_MAX / sizeof(void*))
        return false;
    void** grown = static_cast<void**>(SystemHelper::Alloc(sizeof(void*) * newCapacity));
    if (!grown)
        return false;
    if (items_ && capacity_ > 0)
        std::memcpy(grown, items_, sizeof(void*) * capacity_);
    SystemHelper::Free(items_);
    items_ = grown;
    capacity_ = newCapacity;
    return true;
}
