#pragma once
// The keyboard focus over the cells of a page: a button tab sheet's grid of
// twenty, the Quorlet Tab's recent and most-used rows with its command icons,
// or the results of a find. The cells are taken as they stand: rows are the
// cells that share a top edge, read from left to right and top to bottom.
//
// Left and Right step through the cells in reading order, so they go on from
// the end of one row to the start of the next and back; they stop at the first
// and the last cell. Up and Down go to the row above or below, to the cell
// nearest the same column (the left one of two as near). Home and End go to the
// first and the last cell. Hidden cells are passed over.

#include <vector>

namespace quorlet {

struct TCellPlace {
    int Left = 0;
    int Top = 0;
    bool Visible = true;
};

enum TCellFocusMove { cfLeft, cfRight, cfUp, cfDown, cfHome, cfEnd };

// The index into places of the cell the focus goes to from the cell at index
// from. Without a focused cell (from -1, out of range, or hidden) every move
// but End goes to the first cell. -1 when no cell is shown; from itself when
// the focus stays.
int MoveCellFocus(const std::vector<TCellPlace>& places, int from, TCellFocusMove move);

}  // namespace quorlet
