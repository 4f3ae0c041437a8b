#pragma once
// Fonts derived from a dialog's own font.

#include <windows.h>

namespace quorlet {

// The dialog's font, bold and underlined as asked, and at pointSize when that
// is not 0; null when the dialog has no font. The caller owns it.
HFONT DialogFontWith(HWND dialog, bool bold, bool underline, int pointSize);

}  // namespace quorlet
