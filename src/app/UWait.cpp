#include "app/UWait.h"

#include "resources/resource.h"

namespace quorlet {

namespace {
INT_PTR CALLBACK WaitProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
}  // namespace

TfrmWait::TfrmWait(HINSTANCE instance, HWND owner) {
    FHandle = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WAIT), owner, &WaitProc, 0);
    if (!FHandle) return;
    RECT frame, wait;
    GetWindowRect(owner ? owner : GetDesktopWindow(), &frame);
    GetWindowRect(FHandle, &wait);
    const int width = wait.right - wait.left, height = wait.bottom - wait.top;
    // Placed while hidden, then shown: a window manager takes the place as given.
    SetWindowPos(FHandle, HWND_TOP, frame.left + (frame.right - frame.left - width) / 2,
                 frame.top + (frame.bottom - frame.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(FHandle, SW_SHOWNA);
    // Painted now, children included: the work it covers runs on this thread
    // and lets no paint message through.
    RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A look at the queue, taking nothing from it, lets a window system that
    // draws off screen first (Wine) put the picture on the screen.
    MSG pending;
    PeekMessageA(&pending, FHandle, 0, 0, PM_NOREMOVE);
}

TfrmWait::~TfrmWait() {
    if (FHandle) DestroyWindow(FHandle);
}

void TfrmWait::Hide() {
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

}  // namespace quorlet
