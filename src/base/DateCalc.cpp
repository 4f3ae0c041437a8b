#include "base/DateCalc.h"

namespace quorlet {

// Howard Hinnant's days_from_civil / civil_from_days.
int64_t DaysFromCivil(int year, int month, int day) {
    int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = (month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t ToUnixSeconds(const TDateTime& dt) {
    return DaysFromCivil(dt.Year, dt.Month, dt.Day) * 86400 + dt.Hour * 3600 + dt.Minute * 60 +
           dt.Second;
}

TDateTime FromUnixSeconds(int64_t seconds) {
    int64_t days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    int64_t rest = seconds - days * 86400;
    TDateTime dt;
    CivilFromDays(days, dt.Year, dt.Month, dt.Day);
    dt.Hour = static_cast<int>(rest / 3600);
    dt.Minute = static_cast<int>(rest / 60 % 60);
    dt.Second = static_cast<int>(rest % 60);
    dt.Millisecond = 0;
    return dt;
}

namespace {
int IsoDayOfWeekFromDays(int64_t days) {
    // 1970-01-01 was a Thursday (ISO day 4).
    int64_t d = (days + 3) % 7;
    if (d < 0) d += 7;
    return static_cast<int>(d) + 1;
}
}  // namespace

int IsoDayOfWeek(const TDateTime& dt) {
    return IsoDayOfWeekFromDays(DaysFromCivil(dt.Year, dt.Month, dt.Day));
}

int WeekDayIndex(const TDateTime& dt) { return IsoDayOfWeek(dt) % 7; }

int IsoWeekOfYear(const TDateTime& dt) {
    const int64_t days = DaysFromCivil(dt.Year, dt.Month, dt.Day);
    // The Thursday of this week decides the week year.
    const int64_t thursday = days - IsoDayOfWeekFromDays(days) + 4;
    int year, month, day;
    CivilFromDays(thursday, year, month, day);
    return static_cast<int>((thursday - DaysFromCivil(year, 1, 1)) / 7 + 1);
}

}  // namespace quorlet
