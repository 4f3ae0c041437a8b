#include "win32/ControlHints.h"

#include <commctrl.h>

namespace quorlet {

HWND AddControlHints(HWND dialog, std::initializer_list<TControlHint> hints) {
    HWND tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (!tips) return nullptr;
    for (const TControlHint& hint : hints) {
        if (!hint.Control) continue;
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(hint.Control);
        tool.uId = reinterpret_cast<UINT_PTR>(hint.Control);
        tool.lpszText = const_cast<char*>(hint.Text);
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

}  // namespace quorlet
