#pragma once
// A cell of the launcher window as another process (or a test in the same
// one) sees it: the sheet that draws it and its identifier there. The sheet
// answers questions about it with values (win32/ProgramMessages.h); its hint
// and place are read as accessibility tools read them. Clicks and pointer
// moves go to the sheet at the cell's place.

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

namespace quorlet {

struct TCellRef {
    HWND Sheet = nullptr;
    int Id = 0;
};

// The sheet's answer to a question about the cell; -1 when it has no such
// cell or does not answer.
LRESULT CellAnswer(const TCellRef& cell, UINT question);
bool CellExists(const TCellRef& cell);
int32_t CellButtonId(const TCellRef& cell);
bool CellHasPicture(const TCellRef& cell);
bool CellVisible(const TCellRef& cell);
// "<no cell>" when the sheet has no such cell, "<unreadable>" when it cannot be read.
std::string CellHint(const TCellRef& cell);
// The cell's place in its sheet's client area; false when there is no such cell.
bool CellRect(const TCellRef& cell, RECT& rect);
bool CellScreenRect(const TCellRef& cell, RECT& rect);
POINT CellScreenCenter(const TCellRef& cell);
// 1 while an icon of one of the sheet's cells is still loading.
bool SheetLoading(HWND sheet);

// A mouse message sent to the sheet at a point of the cell (offset from its
// top left corner; the middle by default).
LRESULT SendCellMouse(const TCellRef& cell, UINT message, WPARAM keys, int dx = -1, int dy = -1);
// A click as messages posted to the sheet at the cell's middle; keys holds
// the MK_ flags of the modifiers (MK_SHIFT, MK_CONTROL).
void PostCellClick(const TCellRef& cell, WPARAM keys);
// The same click sent: when it returns true the sheet has handled it; false
// when the sheet did not answer within timeoutMs (a window the click opened
// holds it, say).
bool SendCellClick(const TCellRef& cell, WPARAM keys, DWORD timeoutMs);

// What accessibility tools see of a sheet's cells, in order: name, role,
// state and place on the screen. False when the sheet offers no accessible
// object.
struct TAccessibleCell {
    std::string Name;
    long Role = 0, State = 0;
    RECT Location = {};
};
bool AccessibleCells(HWND sheet, std::vector<TAccessibleCell>& cells);
// The child the tools find at a point of the screen (0: the sheet itself, -1: none).
long AccessibleChildAt(HWND sheet, POINT point);

}  // namespace quorlet
