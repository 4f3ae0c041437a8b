#include "app/TCell.h"

#include "app/TSheetWindow.h"
#include "launcher/ButtonGrid.h"

namespace quorlet {

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}

TShiftState KeyboardShiftState() {
    // The three keys in one question to the system (each activation asks).
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return 0;
    TShiftState shift = 0;
    if (keys[VK_SHIFT] & 0x80) shift |= ssShift;
    if (keys[VK_CONTROL] & 0x80) shift |= ssCtrl;
    if (keys[VK_MENU] & 0x80) shift |= ssAlt;
    return shift;
}

TCell::TCell(TSheetWindow& page, TCellKind kind, int slot, int controlId, int left, int top)
    : FPage(page), FKind(kind), FSlot(slot), FControlId(controlId), FLeft(left), FTop(top) {
    Place();
}

void TCell::Place() {
    // The far edges scale from the layout too, so neighbours keep their gaps.
    const TDpiScale& scale = FPage.Scale();
    FBounds = {scale.Px(FLeft), scale.Px(FTop), scale.Px(FLeft + kCellSize), scale.Px(FTop + kCellSize)};
}

TCell::~TCell() { CancelPicture(); }

void TCell::CancelPicture() {
    if (FTicket && FLoader) FLoader->Cancel(FTicket);
    FTicket = 0;
}

void TCell::Invalidate() { FPage.Repaint(&FBounds, false); }

void TCell::SetPicture(TOwnedIcon icon) {
    CancelPicture();
    FIcon = std::move(icon);
    Invalidate();
}

void TCell::LoadPicture(TIconLoader& loader, const TIconLoader::TIconKey& key) {
    CancelPicture();
    FPage.DisposeLater(std::move(FIcon));
    FLoader = &loader;
    FTicket = loader.Request(FPage.Handle(), WM_CELL_ICONLOADED, key, FPage.Scale().IconSize());
    Invalidate();
}

bool TCell::PictureLoaded(uint64_t ticket) {
    // An answer to an earlier request is not this cell's any more, and a
    // notice whose icon is not finished (sent by someone else) takes nothing.
    if (!FLoader || ticket != FTicket || !FLoader->IsReady(ticket)) return false;
    FTicket = 0;
    FIcon = FLoader->Take(ticket);
    Invalidate();
    return true;
}

void TCell::SetHint(const std::string& hint) {
    if (hint == FHint) return;
    FHint = hint;
    FPage.CellHintChanged(*this);
}

void TCell::SetHint(const char* hint) {
    if (FHint == hint) return;
    FHint.assign(hint);
    FPage.CellHintChanged(*this);
}

void TCell::SetFrame(TCellFrame frame) {
    if (frame == FFrame) return;
    FFrame = frame;
    Invalidate();
}

void TCell::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    // Hidden, its place shows the page.
    FPage.Repaint(&FBounds, true);
}

void TCell::SetSelected(bool selected) {
    if (selected == FSelected) return;
    FSelected = selected;
    Invalidate();
}

void TCell::SetOverlay(HICON overlay) {
    if (overlay == FOverlay) return;
    FOverlay = overlay;
    Invalidate();
}

void TCell::PaintTo(HDC dc) {
    // An icon that is ready by now is shown at once, not one paint later.
    if (FTicket && FLoader) {
        if (TOwnedIcon icon = FLoader->Take(FTicket)) {
            FTicket = 0;
            FIcon = std::move(icon);
        }
    }
    const RECT& r = FBounds;
    FillRect(dc, &r, GetSysColorBrush(FSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (FIcon) {
        // Centred: one pixel of frame around it at 96 DPI.
        const int size = FPage.Scale().IconSize();
        const int left = r.left + (r.right - r.left - size) / 2, top = r.top + (r.bottom - r.top - size) / 2;
        DrawIconEx(dc, left, top, static_cast<HICON>(FIcon.Get()), size, size, 0, nullptr, DI_NORMAL);
        // An overlay is drawn as the shell draws one: over the whole icon.
        if (FOverlay) DrawIconEx(dc, left, top, FOverlay, size, size, 0, nullptr, DI_NORMAL);
    }
    switch (FFramed ? FFrame : TCellFrame::Normal) {
    case TCellFrame::Normal:
        if (!FFramed) break;
        DrawEdge(dc, const_cast<RECT*>(&r), BDR_RAISEDOUTER, BF_RECT);
        break;
    case TCellFrame::LeftPressed: {
        DrawEdge(dc, const_cast<RECT*>(&r), BDR_RAISEDOUTER, BF_RECT);
        RECT inner = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        DrawEdge(dc, &inner, BDR_SUNKENINNER, BF_RECT);
        break;
    }
    case TCellFrame::RightPressed:
        DrawEdge(dc, const_cast<RECT*>(&r), BDR_SUNKENOUTER, BF_RECT);
        break;
    }
}

}  // namespace quorlet
