#pragma once
// Calendar arithmetic on TDateTime: serial day numbers, weekdays, ISO-8601 weeks.

#include <cstdint>

#include "base/DateTime.h"

namespace quorlet {

// Days since 1 January 1970 of a proleptic Gregorian date (negative before).
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// Seconds since 1970-01-01 00:00:00 of the same wall clock (milliseconds dropped).
int64_t ToUnixSeconds(const TDateTime& dt);
TDateTime FromUnixSeconds(int64_t seconds);

// ISO day of the week: 1 Monday .. 7 Sunday.
int IsoDayOfWeek(const TDateTime& dt);
// The program's weekday index: the ISO day modulo 7 (0 Sunday, 1 Monday .. 6 Saturday).
int WeekDayIndex(const TDateTime& dt);
// ISO-8601 week of the year, 1..53 (the week year may differ from dt.Year).
int IsoWeekOfYear(const TDateTime& dt);

}  // namespace quorlet
