#pragma once
// Dates as games hold them: a real number of days since 30 December 1899,
// the time of day as the fraction, in local time. Days before that date are
// plain negative numbers (the fraction still counts forward from midnight).
// Times are kept to the millisecond; dates run from year 1 to year 9999.

#include <string>

namespace kestrin::engine::dates {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool LeapYear(int year);
// 0 for a month that is not 1 to 12.
int DaysInMonth(int year, int month);
bool ValidDate(double year, double month, double day);
bool ValidTime(double hour, double minute, double second);

// Callers check validity first.
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int millisecond = 0);

// A finite value between year 1 and the end of year 9999.
bool InRange(double dateTime);
// Only for values in range.
DateParts Decode(double dateTime);
double Encode(const DateParts& parts);

// Day of the week, 0 Sunday to 6 Saturday.
int Weekday(double dateTime);
// 1 for 1 January.
int DayOfYear(double dateTime);
// The week of the year as calendars number it: weeks start on Monday and
// week 1 holds the year's first Thursday, so the first days of January may
// belong to week 52 or 53 of the year before.
int WeekOfYear(double dateTime);

// The date moved by whole months (or years), the day kept unless the new
// month is shorter (31 January plus one month is the last day of February);
// the time of day is kept. False when the result leaves the years 1 to 9999.
bool AddMonths(double dateTime, double months, double& result);

// -1, 0 or 1, to the millisecond; by day alone; by time of day alone.
int CompareDateTime(double a, double b);
int CompareDate(double a, double b);
int CompareTime(double a, double b);

// "2026-12-10", "14:52:11", "2026-12-10 14:52:11".
std::string DateText(double dateTime);
std::string TimeText(double dateTime);
std::string DateTimeText(double dateTime);

// Now, in local time.
double Now();

}  // namespace kestrin::engine::dates
