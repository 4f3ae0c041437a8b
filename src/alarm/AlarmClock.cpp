#include "alarm/AlarmClock.h"

#include "alarm/AlarmWindowRules.h"

namespace quorlet {

namespace {

TAlarmRepeat RepeatOf(const TAppSettingXml& settings) {
    TAlarmRepeat repeat;
    repeat.RepeatOn = settings.RepeatOn;
    const bool days[7] = {settings.Day0, settings.Day1, settings.Day2, settings.Day3,
                          settings.Day4, settings.Day5, settings.Day6};
    for (int day = 0; day < 7; ++day) repeat.Days[day] = days[day];
    return repeat;
}

}  // namespace

TAlarmRing AlarmRingOf(const TAppSettingXml& settings, const std::string& timeText) {
    TAlarmRing ring;
    ring.Message = settings.Message;
    ring.TimeText = timeText;
    ring.Countdown = settings.TimerOut;
    ring.ToneOn = settings.ToneOn;
    ring.Tone = settings.Tone;
    ring.SystemEventOn = settings.SystemEventOn;
    ring.SystemEvent = settings.SystemEvent;
    ring.Preview = false;
    return ring;
}

void TAlarmClock::ApplyAlarmState() {
    FHost.SetAlarmTimer(FSettings.AlarmOn && !FRinging);
    FHost.ShowAlarmIcon(FSettings.AlarmOn);
    FHost.UpdateTrayHint();
}

void TAlarmClock::TimerAlarmTimer() {
    const TDateTime now = FPlatform.Now();
    FHost.SetArmedHint(FSchedule.EnabledHint(now).Text);
    const TAlarmTick tick = FSchedule.Tick(now, RepeatOf(FSettings));
    if (tick == TAlarmTick::Wait) return;
    FHost.SetAlarmTimer(false);
    if (tick == TAlarmTick::SkipDay) {
        // Not a selected weekday: checking goes on for the following days.
        FHost.SetAlarmTimer(true);
        return;
    }
    Ring(now);
}

void TAlarmClock::Ring(const TDateTime& now) {
    FHost.BringToFront();
    FRinging = true;
    TAlarmAnswer answer;
    try {
        answer = FHost.ShowAlarm(AlarmRingOf(FSettings, FPlatform.LongTimeText(now)));
    } catch (...) {
        FRinging = false;
        throw;
    }
    FRinging = false;
    if (answer == TAlarmAnswer::Snoozed) {
        // In memory only: the stored time stays, and no system event runs.
        FSchedule.Snooze(now);
        FHost.SetAlarmTimer(true);
        return;
    }
    if (FSettings.RepeatOn) {
        // A repeating alarm returns to its stored time after a snooze.
        LoadSchedule();
        FHost.SetAlarmTimer(true);
    } else {
        FSettings.AlarmOn = false;
        FSettings.SaveAlarm();
        FHost.ShowAlarmIcon(false);
    }
    if (FSettings.SystemEventOn) {
        EndWindowsSession(FPlatform, FSettings.SystemEvent);
        FHost.CloseMainWindow();
    }
}

void TAlarmClock::ConfigAccepted() {
    FSettings.SaveAlarm();
    LoadSchedule();
    ApplyAlarmState();
}

}  // namespace quorlet
