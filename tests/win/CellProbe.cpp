#include "CellProbe.h"

#include <vector>

#include <oleacc.h>

#include "app/MainControls.h"
#include "win32/ComPtr.h"

namespace quorlet {

LRESULT CellAnswer(const TCellRef& cell, UINT question) {
    DWORD_PTR answer = 0;
    if (!cell.Sheet || !SendMessageTimeoutA(cell.Sheet, question, static_cast<WPARAM>(cell.Id), 0, SMTO_ABORTIFHUNG,
                                            5000, &answer))
        return -1;
    return static_cast<LRESULT>(answer);
}

bool CellExists(const TCellRef& cell) { return CellAnswer(cell, WM_CELL_BUTTONID) != -1; }
int32_t CellButtonId(const TCellRef& cell) { return static_cast<int32_t>(CellAnswer(cell, WM_CELL_BUTTONID)); }
bool CellHasPicture(const TCellRef& cell) { return CellAnswer(cell, WM_CELL_HASPICTURE) == 1; }
bool CellVisible(const TCellRef& cell) { return CellAnswer(cell, WM_CELL_VISIBLE) == 1; }

bool SheetLoading(HWND sheet) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(sheet, WM_SHEET_LOADING, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) && answer == 1;
}

namespace {
LPARAM PointIn(const TCellRef& cell, int dx, int dy) {
    RECT r = {};
    CellRect(cell, r);
    const int x = dx < 0 ? (r.left + r.right) / 2 : r.left + dx;
    const int y = dy < 0 ? (r.top + r.bottom) / 2 : r.top + dy;
    return MAKELPARAM(x, y);
}
}  // namespace

LRESULT SendCellMouse(const TCellRef& cell, UINT message, WPARAM keys, int dx, int dy) {
    return SendMessageA(cell.Sheet, message, keys, PointIn(cell, dx, dy));
}

void PostCellClick(const TCellRef& cell, WPARAM keys) {
    const LPARAM at = PointIn(cell, -1, -1);
    PostMessageA(cell.Sheet, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    PostMessageA(cell.Sheet, WM_LBUTTONUP, keys, at);
}

bool SendCellClick(const TCellRef& cell, WPARAM keys, DWORD timeoutMs) {
    const LPARAM at = PointIn(cell, -1, -1);
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(cell.Sheet, WM_LBUTTONDOWN, MK_LBUTTON | keys, at, SMTO_NORMAL, timeoutMs, &ignored) &&
           SendMessageTimeoutA(cell.Sheet, WM_LBUTTONUP, keys, at, SMTO_NORMAL, timeoutMs, &ignored);
}

namespace {

std::string Narrow(BSTR text) {
    if (!text) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), nullptr, 0, nullptr,
                                           nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), &result[0], length, nullptr, nullptr);
    SysFreeString(text);
    return result;
}

VARIANT ChildId(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// A sheet's accessible object as a tool gets it. Getting one from another
// process takes several round trips and reading it one, so each thread keeps
// the objects of the sheets it asked while those sheets live (and COM from
// its first question on).
struct TKnownSheet {
    HWND Sheet;
    DWORD ProcessId;
    TComPtr<IAccessible> Object;
};

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

IAccessible* SheetAccessible(HWND sheet) {
    using TFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const HMODULE library = LoadLibraryA("oleacc.dll");
    static const TFromWindow fromWindow =
        library ? reinterpret_cast<TFromWindow>(
                      reinterpret_cast<void*>(GetProcAddress(library, "AccessibleObjectFromWindow")))
                : nullptr;
    if (!fromWindow || !sheet || !IsWindow(sheet)) return nullptr;
    EnsureThreadApartment();
    thread_local std::vector<TKnownSheet> known;
    for (auto entry = known.begin(); entry != known.end();)
        if (!IsWindow(entry->Sheet) || ProcessOf(entry->Sheet) != entry->ProcessId)
            entry = known.erase(entry);
        else
            ++entry;
    for (const TKnownSheet& entry : known)
        if (entry.Sheet == sheet) return entry.Object.Get();
    TComPtr<IAccessible> object;
    if (FAILED(fromWindow(sheet, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, object.PutVoid())) || !object)
        return nullptr;
    known.push_back(TKnownSheet{sheet, ProcessOf(sheet), std::move(object)});
    return known.back().Object.Get();
}

}  // namespace

std::string CellHint(const TCellRef& cell) {
    if (!cell.Sheet) return "<no sheet>";
    const LRESULT child = CellAnswer(cell, WM_CELL_ACCCHILD);
    if (child < 1) return "<no cell>";
    IAccessible* sheet = SheetAccessible(cell.Sheet);
    BSTR name = nullptr;
    if (!sheet || FAILED(sheet->get_accName(ChildId(static_cast<long>(child)), &name))) return "<unreadable>";
    return Narrow(name);
}

bool CellScreenRect(const TCellRef& cell, RECT& rect) {
    const LRESULT child = CellAnswer(cell, WM_CELL_ACCCHILD);
    if (child < 1) return false;
    IAccessible* sheet = SheetAccessible(cell.Sheet);
    long left = 0, top = 0, width = 0, height = 0;
    if (!sheet || FAILED(sheet->accLocation(&left, &top, &width, &height, ChildId(static_cast<long>(child)))))
        return false;
    rect = RECT{left, top, left + width, top + height};
    return true;
}

bool CellRect(const TCellRef& cell, RECT& rect) {
    if (!CellScreenRect(cell, rect)) return false;
    MapWindowPoints(nullptr, cell.Sheet, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

POINT CellScreenCenter(const TCellRef& cell) {
    RECT r = {};
    CellScreenRect(cell, r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool AccessibleCells(HWND sheet, std::vector<TAccessibleCell>& cells) {
    IAccessible* accessible = SheetAccessible(sheet);
    cells.clear();
    if (!accessible) return false;
    long count = 0;
    bool ok = SUCCEEDED(accessible->get_accChildCount(&count));
    for (long id = 1; ok && id <= count; ++id) {
        TAccessibleCell cell;
        BSTR name = nullptr;
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        long left = 0, top = 0, width = 0, height = 0;
        ok = SUCCEEDED(accessible->get_accName(ChildId(id), &name)) &&
             SUCCEEDED(accessible->get_accRole(ChildId(id), &role)) &&
             SUCCEEDED(accessible->get_accState(ChildId(id), &state)) &&
             SUCCEEDED(accessible->accLocation(&left, &top, &width, &height, ChildId(id)));
        cell.Name = Narrow(name);
        cell.Role = role.lVal;
        cell.State = state.lVal;
        cell.Location = RECT{left, top, left + width, top + height};
        cells.push_back(cell);
    }
    return ok;
}

long AccessibleChildAt(HWND sheet, POINT point) {
    IAccessible* accessible = SheetAccessible(sheet);
    if (!accessible) return -1;
    VARIANT child;
    VariantInit(&child);
    const HRESULT hit = accessible->accHitTest(point.x, point.y, &child);
    return hit == S_OK && child.vt == VT_I4 ? child.lVal : -1;
}

}  // namespace quorlet
