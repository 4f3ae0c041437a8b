#pragma once
// Base of the program's dialogs: a resource template shown modally with
// DialogBoxParam, `this` handed over as its LPARAM and kept in DWLP_USER.
// Every message runs inside the error boundary: an error is shown in the
// "Quorlet" box and the message's work stops; a dialog that cannot be set up
// closes with IDCANCEL.

#include <windows.h>

namespace quorlet {

class TModalDialog {
public:
    TModalDialog() = default;
    virtual ~TModalDialog() = default;
    TModalDialog(const TModalDialog&) = delete;
    TModalDialog& operator=(const TModalDialog&) = delete;

    // The result EndDialog was given, or -1 when the dialog could not be made.
    INT_PTR ShowModal(HINSTANCE instance, int templateId, HWND owner);
    HWND Handle() const { return FHandle; }

protected:
    // Returns what a dialog procedure returns: TRUE for a message it handled.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    HWND Item(int id) const { return GetDlgItem(FHandle, id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FHandle = nullptr;
};

}  // namespace quorlet
