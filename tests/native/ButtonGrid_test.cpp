// Button IDs, cell and panel geometry, and the hint texts of button images.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "launcher/ButtonGrid.h"

using namespace quorlet;

TEST(ButtonGrid, IdsJoinAndSplitSheetAndPosition) {
    struct Case { int Sheet, Position; int32_t Id; } cases[] = {
        {1, 1, 101}, {1, 10, 110}, {1, 11, 111}, {1, 20, 120}, {2, 1, 201}, {12, 7, 1207},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Id);
        EXPECT_EQ(ButtonId(c.Sheet, c.Position), c.Id);
        EXPECT_EQ(ButtonSheet(c.Id), c.Sheet);
        EXPECT_EQ(ButtonPosition(c.Id), c.Position);
        EXPECT_TRUE(IsButtonId(c.Id));
    }
    for (int32_t notACell : {0, 5, 100, 121, 199, 200, 1221})
        EXPECT_FALSE(IsButtonId(notACell)) << notACell;
}

TEST(ButtonGrid, CellsStandInTwoRowsOfTenWithoutGaps) {
    struct Case { int Position, Left, Top; } cases[] = {
        {1, 0, 0}, {2, 34, 0}, {5, 136, 0}, {10, 306, 0}, {11, 0, 34}, {12, 34, 34}, {20, 306, 34},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Position);
        const TCellPoint p = CellOrigin(c.Position);
        EXPECT_EQ(p.Left, c.Left);
        EXPECT_EQ(p.Top, c.Top);
    }
    EXPECT_THROW(CellOrigin(0), std::out_of_range);
    EXPECT_THROW(CellOrigin(21), std::out_of_range);
    // The last cell of a row ends inside the 348-pixel client area.
    EXPECT_EQ(kClientWidth, 348);
    EXPECT_LE(CellOrigin(10).Left + kCellSize, kClientWidth);
}

TEST(ButtonGrid, QuorletTabPanelsStand35PixelsApart) {
    for (int slot = 1; slot <= 6; ++slot) {
        SCOPED_TRACE(slot);
        const TCellPoint recent = RecentPanelOrigin(slot);
        const TCellPoint top = TopPanelOrigin(slot);
        EXPECT_EQ(recent.Left, kQuorletPanelLeft + (slot - 1) * 35);
        EXPECT_EQ(top.Left, recent.Left);
        EXPECT_EQ(top.Top - recent.Top, 34);
    }
    EXPECT_LE(RecentPanelOrigin(6).Left + kCellSize, kClientWidth);
    for (int bad : {0, 7}) {
        EXPECT_THROW(RecentPanelOrigin(bad), std::out_of_range);
        EXPECT_THROW(TopPanelOrigin(bad), std::out_of_range);
    }
}

TEST(ButtonGrid, HintTexts) {
    struct Case {
        TButtonBrief Button;
        const char *Hint, *LastClick3, *TopClick5;
    } cases[] = {
        {{true, "Editor", ""}, "Editor", "LastClick3 - Editor", "TopClick5 - Editor "},
        {{true, "Editor", "Ctrl+F9"}, "Editor -[Ctrl+F9]", "LastClick3 - Editor -[Ctrl+F9]",
         "TopClick5 - Editor -[Ctrl+F9] "},
        {{true, "", "Alt+E"}, " -[Alt+E]", "LastClick3 -  -[Alt+E]", "TopClick5 -  -[Alt+E] "},
        // A record without a description: no recent hint, but the most-used one is still written.
        {{true, "", ""}, "", "", "TopClick5 -  "},
        {{false, "left over", "Ctrl+X"}, "", "", ""},
        {{true, "100% %s %d", ""}, "100% %s %d", "LastClick3 - 100% %s %d", "TopClick5 - 100% %s %d "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Hint);
        EXPECT_EQ(ButtonHint(c.Button), c.Hint);
        EXPECT_EQ(LastClickHint(3, c.Button), c.LastClick3);
        EXPECT_EQ(TopClickHint(5, c.Button), c.TopClick5);
    }
    EXPECT_EQ(NewButtonHint("Editor", "Ctrl+F9"), "Editor Ctrl+F9");
    EXPECT_EQ(NewButtonHint("Editor", ""), "Editor ");
    EXPECT_EQ(NewButtonHint("", ""), " ");
    const std::string longText(5000, 'x');
    EXPECT_EQ(ButtonHint({true, longText, "F2"}), longText + " -[F2]");
}
