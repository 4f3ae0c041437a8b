#pragma once
// The application's hidden owner window. Its extended style is exactly
// WS_EX_TOOLWINDOW, so the main window it owns gets no taskbar button.

#include "win32/TWindowBase.h"

namespace quorlet {

class TApplicationWindow : public TWindowBase {
public:
    static const char* const ClassName;
    bool Create(HINSTANCE instance);
};

}  // namespace quorlet
