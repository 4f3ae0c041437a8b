// Edge snapping after a move of the main window.
#include <gtest/gtest.h>

#include "launcher/EdgeSnap.h"

using namespace quorlet;

TEST(EdgeSnap, SnapsWithin19PixelsAndNeverStaysBeyondTheFarEdges) {
    // A 356 x 160 window on a 1920-pixel screen whose work area is 1040 pixels high.
    const int W = 356, H = 160, Screen = 1920, Work = 1040;
    const int FlushLeft = Screen - W, FlushTop = Work - H;
    struct Case {
        const char* What;
        int Left, Top, NewLeft, NewTop;
    } cases[] = {
        {"left 15 snaps to 0", 15, 300, 0, 300},
        {"left 20 stays", 20, 300, 20, 300},
        {"left 19 snaps", 19, 300, 0, 300},
        {"left beyond the screen snaps to 0", -30, 300, 0, 300},
        {"top 15 snaps to 0", 500, 15, 500, 0},
        {"top 20 stays", 500, 20, 500, 20},
        {"top above the screen snaps to 0", 500, -5, 500, 0},
        {"right edge 10 inside snaps flush", FlushLeft - 10, 300, FlushLeft, 300},
        {"right edge 19 inside snaps flush", FlushLeft - 19, 300, FlushLeft, 300},
        {"right edge 20 inside stays", FlushLeft - 20, 300, FlushLeft - 20, 300},
        {"right edge flush stays", FlushLeft, 300, FlushLeft, 300},
        {"right edge 5 beyond is pulled back", FlushLeft + 5, 300, FlushLeft, 300},
        {"right edge far beyond is pulled back", Screen - 10, 300, FlushLeft, 300},
        {"bottom 10 above the work area snaps", 500, FlushTop - 10, 500, FlushTop},
        {"bottom 20 above stays", 500, FlushTop - 20, 500, FlushTop - 20},
        {"bottom flush stays", 500, FlushTop, 500, FlushTop},
        {"bottom 5 below is pulled back", 500, FlushTop + 5, 500, FlushTop},
        {"corner: left and bottom", 5, FlushTop + 30, 0, FlushTop},
        {"corner: right and top", FlushLeft + 3, 7, FlushLeft, 0},
        {"the middle of the screen stays", 700, 400, 700, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TSnapResult r = SnapToEdges(c.Left, c.Top, W, H, Screen, Work);
        EXPECT_EQ(r.Left, c.NewLeft);
        EXPECT_EQ(r.Top, c.NewTop);
        EXPECT_EQ(r.Changed, c.NewLeft != c.Left || c.NewTop != c.Top);
    }
}

TEST(EdgeSnap, FarEdgesWinOverTheLeftAndTopRules) {
    // A window wider than the screen and taller than the work area ends with its
    // right and bottom edges flush, its left and top off the screen.
    const TSnapResult r = SnapToEdges(0, 0, 800, 700, 640, 460);
    EXPECT_EQ(r.Left, -160);
    EXPECT_EQ(r.Top, -240);
    EXPECT_TRUE(r.Changed);
}
