#include "dialogs/UAbout.h"

#include <commctrl.h>

#include <string>

#include "base/Addresses.h"
#include "dialogs/DialogPlace.h"
#include "resources/resource.h"
#include "win32/DialogFont.h"
#include "win32/WindowText.h"

namespace quorlet {

const char* const TfrmAbout::Caption = "About";
const char* const TfrmAbout::MailSubject = "Quorlet Support";
const COLORREF TfrmAbout::LinkColour = RGB(0, 0, 255);

namespace {

// The banner, in pixels at 96 dots per inch, and its point sizes.
const int kEmblemSize = 48;
const int kEmblemLeft = 16;
const int kTextGap = 14;
const int kTitlePoints = 18;
const int kSubtitlePoints = 9;
const char* const kTitle = "Quorlet";
const char* const kSubtitle = "Application Launcher";
const COLORREF kBandTop = RGB(255, 255, 255);
const COLORREF kBandBottom = RGB(222, 231, 245);
const COLORREF kBandLine = RGB(166, 182, 208);
const COLORREF kTitleColour = RGB(30, 66, 138);
const COLORREF kSubtitleColour = RGB(88, 98, 116);

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

BYTE Between(BYTE from, BYTE to, int step, int steps) {
    return static_cast<BYTE>(from + (to - from) * step / (steps > 1 ? steps - 1 : 1));
}

// The user's message font at pointSize for a screen of dpi dots per inch.
HFONT MessageFont(int pointSize, int dpi, int weight) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font = {};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) font = metrics.lfMessageFont;
    else lstrcpynA(font.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    font.lfHeight = -MulDiv(pointSize, dpi, 72);
    font.lfWidth = 0;
    font.lfWeight = weight;
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;
    return CreateFontIndirectA(&font);
}

void SetFont(HWND control, HFONT font) {
    if (control && font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

RECT AboutEmblemRect(const RECT& area, int dpi) {
    const int size = Scaled(kEmblemSize, dpi);
    RECT emblem;
    emblem.left = area.left + Scaled(kEmblemLeft, dpi);
    emblem.top = area.top + (area.bottom - area.top - size) / 2;
    emblem.right = emblem.left + size;
    emblem.bottom = emblem.top + size;
    return emblem;
}

void PaintAboutBanner(HDC dc, const RECT& area, int dpi, HINSTANCE instance) {
    // The band: a gradient from white down to a pale blue, a row at a time,
    // and a line along its bottom.
    const int line = Scaled(1, dpi);
    const int rows = area.bottom - area.top - line;
    for (int y = 0; y < rows; ++y) {
        const COLORREF colour =
            RGB(Between(GetRValue(kBandTop), GetRValue(kBandBottom), y, rows),
                Between(GetGValue(kBandTop), GetGValue(kBandBottom), y, rows),
                Between(GetBValue(kBandTop), GetBValue(kBandBottom), y, rows));
        RECT row = {area.left, area.top + y, area.right, area.top + y + 1};
        SetBkColor(dc, colour);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);
    }
    RECT bottom = {area.left, area.bottom - line, area.right, area.bottom};
    SetBkColor(dc, kBandLine);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &bottom, nullptr, 0, nullptr);

    // The emblem, drawn from the picture of its size: crisp at 1x and 2x.
    const RECT emblem = AboutEmblemRect(area, dpi);
    const int size = emblem.right - emblem.left;
    TUniqueIcon picture(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ABOUTEMBLEM), IMAGE_ICON, size, size, 0)));
    if (picture) DrawIconEx(dc, emblem.left, emblem.top, picture.Get(), size, size, 0, nullptr, DI_NORMAL);

    // The name and what the program is, centred on the band's height as a block.
    TUniqueFont title(MessageFont(kTitlePoints, dpi, FW_BOLD));
    TUniqueFont subtitle(MessageFont(kSubtitlePoints, dpi, FW_NORMAL));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, title.Get());
    TEXTMETRICA titleMetrics = {}, subtitleMetrics = {};
    GetTextMetricsA(dc, &titleMetrics);
    SelectObject(dc, subtitle.Get());
    GetTextMetricsA(dc, &subtitleMetrics);
    const int x = emblem.right + Scaled(kTextGap, dpi);
    const int block = titleMetrics.tmHeight + subtitleMetrics.tmHeight;
    const int top = area.top + (rows - block) / 2;
    SelectObject(dc, title.Get());
    SetTextColor(dc, kTitleColour);
    TextOutA(dc, x, top, kTitle, lstrlenA(kTitle));
    SelectObject(dc, subtitle.Get());
    SetTextColor(dc, kSubtitleColour);
    TextOutA(dc, x + Scaled(1, dpi), top + titleMetrics.tmHeight, kSubtitle, lstrlenA(kSubtitle));
    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}

void TfrmAbout::Execute(IPlatform& platform, HINSTANCE instance, HWND owner) {
    TfrmAbout about(platform);
    about.FInstance = instance;
    about.ShowModal(instance, IDD_ABOUT, owner);
}

bool TfrmAbout::IsLink(HWND window) const {
    return window && (window == Item(IDC_ABOUT_MAIL) || window == Item(IDC_ABOUT_WEB));
}

INT_PTR TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        SetFocus(Item(IDOK));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT_MAIL:
            if (HIWORD(wParam) == STN_CLICKED) LabelMailClick();
            return TRUE;
        case IDC_ABOUT_WEB:
            if (HIWORD(wParam) == STN_CLICKED) LabelWebClick();
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(Handle(), LOWORD(wParam)); return TRUE;
        }
        break;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_ABOUT_BANNER) break;
        PaintAboutBanner(item.hDC, item.rcItem, GetDeviceCaps(item.hDC, LOGPIXELSY), FInstance);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (IsLink(reinterpret_cast<HWND>(lParam))) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, LinkColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_SETCURSOR:
        if (IsLink(reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void TfrmAbout::FormCreate() {
    // The program's icon in the title bar.
    SendMessageA(Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(FInstance, MAKEINTRESOURCEA(IDI_MAINICON))));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageA(FInstance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                     LR_SHARED)));
    FHeadingFont.Reset(DialogFontWith(Handle(), true, false, 10));
    FBoldFont.Reset(DialogFontWith(Handle(), true, false, 0));
    FLinkFont.Reset(DialogFontWith(Handle(), false, true, 0));
    SetFont(Item(IDC_ABOUT_HEADING), FHeadingFont.Get());
    // The version and its date stand out; their captions stay plain.
    SetFont(Item(IDC_ABOUT_VERSION), FBoldFont.Get());
    SetFont(Item(IDC_ABOUT_UPDATE), FBoldFont.Get());
    SetUpLink(IDC_ABOUT_MAIL, SupportMailAddress);
    SetUpLink(IDC_ABOUT_WEB, HomePageAddress);
    CentreWindowOn(Handle(), ScreenRectOf(nullptr));
}

void TfrmAbout::SetUpLink(int id, const char* address) {
    HWND link = Item(id);
    SetWindowTextA(link, address);
    SetFont(link, FLinkFont.Get());
    HDC dc = GetDC(link);
    HGDIOBJ old = SelectObject(dc, FLinkFont ? FLinkFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text = {};
    GetTextExtentPoint32A(dc, address, lstrlenA(address), &text);
    const int pad = MulDiv(2, GetDeviceCaps(dc, LOGPIXELSX), 96);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    // The text stays where the template puts it; the room round it holds the
    // focus frame (the template centres the text in the control).
    RECT place;
    GetWindowRect(link, &place);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(link, nullptr, place.left - pad, place.top - pad, text.cx + 2 * pad, text.cy + 2 * pad,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowSubclass(link, &TfrmAbout::LinkProc, 0, 0);
}

void TfrmAbout::LabelMailClick() {
    const std::string mail = "mailto:" + WindowText(Item(IDC_ABOUT_MAIL)) + "?subject=" + MailSubject;
    FPlatform.ShellOpen("open", mail, "", "", swShowNormal, TShellOwner::Window, Handle());
}

void TfrmAbout::LabelWebClick() {
    FPlatform.ShellOpen("open", WindowText(Item(IDC_ABOUT_WEB)), "", "", swShowNormal, TShellOwner::Window, Handle());
}

// A link from the keyboard: a tab stop that Enter or Space follows, with a
// focus frame while it has the focus.
LRESULT CALLBACK TfrmAbout::LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_GETDLGCODE: {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key && ((key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE)) ||
                    (key->message == WM_CHAR && (key->wParam == '\r' || key->wParam == ' '))))
            return DLGC_WANTMESSAGE;
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            SendMessageA(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                         reinterpret_cast<LPARAM>(link));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == ' ') return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        InvalidateRect(link, nullptr, TRUE);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(link, &paint);
        DefSubclassProc(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        if (GetFocus() == link && !(SendMessageA(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
            RECT frame;
            GetClientRect(link, &frame);
            DrawFocusRect(dc, &frame);
        }
        EndPaint(link, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(link, &TfrmAbout::LinkProc, 0);
        break;
    }
    return DefSubclassProc(link, message, wParam, lParam);
}

}  // namespace quorlet
