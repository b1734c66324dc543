// Dates as day counts: the calendar (leap years, month ends, the weeks of
// the year), moving by months, comparing, the strings, and the date
// functions as game code calls them.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/date_time.h"
#include "function_game.h"

namespace kestrin::engine {
namespace {

using namespace dates;

struct CalendarCase {
    int year, month, day;
    double serial;
    int weekday, dayOfYear, week;
};

TEST(DateTime, DaysCountFromTheLastDaysOf1899AndTheCalendarFollows) {
    const CalendarCase cases[] = {
        {1899, 12, 30, 0, 6, 364, 52},          {1899, 12, 31, 1, 0, 365, 52},
        {1900, 1, 1, 2, 1, 1, 1},               {1900, 3, 1, 61, 4, 60, 9},  // 1900 has no 29 February
        {2000, 2, 29, 36585, 2, 60, 9},         {2000, 12, 31, 36891, 0, 366, 52},
        {2020, 12, 31, 44196, 4, 366, 53},      {2021, 1, 1, 44197, 5, 1, 53},  // still week 53 of 2020
        {2024, 12, 30, 45656, 1, 365, 1},       // already week 1 of 2025
        {2026, 1, 1, 46023, 4, 1, 1},           {2026, 12, 10, 46366, 4, 344, 50},
        {1, 1, 1, -693593, 1, 1, 1},            {9999, 12, 31, 2958465, 5, 365, 52},
        {1850, 6, 15, -18095, 6, 166, 24},
    };
    for (const CalendarCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial);
        const DateParts parts = Decode(c.serial + 0.75);
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
        EXPECT_EQ(parts.hour, 18);
        EXPECT_EQ(Weekday(c.serial), c.weekday);
        EXPECT_EQ(DayOfYear(c.serial), c.dayOfYear);
        EXPECT_EQ(WeekOfYear(c.serial), c.week);
    }
}

TEST(DateTime, LeapYearsMonthEndsAndValidity) {
    EXPECT_TRUE(LeapYear(2000));
    EXPECT_TRUE(LeapYear(2024));
    EXPECT_FALSE(LeapYear(1900));
    EXPECT_FALSE(LeapYear(2023));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);

    EXPECT_TRUE(ValidDate(2024, 2, 29));
    EXPECT_FALSE(ValidDate(2023, 2, 29));
    EXPECT_FALSE(ValidDate(2023, 4, 31));
    EXPECT_FALSE(ValidDate(0, 1, 1));
    EXPECT_FALSE(ValidDate(10000, 1, 1));
    EXPECT_FALSE(ValidDate(2023, 1, 1.5));
    EXPECT_FALSE(ValidDate(NAN, 1, 1));
    EXPECT_TRUE(ValidTime(23, 59, 59));
    EXPECT_FALSE(ValidTime(24, 0, 0));
    EXPECT_FALSE(ValidTime(0, 60, 0));
    EXPECT_FALSE(ValidTime(0, 0, -1));

    EXPECT_FALSE(InRange(NAN));
    EXPECT_FALSE(InRange(INFINITY));
    EXPECT_FALSE(InRange(-693594));
    EXPECT_TRUE(InRange(2958465.99));
    EXPECT_FALSE(InRange(2958466));
}

TEST(DateTime, TimesSplitToTheMillisecondAndBeforeTheFirstDayCountForward) {
    const DateParts noon = Decode(EncodeTime(12, 30, 15, 250));
    EXPECT_EQ(noon.hour, 12);
    EXPECT_EQ(noon.minute, 30);
    EXPECT_EQ(noon.second, 15);
    EXPECT_EQ(noon.millisecond, 250);
    // Half a day before day 0 is noon of 29 December.
    const DateParts before = Decode(-0.5);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 12);
    // A hair before midnight rounds to the next day, not to 24:00.
    const DateParts late = Decode(1 - 1e-10);
    EXPECT_EQ(late.day, 31);
    EXPECT_EQ(late.hour, 0);
}

TEST(DateTime, MovingByMonthsKeepsTheDayUnlessTheMonthIsShorter) {
    struct Case {
        double from, months, to;
    };
    const double teaTime = EncodeTime(16, 0, 0);
    const Case cases[] = {
        {EncodeDate(2023, 1, 31), 1, EncodeDate(2023, 2, 28)},
        {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
        {EncodeDate(2024, 2, 29), 12, EncodeDate(2025, 2, 28)},
        {EncodeDate(2023, 3, 15), -3, EncodeDate(2022, 12, 15)},
        {EncodeDate(2023, 3, 15) + teaTime, 25, EncodeDate(2025, 4, 15) + teaTime},
        {EncodeDate(2023, 3, 15), 1.9, EncodeDate(2023, 4, 15)},
    };
    for (const Case& c : cases) {
        double result = 0;
        ASSERT_TRUE(AddMonths(c.from, c.months, result)) << DateText(c.from) << " + " << c.months;
        EXPECT_EQ(DateTimeText(result), DateTimeText(c.to)) << DateText(c.from) << " + " << c.months;
    }
    double result;
    EXPECT_FALSE(AddMonths(EncodeDate(9999, 12, 1), 1, result));
    EXPECT_FALSE(AddMonths(EncodeDate(1, 1, 1), -1, result));
    EXPECT_FALSE(AddMonths(0, 1e300, result));
}

TEST(DateTime, ComparingByMomentDayOrTimeOfDay) {
    const double morning = EncodeDate(2024, 5, 1) + EncodeTime(8, 0, 0);
    const double evening = EncodeDate(2024, 5, 1) + EncodeTime(20, 0, 0);
    const double nextMorning = EncodeDate(2024, 5, 2) + EncodeTime(8, 0, 0);
    EXPECT_EQ(CompareDateTime(morning, evening), -1);
    EXPECT_EQ(CompareDateTime(evening, morning), 1);
    EXPECT_EQ(CompareDateTime(morning, morning + 1e-10), 0);
    EXPECT_EQ(CompareDate(morning, evening), 0);
    EXPECT_EQ(CompareDate(nextMorning, evening), 1);
    EXPECT_EQ(CompareTime(morning, nextMorning), 0);
    EXPECT_EQ(CompareTime(nextMorning, evening), -1);
    EXPECT_EQ(CompareDate(-0.25, 0.25), -1);
}

TEST(DateTime, StringsAndNow) {
    const double moment = EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 3);
    EXPECT_EQ(DateText(moment), "2026-03-07");
    EXPECT_EQ(TimeText(moment), "09:05:03");
    EXPECT_EQ(DateTimeText(moment), "2026-03-07 09:05:03");
    EXPECT_EQ(DateText(EncodeDate(1, 1, 1)), "0001-01-01");

    // Now lies within the day of the local clock.
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double now = Now();
    const double today = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    EXPECT_GE(now, today - 1);
    EXPECT_LT(now, today + 2);
}

TEST(DateFunctions, GameCodeWorksWithDates) {
    test::FunctionGame g;
    const std::string d = "date_create_datetime(2024, 2, 29, 13, 45, 30)";
    test::ExpectOutcomes(g, {
        {"date_create_date(2000, 1, 1)", "36526"},
        {"date_create_time(6, 0, 0)", "0.25"},
        {"date_get_year(" + d + ")", "2024"},
        {"date_get_month(" + d + ")", "2"},
        {"date_get_day(" + d + ")", "29"},
        {"date_get_hour(" + d + ")", "13"},
        {"date_get_minute(" + d + ")", "45"},
        {"date_get_second(" + d + ")", "30"},
        {"date_get_weekday(" + d + ")", "4"},
        {"date_get_week(" + d + ")", "9"},
        {"date_get_day_of_year(" + d + ")", "60"},
        {"date_get_hour_of_year(" + d + ")", "1429"},
        {"date_get_minute_of_year(" + d + ")", "85785"},
        {"date_get_second_of_year(" + d + ")", "5147130"},
        {"date_date_of(" + d + ") == date_create_date(2024, 2, 29)", "1"},
        {"date_time_string(date_time_of(" + d + "))", "'13:45:30'"},
        {"date_datetime_string(" + d + ")", "'2024-02-29 13:45:30'"},
        {"date_date_string(" + d + ")", "'2024-02-29'"},
        {"date_days_in_month(" + d + ")", "29"},
        {"date_days_in_year(" + d + ")", "366"},
        {"date_leap_year(date_create_date(1900, 6, 1))", "0"},
        {"date_datetime_string(date_inc_year(" + d + ", 1))", "'2025-02-28 13:45:30'"},
        {"date_date_string(date_inc_month(date_create_date(2024, 12, 31), 2))", "'2025-02-28'"},
        {"date_date_string(date_inc_week(date_create_date(2024, 12, 30), 1))", "'2025-01-06'"},
        {"date_datetime_string(date_inc_hour(" + d + ", 11))", "'2024-03-01 00:45:30'"},
        {"date_time_string(date_inc_minute(" + d + ", -46))", "'12:59:30'"},
        {"date_time_string(date_inc_second(" + d + ", 30))", "'13:46:00'"},
        {"date_day_span(date_create_date(2024, 1, 1), date_create_date(2023, 1, 1))", "365"},
        {"date_hour_span(0, 1.5)", "36"},
        {"date_minute_span(0, 0.5)", "720"},
        {"date_second_span(0, 0.5)", "43200"},
        {"date_week_span(0, 14)", "2"},
        {"date_year_span(0, 730.5)", "2"},
        {"date_month_span(0, 365.25)", "12"},
        {"date_compare_datetime(" + d + ", date_inc_second(" + d + ", 1))", "-1"},
        {"date_compare_date(" + d + ", date_create_date(2024, 2, 29))", "0"},
        {"date_compare_time(" + d + ", date_create_time(13, 0, 0))", "1"},
        {"date_valid_date(2023, 2, 29)", "0"},
        {"date_valid_time(23, 59, 59)", "1"},
        {"date_valid_datetime(2024, 2, 29, 24, 0, 0)", "0"},
        {"date_is_today(date_current_datetime())", "1"},
        {"date_is_today(date_inc_day(date_current_date(), -1))", "0"},
        {"date_current_time() < 1 && date_current_time() >= 0", "1"},
        {"date_current_date() == floor(date_current_date())", "1"},
    });
}

TEST(DateFunctions, DatesThatDoNotExistAreRunTimeErrors) {
    test::FunctionGame g;
    test::ExpectOutcomes(g, {
        {"date_create_date(2023, 2, 29)", "error: Not a valid date: 2023-2-29"},
        {"date_create_time(25, 0, 0)", "error: Not a valid time: 25:0:0"},
        {"date_create_datetime(2023, 1, 1, 0, 0, 60)", "error: Not a valid date and time: 2023-1-1 0:0:60"},
        {"date_get_year(-10000000)", "error: Not a date: -10000000"},
        {"date_inc_day(2958465, 1)", "error: The date leaves the years 1 to 9999."},
        {"date_inc_month(date_create_date(9999, 12, 1), 1)", "error: The date leaves the years 1 to 9999."},
        {"date_day_span(0, -1000000000)", "error: Not a date: -1000000000"},
    });
}

}  // namespace
}  // namespace kestrin::engine
