#include "app/UAlarmForm.h"

#include "resources/resource.h"
#include "win32/DialogFont.h"

namespace quorlet {

const char* const TfrmAlarm::Caption = "Quorlet Alarm";

namespace {

const int kFrameSize = 96;  // at 96 dots per inch
const int kFrameIds[3] = {IDC_ALARM_IMAGE0, IDC_ALARM_IMAGE1, IDC_ALARM_IMAGE2};
const int kFrameIcons[3] = {IDI_ALARMFRAME0, IDI_ALARMFRAME1, IDI_ALARMFRAME2};

}  // namespace

void TfrmAlarm::SetAlarmText(const std::string& message, const std::string& timeText, int32_t countdown) {
    FMessage = message;
    FTimeText = timeText;
    FCountdown = countdown;
}

void TfrmAlarm::SetAlarmTone(bool toneOn, const std::string& tone) {
    FToneOn = toneOn;
    FTone = tone;
}

void TfrmAlarm::SetAlarmEvent(bool eventOn, int32_t eventIndex, bool preview) {
    FButton.SetEvent(eventOn, eventIndex);
    FPreview = preview;
}

int TfrmAlarm::ShowModal(HINSTANCE instance, HWND mainWindow) {
    FInstance = instance;
    FMainWindow = mainWindow;
    FResult = 2;
    // No owner: a top-level window whose parent is the desktop.
    TModalDialog::ShowModal(instance, IDD_ALARM, nullptr);
    return FResult;
}

INT_PTR TfrmAlarm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        FormShow();
        return FALSE;  // the message has the focus
    case WM_TIMER:
        if (wParam == Timer1) Timer1Timer();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: FormClose(1); return TRUE;
        case IDC_ALARM_SNOOZE:
        case IDCANCEL: FormClose(2); return TRUE;  // the close box is a snooze
        }
        break;
    case WM_CTLCOLORSTATIC:
        // The read-only message reads as text on paper, not as a grey field.
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_ALARM_MESSAGE)) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    }
    return FALSE;
}

void TfrmAlarm::FormCreate() {
    FMessageFont.Reset(DialogFontWith(Handle(), true, false, 0));
    FTimeFont.Reset(DialogFontWith(Handle(), true, false, 18));
    if (FMessageFont) SendMessageA(Item(IDC_ALARM_MESSAGE), WM_SETFONT, reinterpret_cast<WPARAM>(FMessageFont.Get()), FALSE);
    if (FTimeFont) SendMessageA(Item(IDC_ALARM_TIME), WM_SETFONT, reinterpret_cast<WPARAM>(FTimeFont.Get()), FALSE);
    // The memo shows line breaks as Windows writes them.
    std::string text;
    for (size_t k = 0; k < FMessage.size(); ++k) {
        if (FMessage[k] == '\n' && (k == 0 || FMessage[k - 1] != '\r')) text += '\r';
        text += FMessage[k];
    }
    SetDlgItemTextA(Handle(), IDC_ALARM_MESSAGE, text.c_str());
    SetDlgItemTextA(Handle(), IDC_ALARM_TIME, FTimeText.c_str());

    HDC screen = GetDC(Handle());
    const int size = MulDiv(kFrameSize, GetDeviceCaps(screen, LOGPIXELSX), 96);
    ReleaseDC(Handle(), screen);
    for (int frame = 0; frame < 3; ++frame) {
        FFrames[frame].Reset(static_cast<HICON>(
            LoadImageA(FInstance, MAKEINTRESOURCEA(kFrameIcons[frame]), IMAGE_ICON, size, size, 0)));
        SendDlgItemMessageA(Handle(), kFrameIds[frame], STM_SETICON, reinterpret_cast<WPARAM>(FFrames[frame].Get()), 0);
    }
    ShowFrame(1);
}

void TfrmAlarm::FormShow() {
    SetFocus(Item(IDC_ALARM_MESSAGE));
    SendDlgItemMessageA(Handle(), IDC_ALARM_MESSAGE, EM_SETSEL, 0, 0);
    if (FPreview) SetWindowTextA(Handle(), (std::string(Caption) + " - preview only").c_str());
    PlaceWindow();
    AnimateWindow(Handle(), 400, AW_CENTER);
    // Shown without an owner, the window comes to the front by itself.
    SetForegroundWindow(Handle());
    FButton.Start(FCountdown);
    SetDlgItemTextA(Handle(), IDOK, FButton.Caption().c_str());
    SetTimer(Handle(), Timer1, 500, nullptr);
    PlayAlarmTone(FPlatform, FToneOn, FTone);
}

void TfrmAlarm::PlaceWindow() {
    RECT window;
    GetWindowRect(Handle(), &window);
    TAlarmPlaceInput in;
    in.Width = window.right - window.left;
    in.Height = window.bottom - window.top;
    // A minimised main window has its place off the screen: as good as hidden.
    RECT main = {};
    in.MainShown = FMainWindow && IsWindowVisible(FMainWindow) && !IsIconic(FMainWindow) &&
                   GetWindowRect(FMainWindow, &main);
    in.MainLeft = main.left;
    in.MainTop = main.top;
    in.MainHeight = main.bottom - main.top;
    in.ScreenWidth = FPlatform.ScreenWidth();
    in.WorkAreaHeight = FPlatform.WorkAreaHeight();
    const TAlarmPlace place = AlarmWindowPlace(in);
    SetWindowPos(Handle(), nullptr, place.Left, place.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmAlarm::Timer1Timer() {
    const TAlarmCountdown::TStep step = FButton.Tick();
    ShowFrame(step.Frame);
    SetDlgItemTextA(Handle(), IDOK, step.Caption.c_str());
    if (step.Close) FormClose(1);
}

void TfrmAlarm::ShowFrame(int frame) {
    // The new frame first: the place of the clock is never empty.
    ShowWindow(Item(kFrameIds[frame]), SW_SHOWNA);
    for (int k = 0; k < 3; ++k)
        if (k != frame) ShowWindow(Item(kFrameIds[k]), SW_HIDE);
}

void TfrmAlarm::FormClose(int result) {
    FResult = result;
    KillTimer(Handle(), Timer1);
    FPlatform.StopSounds();
    EndDialog(Handle(), result);
}

}  // namespace quorlet
