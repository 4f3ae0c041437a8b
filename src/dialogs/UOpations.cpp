#include "dialogs/UOpations.h"

#include <commctrl.h>

#include "launcher/ButtonProperties.h"
#include "resources/resource.h"
#include "shell/HelpTopics.h"
#include "shell/ShellServices.h"
#include "win32/KeyNames.h"
#include "win32/SystemTime.h"
#include "win32/TabPage.h"
#include "win32/WindowText.h"

namespace quorlet {

namespace {

const int kMaxTabSheets = 10;
const char* const kTabStyles[] = {"Tabs", "Button", "FlatButton"};

// The locale's short date and long time.
std::string DateAndTimeText(const TDateTime& time) {
    const SYSTEMTIME st = SystemTimeOf(time);
    char date[64] = {}, clock[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

}  // namespace

bool TfrmOptions::Execute(HINSTANCE instance, HWND owner, IPlatform& platform, TAppSettingXml& settings,
                          IOptionsHost& host) {
    TfrmOptions dialog(instance, platform, settings, host);
    return dialog.ShowModal(instance, IDD_OPTIONS, owner) == IDOK;
}

INT_PTR TfrmOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_OPT_PAGES && header.code == TCN_SELCHANGE) {
            ShowPage(static_cast<int>(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        break;
    }
    case WM_VSCROLL:
        // An arrow of "Tabs number" (a click, or Up and Down in the field) sets the count.
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(FPages[1], IDC_OPT_GROUPSSPIN) &&
            LOWORD(wParam) == SB_THUMBPOSITION)
            SpinEditGroupsChange();
        return TRUE;
    case WM_OPTIONS_UPDATECHECKED:
        ShowUpdateState();
        return TRUE;
    case WM_COMMAND:
        if (!FShowing) Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void TfrmOptions::Command(int id, int code) {
    if (id >= IDC_OPT_ROWNAME0 && id < IDC_OPT_ROWNAME0 + kMaxTabSheets) return;
    if ((id == IDC_OPT_GROUPS || id == IDC_OPT_INTERVAL) && code == EN_KILLFOCUS) {
        // A typed value is brought into its range when the field is left.
        HWND field = GetDlgItem(id == IDC_OPT_GROUPS ? FPages[1] : FPages[2], id);
        const int value = id == IDC_OPT_GROUPS ? SpinValue(WindowText(field), 1, kMaxTabSheets)
                                               : SpinValue(WindowText(field), 1, 10);
        if (WindowText(field) != std::to_string(value)) SetWindowTextA(field, std::to_string(value).c_str());
        if (id == IDC_OPT_GROUPS) SpinEditGroupsChange();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_OPT_DESKTOP: CreateProgramLink(FPlatform, GetSpecialFolder(FPlatform, sfDesktop)); break;
    case IDC_OPT_STARTMENU: CreateProgramLink(FPlatform, GetSpecialFolder(FPlatform, sfStartMenu)); break;
    case IDC_OPT_BACKUP: FHost.BackupConfigFrom(Handle()); break;
    case IDC_OPT_RESTORE: FHost.RestoreConfigFrom(Handle()); break;
    case IDC_OPT_AUTOCHECK: CheckBoxAutoCheckUpdateClick(); break;
    case IDC_OPT_CHECKNOW: FHost.CheckForUpdateFrom(Handle()); break;
    case IDC_OPT_HELP: btnHelpClick(); break;
    case IDOK: ButtonOKClick(); break;
    case IDCANCEL: EndDialog(Handle(), IDCANCEL); break;
    default: break;
    }
}

void TfrmOptions::FormCreate() {
    FPages[0] = CreateTabPage(FInstance, Handle(), IDC_OPT_PAGES, "General", IDD_OPTIONS_GENERAL, IDC_OPT_GENERALPAGE);
    FPages[1] =
        CreateTabPage(FInstance, Handle(), IDC_OPT_PAGES, "Tabsheet", IDD_OPTIONS_TABSHEET, IDC_OPT_TABSHEETPAGE);
    FPages[2] = CreateTabPage(FInstance, Handle(), IDC_OPT_PAGES, "Update", IDD_OPTIONS_UPDATE, IDC_OPT_UPDATEPAGE);
    FValues = ReadOptions(FSettings);
    const TOptionsValues& v = FValues;
    FShowing = true;
    HWND general = FPages[0], tabsheet = FPages[1], update = FPages[2];
    const struct {
        int Id;
        bool Checked;
    } boxes[] = {{IDC_OPT_RUNSTARTUP, v.RunStartup},         {IDC_OPT_ACTIVEAPPPANEL, v.ActiveAppPanel},
                 {IDC_OPT_ALWAYSONTOP, v.AlwaysOnTop},       {IDC_OPT_SHOWAPPPANEL, v.ShowAppPanel},
                 {IDC_OPT_ANALYSELINK, v.AnalyseLinkFile},   {IDC_OPT_IGNOREBLANK, v.IgnoreBlankButton},
                 {IDC_OPT_HIDEAFTERCLICK, v.HideAfterClicking}, {IDC_OPT_SPLASHSCREEN, v.SplashScreen}};
    for (const auto& box : boxes) CheckDlgButton(general, box.Id, box.Checked ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(general, IDC_OPT_HOTKEY, HKM_SETHOTKEY, HotKeyControlValue(v.GlobalHotKey, SystemKeyName), 0);

    SendDlgItemMessageA(tabsheet, IDC_OPT_GROUPSSPIN, UDM_SETRANGE32, 1, kMaxTabSheets);
    SendDlgItemMessageA(tabsheet, IDC_OPT_GROUPSSPIN, UDM_SETPOS32, 0,
                        SpinValue(std::to_string(v.GroupNames.size()), 1, kMaxTabSheets));
    for (const char* style : kTabStyles)
        SendDlgItemMessageA(tabsheet, IDC_OPT_TABSTYLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
    SendDlgItemMessageA(tabsheet, IDC_OPT_TABSTYLE, CB_SETCURSEL, static_cast<WPARAM>(v.TabStyle), 0);
    SetDlgItemInt(tabsheet, IDC_OPT_SPACING, static_cast<UINT>(v.ButtonSpacing), FALSE);
    ShowNameRows();

    CheckDlgButton(update, IDC_OPT_AUTOCHECK, v.AutoCheckUpdate ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(update, IDC_OPT_INTERVALSPIN, UDM_SETRANGE32, 1, 10);
    SendDlgItemMessageA(update, IDC_OPT_INTERVALSPIN, UDM_SETPOS32, 0, v.CheckInterval);
    EnableWindow(GetDlgItem(update, IDC_OPT_INTERVAL), v.AutoCheckUpdate);
    EnableWindow(GetDlgItem(update, IDC_OPT_INTERVALSPIN), v.AutoCheckUpdate);
    SetDlgItemTextA(update, IDC_OPT_VERSION, kAppVersion);
    ShowUpdateState();
    FShowing = false;
    ShowPage(0);
}

void TfrmOptions::ShowPage(int page) {
    FActivePage = page;
    SendDlgItemMessageA(Handle(), IDC_OPT_PAGES, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (int k = 0; k < 3; ++k) ShowWindow(FPages[k], k == page ? SW_SHOW : SW_HIDE);
}

void TfrmOptions::ShowNameRows() {
    const bool showing = FShowing;
    FShowing = true;
    for (int row = 0; row < kMaxTabSheets; ++row) {
        const bool shown = row < static_cast<int>(FValues.GroupNames.size());
        HWND name = GetDlgItem(FPages[1], IDC_OPT_ROWNAME0 + row);
        SetWindowTextA(name, shown ? FValues.GroupNames[row].c_str() : "");
        ShowWindow(name, shown ? SW_SHOWNA : SW_HIDE);
        ShowWindow(GetDlgItem(FPages[1], IDC_OPT_ROWNUMBER0 + row), shown ? SW_SHOWNA : SW_HIDE);
    }
    FShowing = showing;
}

void TfrmOptions::ReadNameRows() {
    for (size_t row = 0; row < FValues.GroupNames.size(); ++row)
        FValues.GroupNames[row] = WindowText(GetDlgItem(FPages[1], IDC_OPT_ROWNAME0 + static_cast<int>(row)));
}

// The rows follow the count only when it is set: by an arrow, on leaving the
// field, and on OK. A count being typed passes through other numbers ("10"
// through "1"), which must not drop the rows they leave out, names and all.
void TfrmOptions::SpinEditGroupsChange() {
    ReadNameRows();
    ResizeNameRows(FValues.GroupNames, SpinValue(WindowText(GetDlgItem(FPages[1], IDC_OPT_GROUPS)), 1, kMaxTabSheets));
    ShowNameRows();
}

void TfrmOptions::CheckBoxAutoCheckUpdateClick() {
    const bool on = IsDlgButtonChecked(FPages[2], IDC_OPT_AUTOCHECK) == BST_CHECKED;
    EnableWindow(GetDlgItem(FPages[2], IDC_OPT_INTERVAL), on);
    EnableWindow(GetDlgItem(FPages[2], IDC_OPT_INTERVALSPIN), on);
}

void TfrmOptions::ShowUpdateState() {
    SetDlgItemTextA(FPages[2], IDC_OPT_LASTCHECKING,
                    FSettings.LastCheckingKnown ? DateAndTimeText(FSettings.LastChecking).c_str()
                                                : "never checking update");
    SetDlgItemTextA(FPages[2], IDC_OPT_LASTVERSION, FSettings.LastVersion.c_str());
}

void TfrmOptions::btnHelpClick() {
    const char* const topics[] = {HelpTopicGeneralSettings, HelpTopicTabsheetsSetting, HelpTopicUpdateSetting};
    ShowHelpTopic(FPlatform, topics[FActivePage]);
}

void TfrmOptions::ButtonOKClick() {
    HWND general = FPages[0], tabsheet = FPages[1], update = FPages[2];
    const auto checked = [](HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; };
    TOptionsValues& v = FValues;
    v.RunStartup = checked(general, IDC_OPT_RUNSTARTUP);
    v.ActiveAppPanel = checked(general, IDC_OPT_ACTIVEAPPPANEL);
    v.AlwaysOnTop = checked(general, IDC_OPT_ALWAYSONTOP);
    v.ShowAppPanel = checked(general, IDC_OPT_SHOWAPPPANEL);
    v.AnalyseLinkFile = checked(general, IDC_OPT_ANALYSELINK);
    v.IgnoreBlankButton = checked(general, IDC_OPT_IGNOREBLANK);
    v.HideAfterClicking = checked(general, IDC_OPT_HIDEAFTERCLICK);
    v.SplashScreen = checked(general, IDC_OPT_SPLASHSCREEN);
    v.GlobalHotKey = HotKeyControlText(
        static_cast<uint16_t>(SendDlgItemMessageA(general, IDC_OPT_HOTKEY, HKM_GETHOTKEY, 0, 0)), SystemKeyName);
    // The count as the field holds it (Enter may close the dialog without
    // leaving the field), brought into range like a field left.
    SpinEditGroupsChange();
    v.ButtonSpacing = SpinValue(WindowText(GetDlgItem(tabsheet, IDC_OPT_SPACING)), 0, 5);
    const LRESULT style = SendDlgItemMessageA(tabsheet, IDC_OPT_TABSTYLE, CB_GETCURSEL, 0, 0);
    v.TabStyle = style < 0 ? 0 : static_cast<int>(style);
    v.AutoCheckUpdate = checked(update, IDC_OPT_AUTOCHECK);
    v.CheckInterval = SpinValue(WindowText(GetDlgItem(update, IDC_OPT_INTERVAL)), 1, 10);
    v.LastVersion = WindowText(GetDlgItem(update, IDC_OPT_LASTVERSION));
    WriteOptions(FPlatform, FSettings, v);
    EndDialog(Handle(), IDOK);
}

}  // namespace quorlet
