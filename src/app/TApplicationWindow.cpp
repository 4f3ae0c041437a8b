#include "app/TApplicationWindow.h"

#include "resources/resource.h"

namespace quorlet {

const char* const TApplicationWindow::ClassName = "TQuorletApplication";

bool TApplicationWindow::Create(HINSTANCE instance) {
    HICON icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!RegisterWindowClass(instance, ClassName, icon, nullptr, nullptr)) return false;
    if (!CreateHandle(0, ClassName, "Quorlet", WS_POPUP,
                      0, 0, 0, 0, nullptr, instance))
        return false;
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return true;
}

}  // namespace quorlet
