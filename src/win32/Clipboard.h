#pragma once
// The clipboard's text.

#include <string>

#include <windows.h>

namespace quorlet {

// The clipboard holds text (CF_TEXT, the ANSI code page) afterwards; false
// when the clipboard could not be opened or filled.
bool SetClipboardText(HWND owner, const std::string& text);

}  // namespace quorlet
