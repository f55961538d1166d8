// Heap blocks and the Shift-JIS byte tests of the support library.
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

struct ByteCase {
    unsigned char byte;
    bool lead;
    bool trail;
};

class ShiftJisByteTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(ShiftJisByteTest, RangeBoundaries)
{
    EXPECT_EQ(GetParam().lead, SystemHelper::IsLeadByte(GetParam().byte));
    EXPECT_EQ(GetParam().trail, SystemHelper::IsTrailByte(GetParam().byte));
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ShiftJisByteTest,
    ::testing::Values(ByteCase{0x00, false, false}, ByteCase{0x3F, false, false},
                      ByteCase{0x40, false, true}, ByteCase{0x5C, false, true},
                      ByteCase{0x7E, false, true}, ByteCase{0x7F, false, false},
                      ByteCase{0x80, false, true}, ByteCase{0x81, true, true},
                      ByteCase{0x9F, true, true}, ByteCase{0xA0, false, true},
                      ByteCase{0xDF, false, true}, ByteCase{0xE0, true, true},
                      ByteCase{0xFC, true, true}, ByteCase{0xFD, false, false},
                      ByteCase{0xFF, false, false}));

TEST(ShiftJisBytes, SignedCharsAreTakenAsUnsigned)
{
    const char lead = static_cast<char>(0x81);
    const char trail = static_cast<char>(0xFC);
    EXPECT_TRUE(SystemHelper::IsLeadByte(lead));
    EXPECT_TRUE(SystemHelper::IsTrailByte(trail));
}

TEST(PointerList, NewListIsEmpty)
{
    PointerList list;
    EXPECT_EQ(0u, list.GetCount());
    EXPECT_EQ(0u, list.GetCapacity());
    EXPECT_EQ(nullptr, list.Get(0));
}

TEST(PointerList, GrowsBy500AndKeepsEveryPointer)
{
    PointerList list;
    std::vector<int> values(1001);
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(list.Add(&values[i]));
    EXPECT_EQ(500u, list.GetCapacity());
    EXPECT_EQ(500u, list.GetCount());
    ASSERT_TRUE(list.Add(&values[500]));
    EXPECT_EQ(1000u, list.GetCapacity());
    EXPECT_EQ(501u, list.GetCount());
    for (int i = 0; i <= 500; ++i)
        ASSERT_EQ(&values[i], list.Get(i)) << i;
    EXPECT_EQ(nullptr, list.Get(501));   // index count: an empty slot
    EXPECT_EQ(nullptr, list.Get(999));
    EXPECT_EQ(nullptr, list.Get(1000));  // past the array
    for (int i = 501; i <= 1000; ++i)
        ASSERT_TRUE(list.Add(&values[i]));
    EXPECT_EQ(1500u, list.GetCapacity());
    EXPECT_EQ(&values[1000], list.Get(1000));
    EXPECT_EQ(&values[0], list.Get(0));
}

TEST(PointerList, ClearEmptiesEverySlotAndStartsAgainAt500)
{
    PointerList list;
    int a = 1, b = 2;
    ASSERT_TRUE(list.Add(&a));
    ASSERT_TRUE(list.Add(&b));
    list.Clear();
    EXPECT_EQ(0u, list.GetCount());
    EXPECT_EQ(0u, list.GetCapacity());
    for (std::uint32_t i = 0; i < 600; ++i)
        ASSERT_EQ(nullptr, list.Get(i)) << i;
    ASSERT_TRUE(list.Add(&b));
    EXPECT_EQ(500u, list.GetCapacity());
    EXPECT_EQ(1u, list.GetCount());
    EXPECT_EQ(&b, list.Get(0));
    EXPECT_EQ(nullptr, list.Get(1));
    EXPECT_EQ(1, a);  // the list never touches what it points to
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
