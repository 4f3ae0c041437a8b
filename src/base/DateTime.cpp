#include "base/DateTime.h"

namespace quorlet {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

bool IsValidDateTime(const TDateTime& dt) {
    if (dt.Year < 1 || dt.Year > 9999) return false;
    if (dt.Month < 1 || dt.Month > 12) return false;
    if (dt.Day < 1 || dt.Day > DaysInMonth(dt.Year, dt.Month)) return false;
    if (dt.Hour < 0 || dt.Hour > 23) return false;
    if (dt.Minute < 0 || dt.Minute > 59) return false;
    if (dt.Second < 0 || dt.Second > 59) return false;
    return dt.Millisecond >= 0 && dt.Millisecond <= 999;
}

}  // namespace quorlet
