// The keyboard focus over the cells of a page: the grid of a button tab sheet
// and the uneven rows of the Quorlet Tab.
#include <gtest/gtest.h>

#include <vector>

#include "launcher/ButtonGrid.h"
#include "launcher/CellFocus.h"

using namespace quorlet;

namespace {

// The twenty cells of a tab sheet, index = position - 1.
std::vector<TCellPlace> Grid() {
    std::vector<TCellPlace> places;
    for (int position = 1; position <= kCellCount; ++position) {
        const TCellPoint origin = CellOrigin(position);
        places.push_back({origin.Left, origin.Top, true});
    }
    return places;
}

}  // namespace

TEST(CellFocus, TheGridOfATabSheet) {
    const std::vector<TCellPlace> grid = Grid();
    struct Case {
        int From;
        TCellFocusMove Move;
        int To;
    } cases[] = {
        {0, cfRight, 1},  {3, cfLeft, 2},    {9, cfRight, 10},  // the end of the upper row goes on below
        {10, cfLeft, 9},  {19, cfRight, 19}, {0, cfLeft, 0},    // and stops at the ends
        {4, cfDown, 14},  {14, cfUp, 4},     {4, cfUp, 4},     {14, cfDown, 14},
        {7, cfHome, 0},   {7, cfEnd, 19},
        {-1, cfRight, 0}, {-1, cfDown, 0},   {-1, cfEnd, 19},  {25, cfLeft, 0},  // none focused yet
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoveCellFocus(grid, c.From, c.Move), c.To) << c.From << " move " << c.Move;
}

TEST(CellFocus, UnevenRowsAndHiddenCells) {
    // Two rows of three, the lower one shifted, a command icon to the right of
    // the upper row, and a hidden one beside it.
    const std::vector<TCellPlace> places = {
        {0, 0, true},   {35, 0, true},   {70, 0, true},    // 0..2
        {10, 34, true}, {45, 34, true},  {80, 34, true},   // 3..5
        {200, 0, true}, {240, 0, false},                   // 6, 7 hidden
    };
    EXPECT_EQ(MoveCellFocus(places, 2, cfRight), 6);
    EXPECT_EQ(MoveCellFocus(places, 6, cfRight), 3);  // the hidden one is passed over
    EXPECT_EQ(MoveCellFocus(places, 6, cfDown), 5);   // the nearest in the row below
    EXPECT_EQ(MoveCellFocus(places, 4, cfUp), 1);
    EXPECT_EQ(MoveCellFocus(places, 3, cfUp), 0);     // 10 from 0, 25 from 35
    EXPECT_EQ(MoveCellFocus(places, 7, cfLeft), 0);   // a hidden cell has no focus
    EXPECT_EQ(MoveCellFocus(places, 5, cfEnd), 5);
    EXPECT_EQ(MoveCellFocus({}, -1, cfHome), -1);
    EXPECT_EQ(MoveCellFocus({{0, 0, false}}, -1, cfHome), -1);
}
