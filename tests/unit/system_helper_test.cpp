// Heap blocks and the pointer list of the support library.
#include "support/pointer_list.h"
#include "support/system_helper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SystemHelper, AllocReturnsZeroFilledBlocksThatFreeGivesBack)
{
    for (SIZE_T size : {SIZE_T{1}, SIZE_T{300}, SIZE_T{70000}}) {
        auto* block = static_cast<unsigned char*>(g_systemHelper.Alloc(size));
        ASSERT_NE(nullptr, block) << size;
        size_t nonZero = 0;
        for (SIZE_T i = 0; i < size; ++i)
            nonZero += block[i] != 0;
        EXPECT_EQ(0u, nonZero) << size;
        EXPECT_TRUE(g_systemHelper.Free(block));
    }
}

TEST(SystemHelper, AllocOfAnImpossibleSizeIsNull)
{
    EXPECT_EQ(nullptr, g_systemHelper.Alloc(~SIZE_T{0} - 64));
}

TEST(SystemHelper, FreeOfNullChangesNothing)
{
    EXPECT_TRUE(g_systemHelper.Free(nullptr));
}

TEST(PointerList, NullIsStoredLikeAnyPointer)
{
    PointerList list;
    int a = 0;
    ASSERT_TRUE(list.Add(nullptr));
    ASSERT_TRUE(list.Add(&a));
    EXPECT_EQ(2u, list.GetCount());
    EXPECT_EQ(nullptr, list.Get(0));
    EXPECT_EQ(&a, list.Get(1));
}

}  // namespace
