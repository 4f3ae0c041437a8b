#pragma once
// A local calendar date and time of day, as stored in the settings files.
// Plain fields; no time zone. Millisecond is kept in memory only.

namespace quorlet {

struct TDateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;

    bool operator==(const TDateTime& o) const {
        return Year == o.Year && Month == o.Month && Day == o.Day && Hour == o.Hour &&
               Minute == o.Minute && Second == o.Second && Millisecond == o.Millisecond;
    }
    bool operator!=(const TDateTime& o) const { return !(*this == o); }
};

inline TDateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0, int millisecond = 0) {
    TDateTime dt;
    dt.Year = year;
    dt.Month = month;
    dt.Day = day;
    dt.Hour = hour;
    dt.Minute = minute;
    dt.Second = second;
    dt.Millisecond = millisecond;
    return dt;
}

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// True when year 1..9999, month 1..12, day exists, and the time fields are in range.
bool IsValidDateTime(const TDateTime& dt);

}  // namespace quorlet
