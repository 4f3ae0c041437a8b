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
    SetWindowPos(FHandle, HWND_TOP, frame.left + (frame.right - frame.left - width) / 2,
                 frame.top + (frame.bottom - frame.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(FHandle);
}

TfrmWait::~TfrmWait() {
    if (FHandle) DestroyWindow(FHandle);
}

void TfrmWait::Hide() {
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

}  // namespace quorlet
