#include "win32/Clipboard.h"

#include <cstring>

namespace quorlet {

bool SetClipboardText(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool placed = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

}  // namespace quorlet
