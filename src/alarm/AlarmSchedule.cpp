#include "alarm/AlarmSchedule.h"

#include <cstdio>

#include "base/DateCalc.h"

namespace quorlet {

namespace {

const int64_t kDayMs = 86400 * 1000LL;
// A later tick than this after the previous one rings nothing it missed.
const int64_t kLongestLateTickMs = 10 * 60 * 1000LL;

int64_t ToMilliseconds(const TDateTime& dt) { return ToUnixSeconds(dt) * 1000 + dt.Millisecond; }

}  // namespace

void TAlarmSchedule::Load(const TDateTime& alarmTime) {
    AlarmHour = static_cast<uint16_t>(alarmTime.Hour);
    AlarmMinute = static_cast<uint16_t>(alarmTime.Minute);
    AlarmSecond = static_cast<uint16_t>(alarmTime.Second);
}

TAlarmTick TAlarmSchedule::Tick(const TDateTime& now, const TAlarmRepeat& repeat) {
    const int64_t nowMs = ToMilliseconds(now);
    // The latest alarm moment at or before now: today's, or yesterday's.
    int64_t alarmMs = ToMilliseconds(MakeDateTime(now.Year, now.Month, now.Day, AlarmHour, AlarmMinute, AlarmSecond));
    if (alarmMs > nowMs) alarmMs -= kDayMs;
    // Without a recent previous tick only the present second counts.
    const int64_t secondStartMs = nowMs - now.Millisecond;
    int64_t sinceMs = secondStartMs - 1;
    if (FHasPreviousTick && nowMs - FPreviousTickMs <= kLongestLateTickMs && FPreviousTickMs < sinceMs)
        sinceMs = FPreviousTickMs;
    FHasPreviousTick = true;
    FPreviousTickMs = nowMs;
    const bool due = alarmMs > sinceMs && !(FHasRung && FRungAtMs == alarmMs);
    if (!due) return TAlarmTick::Wait;
    FHasRung = true;
    FRungAtMs = alarmMs;
    // The weekday of the alarm moment: a late tick after midnight rings for the day before.
    if (repeat.RepeatOn && !repeat.Days[WeekDayIndex(FromUnixSeconds(alarmMs / 1000))]) return TAlarmTick::SkipDay;
    return TAlarmTick::Ring;
}

void TAlarmSchedule::Snooze(const TDateTime& now) {
    const TDateTime later = FromUnixSeconds(ToUnixSeconds(now) + 10 * 60);
    AlarmHour = static_cast<uint16_t>(later.Hour);
    AlarmMinute = static_cast<uint16_t>(later.Minute);
}

TAlarmSchedule::THintText TAlarmSchedule::EnabledHint(const TDateTime& now) const {
    THintText hint;
    std::snprintf(hint.Text, sizeof hint.Text, "[Alarm Clock - %.2d:%.2d:%.2d] <- %.2d:%.2d:%.2d", AlarmHour, AlarmMinute,
                  AlarmSecond, now.Hour, now.Minute, now.Second);
    return hint;
}

}  // namespace quorlet
