#include "app/UAlarmConfig.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/UAlarmForm.h"
#include "base/AppPaths.h"
#include "resources/resource.h"
#include "shell/HelpTopics.h"
#include "win32/ControlHints.h"
#include "win32/LocaleText.h"
#include "win32/SystemTime.h"
#include "win32/TabPage.h"
#include "win32/WindowText.h"

namespace quorlet {

const char* const TfrmAlarmConfig::TitlePrefix = "Alarm Clock  ";

namespace {

const int kPictureSize = 48;
const int kDayBoxes = 7;  // Sunday .. Saturday

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Check(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

// Sets the text only when it differs, so the caret of a field being typed in stays.
void SetItemText(HWND dialog, int id, const std::string& text) {
    if (ItemText(dialog, id) != text) SetDlgItemTextA(dialog, id, text.c_str());
}

}  // namespace

TfrmAlarmConfig::TfrmAlarmConfig(IPlatform& platform, TAppSettingXml& settings)
    : FPlatform(platform), FSettings(settings), FModel(ExtractFilePath(platform.ExecutableName())) {}

int TfrmAlarmConfig::ShowModal(HINSTANCE instance, HWND owner) {
    FInstance = instance;
    FOwner = owner;
    return TModalDialog::ShowModal(instance, IDD_ALARMCONFIG, owner) == 1 ? 1 : 2;
}

INT_PTR TfrmAlarmConfig::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        FormShow();
        return TRUE;
    case WM_TIMER:
        if (wParam == Timer1) Timer1Timer();
        return TRUE;
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_SETCURSOR:
        if (SetPointerOverPicture(reinterpret_cast<HWND>(wParam))) {
            SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        RemoveWindowSubclass(Control(IDC_CFG_TIMEROUT), &TfrmAlarmConfig::TimerOutFieldProc, 0);
        break;
    }
    return FALSE;
}

void TfrmAlarmConfig::FormCreate() {
    FPage = CreateTabPage(FInstance, Handle(), IDC_CFG_PAGES, "Config", IDD_ALARMCONFIG_PAGE, IDC_CFG_PAGE);
    for (const char* event : {"Logoff", "Shutdown ", "Reboot "})
        SendDlgItemMessageA(FPage, IDC_CFG_EVENT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(event));
    SendDlgItemMessageA(FPage, IDC_CFG_TIMEROUTSPIN, UDM_SETRANGE32, kTimerOutMin, kTimerOutMax);
    SetWindowSubclass(Control(IDC_CFG_TIMEROUT), &TfrmAlarmConfig::TimerOutFieldProc, 0, 0);

    HDC screen = GetDC(Handle());
    const int size = MulDiv(kPictureSize, GetDeviceCaps(screen, LOGPIXELSX), 96);
    ReleaseDC(Handle(), screen);
    FArmedPicture.Reset(static_cast<HICON>(
        LoadImageA(FInstance, MAKEINTRESOURCEA(IDI_ALARMENABLED), IMAGE_ICON, size, size, 0)));
    FRestingPicture.Reset(static_cast<HICON>(
        LoadImageA(FInstance, MAKEINTRESOURCEA(IDI_ALARMDISABLED), IMAGE_ICON, size, size, 0)));
    SendDlgItemMessageA(FPage, IDC_CFG_IMAGEENABLED, STM_SETICON, reinterpret_cast<WPARAM>(FArmedPicture.Get()), 0);
    SendDlgItemMessageA(FPage, IDC_CFG_IMAGEDISABLED, STM_SETICON, reinterpret_cast<WPARAM>(FRestingPicture.Get()), 0);

    // The hint of the "..." button.
    AddControlHints(Handle(), {{Control(IDC_CFG_TONEBROWSE), "Select folder"}});

    FModel.Load(FSettings);
    WriteControls();
}

void TfrmAlarmConfig::FormShow() {
    SetTimer(Handle(), Timer1, 500, nullptr);
    Timer1Timer();
}

void TfrmAlarmConfig::Command(int id, int code) {
    switch (id) {
    case IDC_CFG_IMAGEENABLED:
    case IDC_CFG_IMAGEDISABLED:
        if (code == STN_CLICKED) RunRule([this] { FModel.PictureClick(); });
        return;
    case IDC_CFG_TIMEROUT:
        if (code == EN_KILLFOCUS) RunRule([this] { FModel.TimerOutExit(); });
        return;
    }
    // Buttons and check boxes: clicks only (Enter and Esc come as clicks too).
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDOK: ButtonOKClick(); return;
    case IDCANCEL: FormClose(2); return;
    case IDC_CFG_ALARMON: RunRule([this] { FModel.AlarmClick(); }); return;
    case IDC_CFG_TONEON: RunRule([this] { FModel.ToneClick(); }); return;
    case IDC_CFG_EVENTON: RunRule([this] { FModel.EventClick(); }); return;
    case IDC_CFG_REPEAT: RunRule([this] { FModel.RepeatClick(); }); return;
    case IDC_CFG_TONEBROWSE: btnLocationPathClick(); return;
    case IDC_CFG_TEST: ButtonTestAlarmClick(); return;
    case IDC_CFG_HELP: ShowHelpTopic(FPlatform, HelpTopicAlarmConfig); return;
    }
}

void TfrmAlarmConfig::ButtonOKClick() {
    ReadControls();
    // Enter in the number field closes without leaving it: the same bounds.
    FModel.TimerOutExit();
    FModel.Store(FSettings);
    FormClose(1);
}

void TfrmAlarmConfig::FormClose(int result) {
    KillTimer(Handle(), Timer1);
    EndDialog(Handle(), result);
}

void TfrmAlarmConfig::btnLocationPathClick() {
    char file[MAX_PATH] = "";
    const std::string folder = ExtractFilePath(FPlatform.ExecutableName());
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = Handle();
    open.lpstrFilter = "Audio files(*.mp3;*.wav)\0*.mp3;*.wav\0";
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrInitialDir = folder.c_str();
    open.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
    if (GetOpenFileNameA(&open)) SetDlgItemTextA(FPage, IDC_CFG_TONE, file);
}

void TfrmAlarmConfig::ButtonTestAlarmClick() {
    ReadControls();
    const TAlarmConfigControls& c = FModel.Controls;
    TfrmAlarm alarm(FPlatform);
    alarm.SetAlarmText(c.Message, FPlatform.LongTimeText(c.Time), FModel.TimerOut());
    alarm.SetAlarmTone(c.ToneChecked, c.TonePath);
    alarm.SetAlarmEvent(c.EventChecked, c.EventIndex, true);
    // Only a preview: its answer changes nothing, and no system event runs.
    alarm.ShowModal(FInstance, FOwner);
}

void TfrmAlarmConfig::Timer1Timer() {
    SetWindowTextA(Handle(), (TitlePrefix + FPlatform.LongTimeText(FPlatform.Now())).c_str());
}

bool TfrmAlarmConfig::SetPointerOverPicture(HWND window) {
    if (window != Control(IDC_CFG_IMAGEENABLED) && window != Control(IDC_CFG_IMAGEDISABLED)) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

void TfrmAlarmConfig::ReadControls() {
    TAlarmConfigControls& c = FModel.Controls;
    HWND dialog = FPage;
    c.AlarmChecked = Checked(dialog, IDC_CFG_ALARMON);
    SYSTEMTIME st = {};
    if (SendDlgItemMessageA(dialog, IDC_CFG_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
        c.Time = DateTimeOf(st);
    c.TimerOutText = ItemText(dialog, IDC_CFG_TIMEROUT);
    c.Message = ItemText(dialog, IDC_CFG_MESSAGE);
    c.ToneChecked = Checked(dialog, IDC_CFG_TONEON);
    c.TonePath = ItemText(dialog, IDC_CFG_TONE);
    c.EventChecked = Checked(dialog, IDC_CFG_EVENTON);
    c.EventIndex = static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_CFG_EVENT, CB_GETCURSEL, 0, 0));
    c.RepeatChecked = Checked(dialog, IDC_CFG_REPEAT);
    for (int day = 0; day < kDayBoxes; ++day) c.Days[day] = Checked(dialog, IDC_CFG_DAY0 + day);
}

void TfrmAlarmConfig::WriteControls() {
    const TAlarmConfigControls& c = FModel.Controls;
    HWND dialog = FPage;
    Check(dialog, IDC_CFG_ALARMON, c.AlarmChecked);
    SYSTEMTIME st = SystemTimeOf(c.Time);
    SendDlgItemMessageA(dialog, IDC_CFG_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    SetItemText(dialog, IDC_CFG_TIMEROUT, c.TimerOutText);
    SetItemText(dialog, IDC_CFG_MESSAGE, c.Message);
    Check(dialog, IDC_CFG_TONEON, c.ToneChecked);
    SetItemText(dialog, IDC_CFG_TONE, c.TonePath);
    Check(dialog, IDC_CFG_EVENTON, c.EventChecked);
    SendDlgItemMessageA(dialog, IDC_CFG_EVENT, CB_SETCURSEL, static_cast<WPARAM>(c.EventIndex), 0);
    Check(dialog, IDC_CFG_REPEAT, c.RepeatChecked);
    for (int day = 0; day < kDayBoxes; ++day) Check(dialog, IDC_CFG_DAY0 + day, c.Days[day]);

    const struct {
        int Id;
        bool Enabled;
    } states[] = {
        {IDC_CFG_TIME, c.TimeEnabled},
        {IDC_CFG_MESSAGELABEL, c.MessageEnabled}, {IDC_CFG_MESSAGE, c.MessageEnabled},
        {IDC_CFG_TONEON, c.ToneEnabled},      {IDC_CFG_TONE, c.TonePathEnabled},
        {IDC_CFG_TONEBROWSE, c.TonePathEnabled}, {IDC_CFG_EVENTON, c.EventEnabled},
        {IDC_CFG_EVENT, c.EventListEnabled},  {IDC_CFG_REPEAT, c.RepeatEnabled},
        {IDC_CFG_TEST, c.TestEnabled},
    };
    for (const auto& state : states) EnableWindow(Control(state.Id), state.Enabled);
    for (int day = 0; day < kDayBoxes; ++day) EnableWindow(Control(IDC_CFG_DAY0 + day), c.DaysEnabled);
    ShowWindow(Control(IDC_CFG_IMAGEENABLED), c.ArmedPicture ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Control(IDC_CFG_IMAGEDISABLED), c.ArmedPicture ? SW_HIDE : SW_SHOWNA);
}

LRESULT CALLBACK TfrmAlarmConfig::TimerOutFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                                    UINT_PTR, DWORD_PTR) {
    // Typed input: digits, signs and the decimal separator; control keys pass.
    if (message == WM_CHAR && wParam >= ' ' && !IsTimerOutChar(static_cast<char>(wParam), UserDecimalSeparator())) {
        MessageBeep(MB_OK);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace quorlet
