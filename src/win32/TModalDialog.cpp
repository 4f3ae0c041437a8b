#include "win32/TModalDialog.h"

#include "win32/ErrorBoundary.h"

namespace quorlet {

INT_PTR TModalDialog::ShowModal(HINSTANCE instance, int templateId, HWND owner) {
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &TModalDialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    FHandle = nullptr;
    return result;
}

INT_PTR CALLBACK TModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TModalDialog*>(lParam);
        self->FHandle = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<TModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR failed = -2;
    const INT_PTR result =
        RunGuarded(dialog, failed, [&]() -> INT_PTR { return self->HandleMessage(message, wParam, lParam); });
    if (result != failed) return result;
    if (message == WM_INITDIALOG) EndDialog(dialog, IDCANCEL);
    return FALSE;
}

}  // namespace quorlet
