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

TEST(EdgeSnap, EachMonitorSnapsFromItsOwnEdges) {
    const int W = 356, H = 160;
    const TMonitorArea primary{0, 0, 1920, 1040};
    const TMonitorArea rightOfPrimary{1920, 0, 1280, 984};
    const TMonitorArea leftOfPrimary{-1600, -200, 1600, 860};
    struct Case {
        const char* What;
        TMonitorArea Monitor;
        int Left, Top, NewLeft, NewTop;
    } cases[] = {
        {"primary: as on one screen", primary, 15, 500, 0, 500},
        {"primary: the far edges", primary, 1920 - W + 5, 1040 - H + 3, 1920 - W, 1040 - H},
        {"right monitor: its middle stays", rightOfPrimary, 2500, 400, 2500, 400},
        {"right monitor: 10 from its left edge snaps to it", rightOfPrimary, 1930, 400, 1920, 400},
        {"right monitor: beyond its right edge is pulled back", rightOfPrimary, 3200 - W + 8, 400, 3200 - W, 400},
        {"right monitor: its work area's bottom", rightOfPrimary, 2500, 984 - H + 12, 2500, 984 - H},
        {"left monitor: its middle stays, negative as it is", leftOfPrimary, -1000, 100, -1000, 100},
        {"left monitor: near its left edge", leftOfPrimary, -1590, 100, -1600, 100},
        {"left monitor: near its top edge", leftOfPrimary, -1000, -190, -1000, -200},
        {"left monitor: overlapping the primary is pulled back", leftOfPrimary, -W + 30, 100, -W, 100},
        {"left monitor: its bottom", leftOfPrimary, -1000, -200 + 860 - H - 4, -1000, -200 + 860 - H},
        // A position stored on a monitor that is gone is snapped on the primary.
        {"gone, right of the primary", primary, 4000, 300, 1920 - W, 300},
        {"gone, left of and above the primary", primary, -1400, -600, 0, 0},
        {"gone, below the primary", primary, 800, 2500, 800, 1040 - H},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TSnapResult r = SnapToMonitorEdges(c.Left, c.Top, W, H, c.Monitor);
        EXPECT_EQ(r.Left, c.NewLeft);
        EXPECT_EQ(r.Top, c.NewTop);
        EXPECT_EQ(r.Changed, c.NewLeft != c.Left || c.NewTop != c.Top);
        if (c.Monitor.Left == 0 && c.Monitor.Top == 0) {
            const TSnapResult one = SnapToEdges(c.Left, c.Top, W, H, c.Monitor.Width, c.Monitor.WorkAreaHeight);
            EXPECT_EQ(one.Left, r.Left);
            EXPECT_EQ(one.Top, r.Top);
        }
    }
}
