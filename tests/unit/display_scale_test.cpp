// The bar's layout at the common display scales: the controls tile the
// client area without gap or overlap, and the bar and its icons grow with
// the scale (44 pixels wide and 32-pixel icons at 100 %).
#include "bar/bar_geometry.h"
#include "bar/icon_cache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ScaleRow {
    int dpi;
    int width, expandedHeight, collapsedHeight, iconSize;
};

class BarAtScale : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(BarAtScale, ControlsTileTheClientAreaAndIconsFollowTheScale)
{
    const ScaleRow row = GetParam();
    const SIZE expanded = BarWindowSize(0, 0, 0, true, row.dpi);
    const SIZE collapsed = BarWindowSize(0, 0, 0, false, row.dpi);
    EXPECT_EQ(row.width, expanded.cx);
    EXPECT_EQ(row.expandedHeight, expanded.cy);
    EXPECT_EQ(row.collapsedHeight, collapsed.cy);
    EXPECT_EQ(row.iconSize, BarIconSize(row.dpi));

    std::vector<int> covered(expanded.cx * expanded.cy);
    for (int position = 0; position < kBarControlCount; ++position) {
        const BarControl c = BarControlAt(position, row.dpi);
        ASSERT_GE(c.x, 0);
        ASSERT_GE(c.y, 0);
        ASSERT_LE(c.x + c.width, expanded.cx) << position;
        ASSERT_LE(c.y + c.height, expanded.cy) << position;
        for (int y = c.y; y < c.y + c.height; ++y)
            for (int x = c.x; x < c.x + c.width; ++x)
                ++covered[y * expanded.cx + x];
        if (position == 0) {  // collapsed, the group button alone fills the client area
            EXPECT_EQ(collapsed.cy, c.height);
        }
    }
    for (size_t i = 0; i < covered.size(); ++i)
        ASSERT_EQ(1, covered[i]) << "pixel " << i % expanded.cx << ", " << i / expanded.cx;
}

INSTANTIATE_TEST_SUITE_P(Scales, BarAtScale,
                         ::testing::Values(ScaleRow{96, 44, 434, 38, 32}, ScaleRow{120, 55, 543, 48, 40},
                                           ScaleRow{144, 66, 651, 57, 48}, ScaleRow{192, 88, 868, 76, 64}));

// An icon the bar kept at one scale is never lent to a button of another size.
TEST(IconCache, LendsAKeptIconOnlyAtThePixelSizeItWasMadeAt)
{
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const HICON icon = CopyIcon(LoadIcon(nullptr, IDI_APPLICATION));
    LendNewIcon(MakeIconCacheKey(self, 0, 32), icon);
    ReleaseIcon(icon);  // taken back and kept
    EXPECT_EQ(nullptr, LendCachedIcon(MakeIconCacheKey(self, 0, 48)));
    EXPECT_EQ(icon, LendCachedIcon(MakeIconCacheKey(self, 0, 32)));
    ReleaseIcon(icon);
    ClearIconCache();
}

}  // namespace
