#include <gtest/gtest.h>

#include "base/DateCalc.h"

using namespace quorlet;

namespace {
TDateTime Date(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) { return MakeDateTime(y, m, d, hh, mm, ss); }
}  // namespace

TEST(DateCalc, IsoWeeksAndWeekdaysOfKnownDates) {
    struct Case { int y, m, d, week, isoDay; } cases[] = {
        {2024, 12, 30, 1, 1},   // Monday of week 1 of 2025
        {2024, 12, 29, 52, 7},  // Sunday
        {2025, 1, 1, 1, 3},
        {2021, 1, 3, 53, 7},    // 2020 has 53 weeks
        {2021, 1, 4, 1, 1},
        {2020, 12, 31, 53, 4},
        {2026, 1, 1, 1, 4},
        {2027, 1, 1, 53, 5},    // 2026 has 53 weeks
        {2027, 1, 3, 53, 7},
        {2027, 1, 4, 1, 1},
        {2008, 12, 11, 50, 4},
        {2016, 1, 3, 53, 7},
        {2018, 12, 31, 1, 1},
        {2000, 2, 29, 9, 2},
        {1900, 3, 1, 9, 4},
    };
    for (const Case& c : cases) {
        TDateTime dt = Date(c.y, c.m, c.d, 23, 59, 59);
        EXPECT_EQ(IsoWeekOfYear(dt), c.week) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(IsoDayOfWeek(dt), c.isoDay) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(WeekDayIndex(dt), c.isoDay % 7);
    }
}

TEST(DateCalc, SecondsRoundTripAcrossMonthsYearsAndLeapDays) {
    const TDateTime samples[] = {Date(1970, 1, 1), Date(1899, 12, 30, 12, 0, 1), Date(2024, 2, 29, 13, 5, 7),
                                 Date(2100, 3, 1), Date(9999, 12, 31, 23, 59, 59)};
    for (const TDateTime& dt : samples) EXPECT_EQ(FromUnixSeconds(ToUnixSeconds(dt)), dt);
    EXPECT_EQ(ToUnixSeconds(Date(2025, 1, 8)) - ToUnixSeconds(Date(2025, 1, 1)), 7 * 86400);
    EXPECT_EQ(ToUnixSeconds(Date(2025, 3, 1)) - ToUnixSeconds(Date(2025, 2, 28)), 86400);
    EXPECT_EQ(ToUnixSeconds(Date(2024, 3, 1)) - ToUnixSeconds(Date(2024, 2, 28)), 2 * 86400);
}
