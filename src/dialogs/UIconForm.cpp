#include "dialogs/UIconForm.h"

#include <commctrl.h>

#include "dialogs/DialogPlace.h"
#include "resources/resource.h"
#include "shell/ShellServices.h"
#include "win32/FileDialogs.h"
#include "win32/WindowText.h"

namespace quorlet {

bool TfrmIconForm::Execute(HINSTANCE instance, HWND owner, IPlatform& platform, std::string& file, int& index) {
    TfrmIconForm dialog(platform, owner);
    dialog.FStartFile = file;
    dialog.FStartIndex = index;
    if (dialog.ShowModal(instance, IDD_ICONFORM, owner) != IDOK) return false;
    file = dialog.FModel.File;
    index = dialog.FModel.Index;
    return true;
}

INT_PTR TfrmIconForm::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ICO_FILE:
            if (HIWORD(wParam) == EN_CHANGE && !FShowing) LabeledEditIconfileChange();
            return TRUE;
        case IDC_ICO_INDEX:
            if (HIWORD(wParam) == EN_CHANGE && !FShowing) SpinEditIconIndexChange();
            return TRUE;
        case IDC_ICO_BROWSE:
            if (HIWORD(wParam) == BN_CLICKED) btnLoactionFileClick();
            return TRUE;
        case IDOK:
            // Enter reaches OK even while it is disabled.
            if (IsWindowEnabled(Item(IDOK))) EndDialog(Handle(), IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(Handle(), IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void TfrmIconForm::FormCreate() {
    CentreWindowOn(Handle(), ScreenRectOf(FOwner));
    // The file first, then the index.
    FShowing = true;
    SetDlgItemTextA(Handle(), IDC_ICO_FILE, FStartFile.c_str());
    FShowing = false;
    LabeledEditIconfileChange();
    FModel.IndexChanged(FStartIndex);
    ShowModel();
}

void TfrmIconForm::LabeledEditIconfileChange() {
    FModel.FileChanged(WindowText(Item(IDC_ICO_FILE)));
    ShowModel();
}

void TfrmIconForm::SpinEditIconIndexChange() {
    BOOL read = FALSE;
    const int typed = static_cast<int>(GetDlgItemInt(Handle(), IDC_ICO_INDEX, &read, TRUE));
    // An empty field is being typed into: the index stays until a number comes.
    if (!read) return;
    FModel.IndexChanged(typed);
    // A number outside the range is put back into it.
    if (FModel.Index != typed)
        ShowModel();
    else
        ShowPreview();
}

void TfrmIconForm::btnLoactionFileClick() {
    std::string file;
    if (AskOpenFile(Handle(), "Icon file(*.ico)|*.ico|All Files(*.*)|*.*", std::string(), file))
        SetDlgItemTextA(Handle(), IDC_ICO_FILE, file.c_str());
}

void TfrmIconForm::ShowModel() {
    FShowing = true;
    SendDlgItemMessageA(Handle(), IDC_ICO_INDEXSPIN, UDM_SETRANGE32, FModel.MinIndex, FModel.MaxIndex);
    SetDlgItemInt(Handle(), IDC_ICO_INDEX, static_cast<UINT>(FModel.Index), TRUE);
    SetDlgItemInt(Handle(), IDC_ICO_MAXINDEX, static_cast<UINT>(FModel.MaxIndex), TRUE);
    EnableWindow(Item(IDC_ICO_INDEX), FModel.IndexEnabled);
    EnableWindow(Item(IDC_ICO_INDEXSPIN), FModel.IndexEnabled);
    EnableWindow(Item(IDOK), FModel.OkEnabled);
    FShowing = false;
    ShowPreview();
}

void TfrmIconForm::ShowPreview() {
    const int size = GetSystemMetrics(SM_CXICON);
    TOwnedIcon icon = FModel.PreviewShown ? GetFileIcon(FPlatform, FModel.File, FModel.IconNumber(), size)
                                          : TOwnedIcon();
    SendDlgItemMessageA(Handle(), IDC_ICO_PREVIEW, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
    // The control shows the new icon; the old one may go now.
    FPreview = std::move(icon);
}

}  // namespace quorlet
