#include "app/TStatusLine.h"

#include <commctrl.h>

#include "app/MainControls.h"

namespace quorlet {

TStatusLine::TStatusLine(const TDpiScale& scale)
    : FScale(scale),
      FPicture([this](HDC dc) { DrawBar(dc); },
               {SB_GETTEXTA, SB_GETTEXTW, SB_GETTEXTLENGTHA, SB_GETTEXTLENGTHW, SB_GETPARTS, SB_GETBORDERS, SB_GETRECT,
                SB_ISSIMPLE, SB_GETTIPTEXTA, SB_GETTIPTEXTW, SB_GETICON}) {}

void TStatusLine::Create(HINSTANCE instance, HWND parent) {
    // The bar keeps the height given to it instead of the one the system picks.
    FHandle = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                              0, Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdStatusBar)), instance,
                              nullptr);
    if (FHandle) {
        // The bar's procedure is replaced, not subclassed through the common
        // controls, which look up a window property for every message.
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        FBarProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TStatusLine::BarProc)));
    }
    SetParts();
}

void TStatusLine::DrawBar(HDC dc) {
    // As the bar draws itself on the screen: its class background, then the panels.
    CallWindowProcA(FBarProc, FHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    CallWindowProcA(FBarProc, FHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

LRESULT CALLBACK TStatusLine::BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TStatusLine* line = reinterpret_cast<TStatusLine*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const WNDPROC barProc = line->FBarProc;
    if (line->FPicture.Handle(hwnd, message)) return 0;
    if (message == WM_NCDESTROY) {
        // The bar goes: its own procedure takes its last message.
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(barProc));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return CallWindowProcA(barProc, hwnd, message, wParam, lParam);
}

void TStatusLine::SetParts() {
    // The counts panel is the last one: it runs to the right edge, so longer
    // counts are not cut off.
    int edges[2] = {HintPanelWidth(), -1};
    SendMessageA(FHandle, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void TStatusLine::Rescale(HFONT font) {
    // Without a font of its own the bar takes the system's again.
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetParts();
}

void TStatusLine::Place(int top, int width) { MoveWindow(FHandle, 0, top, width, Height(), TRUE); }

void TStatusLine::SetPanel(int panel, const std::string& text) {
    if (panel >= 0 && panel < 2) {
        if (FPanels[panel] == text) return;
        FPanels[panel] = text;
    }
    SendMessageA(FHandle, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TStatusLine::PanelText(int panel) const {
    const LRESULT info = SendMessageA(FHandle, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessageA(FHandle, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(LOWORD(info));
    return text;
}

void TStatusLine::ShowHint(const void* source, const std::string& hint) {
    FHintSource = source;
    if (hint == FHint) return;
    FHint = hint;
    ShowHintInStatus();
}

void TStatusLine::SourceLeft(const void* source) {
    if (source == FHintSource) ClearHint();
}

void TStatusLine::ShowHintInStatus() {
    FHeldWrite = FHeld > 0;
    if (FHeldWrite) return;
    // Composed in a kept string: a hint that changes every second (the armed
    // alarm's) costs no allocation.
    FLine.assign(FPrefix ? FPrefix() : std::string());
    FLine += FHint;
    SetPanel(0, FLine);
}

}  // namespace quorlet
