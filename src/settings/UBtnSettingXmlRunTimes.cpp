// The launch counters of a button record: a running total and one count per
// weekday, each stamped with the ISO week it belongs to. Only the week number
// is kept, not its year.
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "base/DateCalc.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

namespace {

using T = TBtnSettingXml;
int32_t T::*const kDayCounts[7] = {&T::Day0, &T::Day1, &T::Day2, &T::Day3, &T::Day4, &T::Day5, &T::Day6};
int32_t T::*const kDayWeeks[7] = {&T::Day0Week, &T::Day1Week, &T::Day2Week, &T::Day3Week,
                                   &T::Day4Week, &T::Day5Week, &T::Day6Week};

int CheckedDay(int n) {
    if (n < 0 || n > 6) throw std::out_of_range("Weekday index out of range");
    return n;
}

// A counter that has reached the largest 32-bit value (only a hand edit gets
// there) stays at it rather than turning negative.
int32_t Incremented(int32_t count) {
    return count == std::numeric_limits<int32_t>::max() ? count : count + 1;
}

}  // namespace

int32_t& TBtnSettingXml::DayCount(int n) { return this->*kDayCounts[CheckedDay(n)]; }
int32_t& TBtnSettingXml::DayWeek(int n) { return this->*kDayWeeks[CheckedDay(n)]; }
int32_t TBtnSettingXml::DayCount(int n) const { return this->*kDayCounts[CheckedDay(n)]; }
int32_t TBtnSettingXml::DayWeek(int n) const { return this->*kDayWeeks[CheckedDay(n)]; }

void TBtnSettingXml::IncRunTimes(int32_t id, const TDocumentEdit& alsoWrite) {
    // One reading of the clock for both, so that weekday and week always describe
    // the same moment (a launch at midnight from Sunday to Monday included).
    const TDateTime now = FPlatform.Now();
    const int n = WeekDayIndex(now);
    const int32_t week = IsoWeekOfYear(now);
    TotolRunTimes = Incremented(TotolRunTimes);
    if (DayWeek(n) == week) {
        DayCount(n) = Incremented(DayCount(n));
    } else {
        DayCount(n) = 1;
        DayWeek(n) = week;
    }
    SaveRunTimes(id, alsoWrite);
}

void TBtnSettingXml::SaveRunTimes(int32_t id, const TDocumentEdit& alsoWrite) {
    ReloadButtonDocUnlessUnchanged();
    XmlElementPtr root = RootElement(ButtonDoc);
    XmlElementPtr buttons = ButtonsSection();
    XmlElementPtr button = buttons ? ChildByAttr(buttons, "Button", "ID", id) : nullptr;
    // The record was read from this file just before the launch; if it has gone
    // since (the file was replaced behind the program's back), there is nothing
    // to count, and the file is left alone unless another section rides along.
    if (!root || (!button && !alsoWrite)) return;
    ChangingButtonDoc();
    if (button) {
        CompleteItems(button);
        WriteItems(button, kPropertyItems, kItemCount - kPropertyItems);
    }
    if (alsoWrite) alsoWrite(root);
    SaveButtonDoc();
}

int32_t TBtnSettingXml::TodayRunTimes() {
    const TDateTime now = FPlatform.Now();
    const int n = WeekDayIndex(now);
    return DayWeek(n) == IsoWeekOfYear(now) ? DayCount(n) : 0;
}

int32_t TBtnSettingXml::WeekRunTimes() const {
    int64_t sum = 0;
    for (int n = 0; n < 7; ++n) sum += DayCount(n);
    // Hand-edited counts can add up beyond 32 bits; the sum is held at the limits.
    if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

std::string TBtnSettingXml::RunTimesHint() {
    if (IgnoreRunTimes) return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "T:%d/W:%d/A:%d", static_cast<int>(TodayRunTimes()),
                  static_cast<int>(WeekRunTimes()), static_cast<int>(TotolRunTimes));
    return text;
}

}  // namespace quorlet
