#pragma once
// The running alarm schedule (AlarmHour, AlarmMinute, AlarmSecond) and what
// each tick of TimerAlarm decides. A tick rings when the alarm second falls
// between the previous tick and this one: with ticks twice a second that is
// the first tick inside the alarm second; a tick that comes late (a busy
// machine, one just woken from sleep) still rings, unless the gap is longer
// than ten minutes, so that waking hours later rings no stale alarm. Only two
// ticks of a running timer make such a gap: a stopped timer forgets its last
// tick. Each alarm moment rings at most once.

#include <cstdint>
#include <string>

#include "base/DateTime.h"

namespace quorlet {

// The weekdays an alarm repeats on: RepeatOn and Day0 (Sunday) .. Day6 (Saturday).
struct TAlarmRepeat {
    bool RepeatOn = false;
    bool Days[7] = {};
};

enum class TAlarmTick {
    Wait,      // not the alarm second: nothing happens
    SkipDay,   // the alarm second of a weekday that is not selected: checking goes on
    Ring,      // open the alarm window
};

class TAlarmSchedule {
public:
    uint16_t AlarmHour = 0;
    uint16_t AlarmMinute = 0;
    uint16_t AlarmSecond = 0;

    // The schedule from the time of day of AlarmTime (milliseconds dropped).
    void Load(const TDateTime& alarmTime);
    // The tick at now (local time), remembered as the previous tick.
    TAlarmTick Tick(const TDateTime& now, const TAlarmRepeat& repeat);
    // The timer was stopped (the alarm switched off, the alarm window open):
    // the next tick is the first of a running timer and catches up on nothing.
    void ForgetPreviousTick() { FHasPreviousTick = false; }
    // Snoozed at now: ten minutes later, the seconds kept as they are.
    void Snooze(const TDateTime& now);
    // The hint of the armed alarm icon at now:
    // "[Alarm Clock - hh:mm:ss] <- hh:mm:ss" (the alarm time, then now).
    // Written into a fixed buffer: the tick allocates nothing.
    struct THintText {
        char Text[48];
    };
    THintText EnabledHint(const TDateTime& now) const;

private:
    bool FHasPreviousTick = false;
    int64_t FPreviousTickMs = 0;
    bool FHasRung = false;
    int64_t FRungAtMs = 0;  // the alarm moment that rang last
};

}  // namespace quorlet
