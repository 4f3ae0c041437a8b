#include "app/UMain.h"

#include <exception>

#include <commctrl.h>

#include "resources/resource.h"

namespace quorlet {

const char* const TfrmQuorlet::ClassName = "TfrmQuorlet";

namespace {
const DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

TfrmQuorlet::~TfrmQuorlet() {
    // The child windows go before the objects that answer their messages.
    DestroyHandle();
}

bool TfrmQuorlet::Create(HINSTANCE instance, HWND applicationWindow) {
    FInstance = instance;
    HICON icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 32, 32, LR_SHARED));
    HICON smallIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 16, 16, LR_SHARED));
    if (!RegisterWindowClass(instance, ClassName, icon, smallIcon,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
        FErrorText = "Cannot register the main window class.";
        return false;
    }
    // FormCreate gives the window its final size.
    RECT frame = {0, 0, ClientWidth, 120};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    if (!CreateHandle(0, ClassName, "", kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, applicationWindow,
                      instance)) {
        if (FErrorText.empty()) FErrorText = "Cannot create the main window.";
        return false;
    }
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return true;
}

void TfrmQuorlet::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    FormShow();
    UpdateWindow(Handle());
}

LRESULT TfrmQuorlet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            try {
                FormCreate();
            } catch (const std::exception& e) {
                FErrorText = e.what();
                return -1;
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
            break;
        case WM_ACTIVATEAPP:
            if (wParam)
                ApplicationActive();
            else
                ApplicationDeActive();
            break;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == FPageControl && header->code == TCN_SELCHANGE) {
                MorePageControlChange();
                return 0;
            }
            break;
        }
        case WM_MOVE:
            DefaultHandler(message, wParam, lParam);
            WMMove();
            return 0;
        case WM_MOUSEMOVE:
            SetApplicationHint(std::string());
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            FormKeyDown();
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            FormKeyUp();
            break;
        case WM_CLOSE:
            try {
                FormClose();
            } catch (const std::exception& e) {
                // The settings could not be saved: say so, and close all the same.
                MessageBoxA(Handle(), e.what(), "Quorlet", MB_OK | MB_ICONERROR);
            }
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            FIconPrefetcher.Stop();
            PostQuitMessage(0);
            return 0;
        case WM_QUORLET_RUNNING:
            WMQuorletRunning();
            return 0;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

}  // namespace quorlet
