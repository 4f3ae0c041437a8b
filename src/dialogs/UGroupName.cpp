#include "dialogs/UGroupName.h"

#include "dialogs/DialogPlace.h"
#include "launcher/GroupNameRule.h"
#include "resources/resource.h"
#include "win32/WindowText.h"

namespace quorlet {

const char* const TfrmGroupName::Caption = "Tabsheet name";

bool TfrmGroupName::Execute(HINSTANCE instance, HWND owner, std::string& name) {
    TfrmGroupName dialog(name);
    dialog.FOwner = owner;
    if (dialog.ShowModal(instance, IDD_GROUPNAME, owner) != IDOK) return false;
    name = dialog.FName;
    return true;
}

INT_PTR TfrmGroupName::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;  // the field has the focus, its text selected
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) break;  // Enter and Esc come as clicks too
        switch (LOWORD(wParam)) {
        case IDOK: btnOKClick(); return TRUE;
        case IDCANCEL: EndDialog(Handle(), IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

void TfrmGroupName::FormCreate() {
    SetDlgItemTextA(Handle(), IDC_GRP_NAME, FName.c_str());
    CentreWindowOn(Handle(), ScreenRectOf(FOwner));
}

void TfrmGroupName::btnOKClick() {
    HWND field = Item(IDC_GRP_NAME);
    const std::string text = WindowText(field);
    if (IsBlankGroupName(text)) {
        // The prompt stays, ready for the name.
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        return;
    }
    FName = text;
    EndDialog(Handle(), IDOK);
}

}  // namespace quorlet
