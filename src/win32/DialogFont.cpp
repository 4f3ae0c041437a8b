#include "win32/DialogFont.h"

namespace quorlet {

HFONT DialogFontWith(HWND dialog, bool bold, bool underline, int pointSize) {
    LOGFONTA font = {};
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (!dialogFont || !GetObjectA(dialogFont, sizeof font, &font)) return nullptr;
    if (bold) font.lfWeight = FW_BOLD;
    font.lfUnderline = underline;
    if (pointSize) {
        HDC screen = GetDC(dialog);
        font.lfHeight = -MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(dialog, screen);
    }
    return CreateFontIndirectA(&font);
}

}  // namespace quorlet
