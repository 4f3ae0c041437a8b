// The alarm clock's side of the main window: its timer, its two icons on the
// Quorlet Tab, the alarm window and the alarm dialog. The rules live in
// TAlarmClock.
#include "app/UAlarmConfig.h"
#include "app/UAlarmForm.h"
#include "app/UMain.h"
#include "launcher/ClickSound.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

void TfrmQuorlet::SetAlarmTimer(bool running) {
    if (running)
        SetTimer(Handle(), TimerAlarm, 500, nullptr);
    else
        KillTimer(Handle(), TimerAlarm);
}

void TfrmQuorlet::ShowAlarmIcon(bool alarmOn) { FQuorletTab.ShowAlarmIcon(alarmOn); }

void TfrmQuorlet::SetArmedHint(const char* hint) { FQuorletTab.SetArmedHint(hint); }

void TfrmQuorlet::BringToFront() {
    HWND application = GetWindow(Handle(), GW_OWNER);
    SetForegroundWindow(application ? application : Handle());
}

TAlarmAnswer TfrmQuorlet::ShowAlarm(const TAlarmRing& ring) {
    TfrmAlarm alarm(FPlatform);
    alarm.SetAlarmText(ring.Message, ring.TimeText, ring.Countdown);
    alarm.SetAlarmTone(ring.ToneOn, ring.Tone);
    alarm.SetAlarmEvent(ring.SystemEventOn, ring.SystemEvent, ring.Preview);
    return alarm.ShowModal(FInstance, Handle()) == 1 ? TAlarmAnswer::Acknowledged : TAlarmAnswer::Snoozed;
}

void TfrmQuorlet::CloseMainWindow() {
    // After the tick that asks for it has returned.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TfrmQuorlet::ActionMenu_AlarmConfigExecute() {
    PlayClickSound(FPlatform, csIcon);
    TfrmAlarmConfig dialog(FPlatform, AppSettingXml());
    if (dialog.ShowModal(FInstance, Handle()) == 1) FAlarmClock.ConfigAccepted();
}

}  // namespace quorlet
