#include "dialogs/UBtnProperties.h"

#include <commctrl.h>

#include "dialogs/DialogPlace.h"
#include "dialogs/UIconForm.h"
#include "resources/resource.h"
#include "shell/HelpTopics.h"
#include "shell/ShellServices.h"
#include "win32/ControlHints.h"
#include "win32/FileDialogs.h"
#include "win32/KeyNames.h"
#include "win32/TabPage.h"
#include "win32/WindowText.h"

namespace quorlet {

namespace {

// A control's rectangle in its parent's client area.
RECT PlaceOf(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Selection(HWND list) { return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)); }

}  // namespace

TfrmBtnProperties::TfrmBtnProperties(HINSTANCE instance, HWND owner, IPlatform& platform, TBtnSettingXml& record,
                                     bool analyseLinkFile)
    : FInstance(instance), FOwner(owner), FPlatform(platform),
      FModel(platform, record, SystemKeyName, analyseLinkFile) {}

bool TfrmBtnProperties::Execute(HINSTANCE instance, HWND owner, IPlatform& platform, TBtnSettingXml& record,
                                bool analyseLinkFile) {
    TfrmBtnProperties dialog(instance, owner, platform, record, analyseLinkFile);
    return dialog.ShowModal(instance, IDD_BTNPROPERTIES, owner) == IDOK;
}

INT_PTR TfrmBtnProperties::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if ((id == IDC_BTN_COMMAND || id == IDC_BTN_WORKDIR) && code == EN_CHANGE) {
            if (!FWriting) LabeledEditCommandChange();
            return TRUE;
        }
        if (id == IDC_BTN_COMMAND && code == EN_KILLFOCUS) {
            LabeledEditCommandExit();
            return TRUE;
        }
        if (code != BN_CLICKED) break;
        switch (id) {
        case IDC_BTN_SELECTFILE: btnLoactionFileClick(); return TRUE;
        case IDC_BTN_SELECTFOLDER: btnLocationPathClick(); return TRUE;
        case IDC_BTN_RESOLVE: btnLinkFileClick(); return TRUE;
        case IDC_BTN_CHOOSE: Button1Click(); return TRUE;
        case IDC_BTN_HELP: btnHelpClick(); return TRUE;
        case IDOK: ButtonOKClick(); return TRUE;
        case IDCANCEL: EndDialog(Handle(), IDCANCEL); return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

void TfrmBtnProperties::FormCreate() {
    FPage = CreateTabPage(FInstance, Handle(), IDC_BTN_PAGES, "Icon Taget Setting", IDD_BTNPROPERTIES_PAGE,
                          IDC_BTN_PAGE);
    for (const char* item : WindowStyleItems)
        SendMessageA(Control(IDC_BTN_WINDOWSTYLE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const char* item : PriorityItems)
        SendMessageA(Control(IDC_BTN_PRIORITY), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    AddControlHints(Handle(), {{Control(IDC_BTN_SELECTFILE), "Select target file"},
                               {Control(IDC_BTN_SELECTFOLDER), "Select folder"}});
    // "File " is as wide as "Work Folder", or ends before "Resolve lnk file"
    // with the gap the fields keep to their buttons.
    const RECT command = PlaceOf(Control(IDC_BTN_COMMAND)), workDir = PlaceOf(Control(IDC_BTN_WORKDIR)),
               resolve = PlaceOf(Control(IDC_BTN_RESOLVE)), selectFile = PlaceOf(Control(IDC_BTN_SELECTFILE));
    FCommandFullWidth = workDir.right - workDir.left;
    FCommandNarrowWidth = resolve.left - (selectFile.left - workDir.right) - command.left;
    CentreWindowOn(Handle(), ScreenRectOf(FOwner));

    FModel.Open();
    // Written without the change rule: the model ran it where it runs (a new
    // record's fields stay empty, with no rule run yet).
    if (FModel.EditPageVisible)
        WriteFields();
    else
        ShowWindow(FPage, SW_HIDE);
    ShowRules();
    ShowPreview();
}

void TfrmBtnProperties::ReadFields() {
    TButtonPropertiesFields& f = FModel.Fields;
    f.Command = WindowText(Control(IDC_BTN_COMMAND));
    f.Parameters = WindowText(Control(IDC_BTN_PARAMETERS));
    f.WorkingDir = WindowText(Control(IDC_BTN_WORKDIR));
    f.Description = WindowText(Control(IDC_BTN_DESCRIPTION));
    f.WindowStyle = Selection(Control(IDC_BTN_WINDOWSTYLE));
    f.Priority = Selection(Control(IDC_BTN_PRIORITY));
    f.EnableReport = IsDlgButtonChecked(FPage, IDC_BTN_ENABLEREPORT) == BST_CHECKED;
    f.HotKey = static_cast<uint16_t>(SendMessageA(Control(IDC_BTN_HOTKEY), HKM_GETHOTKEY, 0, 0));
}

void TfrmBtnProperties::WriteFields() {
    const TButtonPropertiesFields& f = FModel.Fields;
    FWriting = true;
    SetWindowTextA(Control(IDC_BTN_COMMAND), f.Command.c_str());
    SetWindowTextA(Control(IDC_BTN_PARAMETERS), f.Parameters.c_str());
    SetWindowTextA(Control(IDC_BTN_WORKDIR), f.WorkingDir.c_str());
    SetWindowTextA(Control(IDC_BTN_DESCRIPTION), f.Description.c_str());
    FWriting = false;
    SendMessageA(Control(IDC_BTN_WINDOWSTYLE), CB_SETCURSEL, static_cast<WPARAM>(f.WindowStyle), 0);
    SendMessageA(Control(IDC_BTN_PRIORITY), CB_SETCURSEL, static_cast<WPARAM>(f.Priority), 0);
    CheckDlgButton(FPage, IDC_BTN_ENABLEREPORT, f.EnableReport ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(Control(IDC_BTN_HOTKEY), HKM_SETHOTKEY, f.HotKey, 0);
}

void TfrmBtnProperties::ShowRules() {
    HWND resolve = Control(IDC_BTN_RESOLVE);
    ShowWindow(resolve, FModel.ResolveVisible ? SW_SHOWNA : SW_HIDE);
    EnableWindow(resolve, FModel.ResolveEnabled);
    HWND command = Control(IDC_BTN_COMMAND);
    const RECT place = PlaceOf(command);
    // Room is left only for a button that shows.
    const int width = FModel.ResolveEnabled && FModel.ResolveVisible ? FCommandNarrowWidth : FCommandFullWidth;
    if (place.right - place.left != width)
        SetWindowPos(command, nullptr, 0, 0, width, place.bottom - place.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(Item(IDOK), FModel.OkEnabled);
}

void TfrmBtnProperties::ShowPreview() {
    // A record without an icon file shows none (the shell would give a folder's).
    TOwnedIcon icon = FModel.IconFile().empty()
                          ? TOwnedIcon()
                          : GetFileIcon(FPlatform, FModel.IconFile(), FModel.IconNumber(), GetSystemMetrics(SM_CXICON));
    SendMessageA(Control(IDC_BTN_ICON), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
    FPreview = std::move(icon);
}

void TfrmBtnProperties::LabeledEditCommandChange() {
    FModel.Fields.Command = WindowText(Control(IDC_BTN_COMMAND));
    FModel.Fields.WorkingDir = WindowText(Control(IDC_BTN_WORKDIR));
    FModel.ApplyChangeRule();
    ShowRules();
}

void TfrmBtnProperties::LabeledEditCommandExit() {
    ReadFields();
    const std::string before = FModel.Fields.Description;
    FModel.DescribeTarget();
    if (FModel.Fields.Description != before)
        SetWindowTextA(Control(IDC_BTN_DESCRIPTION), FModel.Fields.Description.c_str());
}

void TfrmBtnProperties::btnLoactionFileClick() {
    std::string file;
    if (!AskOpenFile(Handle(), "Program File(*.exe)|*.exe|All Files(*.*)|*.*", std::string(), file)) return;
    ReadFields();
    FModel.TargetChosen(file);
    // The pick names the file itself; this fills only a name it left empty.
    FModel.DescribeTarget();
    WriteFields();
    ShowRules();
    ShowPreview();
}

void TfrmBtnProperties::btnLocationPathClick() {
    std::string folder;
    if (!AskFolder(Handle(), "Select the folder:", folder)) return;
    ReadFields();
    FModel.FolderChosen(folder);
    WriteFields();
    ShowRules();
}

void TfrmBtnProperties::btnLinkFileClick() {
    ReadFields();
    const bool resolved = FModel.ResolveLink();
    if (resolved) {
        WriteFields();
        ShowPreview();
    }
    ShowRules();
}

void TfrmBtnProperties::Button1Click() {
    std::string file = FModel.IconFile();
    int index = FModel.IconNumber() + 1;
    if (!TfrmIconForm::Execute(FInstance, Handle(), FPlatform, file, index)) return;
    FModel.IconChosen(file, index);
    ShowPreview();
}

void TfrmBtnProperties::btnHelpClick() { ShowHelpTopic(FPlatform, HelpTopicButtonProperties); }

void TfrmBtnProperties::ButtonOKClick() {
    // Enter reaches OK even while it is disabled.
    if (!IsWindowEnabled(Item(IDOK))) return;
    // Enter in "File " closes the dialog without leaving the field.
    if (GetFocus() == Control(IDC_BTN_COMMAND)) LabeledEditCommandExit();
    ReadFields();
    FModel.Ok();
    EndDialog(Handle(), IDOK);
}

}  // namespace quorlet
