#include "win32/ControlPicture.h"

#include <algorithm>
#include <utility>

namespace quorlet {

namespace {

// The colours a control and its parent's background are drawn with.
const int kColourIndexes[] = {COLOR_BTNFACE,  COLOR_BTNTEXT,   COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW,
                              COLOR_3DLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT, COLOR_WINDOW};

std::vector<COLORREF> SystemColours() {
    std::vector<COLORREF> colours;
    for (int index : kColourIndexes) colours.push_back(GetSysColor(index));
    return colours;
}

}  // namespace

TControlPicture::TControlPicture(TDrawInto drawInto, std::initializer_list<UINT> queries)
    : FDrawInto(std::move(drawInto)), FQueries(queries) {}

TControlPicture::~TControlPicture() { Release(); }

void TControlPicture::Release() {
    if (FMemory) {
        SelectObject(FMemory, FOldBitmap);
        DeleteDC(FMemory);
    }
    if (FBitmap) DeleteObject(FBitmap);
    FMemory = nullptr;
    FBitmap = nullptr;
    FWidth = FHeight = 0;
    FCurrent = false;
}

void TControlPicture::Forget(const RECT& part) {
    if (FCurrent) UnionRect(&FStale, &FStale, &part);
}

bool TControlPicture::Handle(HWND control, UINT message) {
    if (message == WM_PAINT) return Paint(control);
    if (!LeavesLookAlone(message)) Forget();
    return false;
}

bool TControlPicture::LeavesLookAlone(UINT message) const {
    switch (message) {
    // Painting, asking, and being moved or shown with the window.
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETOBJECT:
    case WM_GETDLGCODE:
    case WM_GETFONT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_QUERYUISTATE:
    case WM_NCCALCSIZE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SHOWWINDOW:
        return true;
    default:
        return std::find(FQueries.begin(), FQueries.end(), message) != FQueries.end();
    }
}

bool TControlPicture::Paint(HWND control) {
    RECT client;
    if (!GetClientRect(control, &client) || client.right <= 0 || client.bottom <= 0) return false;
    // A changed size, or other colours, make the picture useless.
    if (client.right != FWidth || client.bottom != FHeight || FColours != SystemColours()) FCurrent = false;
    if (!FCurrent && !Draw(client.right, client.bottom)) return false;
    if (!IsRectEmpty(&FStale)) {
        IntersectClipRect(FMemory, FStale.left, FStale.top, FStale.right, FStale.bottom);
        FDrawInto(FMemory);
        SelectClipRgn(FMemory, nullptr);
        GdiFlush();
        SetRectEmpty(&FStale);
    }
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(control, &ps)) {
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, FMemory, r.left, r.top, SRCCOPY);
    }
    EndPaint(control, &ps);
    return true;
}

bool TControlPicture::Draw(int width, int height) {
    if (width != FWidth || height != FHeight || !FMemory) {
        Release();
        // A DIB section: text and images come out as they do on the window.
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        FBitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        FMemory = CreateCompatibleDC(nullptr);
        if (!FBitmap || !FMemory) {
            Release();
            return false;
        }
        FOldBitmap = SelectObject(FMemory, FBitmap);
        FWidth = width;
        FHeight = height;
    }
    FColours = SystemColours();
    SetRectEmpty(&FStale);
    FDrawInto(FMemory);
    GdiFlush();
    FCurrent = true;
    return true;
}

}  // namespace quorlet
