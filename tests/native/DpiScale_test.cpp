#include <gtest/gtest.h>

#include "launcher/ButtonGrid.h"
#include "launcher/DpiScale.h"

namespace quorlet {
namespace {

TEST(DpiScale, At96DpiEveryLayoutSizeStaysExact) {
    const TDpiScale scale;
    for (int length : {0, 1, 2, 18, kCellSize, kQuorletPanelPitch, 2 * kCellSize + 4, 260, kClientWidth})
        EXPECT_EQ(length, scale.Px(length)) << length;
    EXPECT_EQ(CellIconSize, scale.IconSize());
}

TEST(DpiScale, LengthsGrowWithTheDensityRoundedToTheNearestPixel) {
    struct TCase {
        int Dpi, Length, Pixels;
    };
    const TCase cases[] = {
        {144, kClientWidth, 522}, {144, kCellSize, 51},  {144, 18, 27},  {144, 1, 2},  // 1.5 rounds up
        {120, kCellSize, 43},     {120, 35, 44},         {120, 2, 3},    {192, 260, 520},
        {168, kClientWidth, 609}, {144, -3, -5},  // negative offsets round away from zero too
    };
    for (const TCase& c : cases) {
        TDpiScale scale;
        scale.Dpi = c.Dpi;
        EXPECT_EQ(c.Pixels, scale.Px(c.Length)) << c.Dpi << " dpi, " << c.Length;
    }
}

TEST(DpiScale, IconsTakeTheLargestUsualSizeThatFitsTheCell) {
    struct TCase {
        int Dpi, Size;
    };
    // 120 DPI has room for 40 pixels: no usual size between 32 and 48, so 32.
    const TCase cases[] = {{72, 24}, {96, 32}, {120, 32}, {144, 48}, {168, 48}, {192, 64},
                           {240, 64}, {288, 96}, {384, 128}, {768, 256}, {1536, 256}};
    for (const TCase& c : cases) EXPECT_EQ(c.Size, FittingIconSize(c.Dpi)) << c.Dpi << " dpi";
}

}  // namespace
}  // namespace quorlet
