// Date functions. A date is a real: days since 30 December 1899 with the
// time of day as the fraction, in local time. Weeks of the year are
// numbered as calendars do (Monday first, week 1 holds the first Thursday);
// weekdays run from 0 Sunday to 6 Saturday. Spans are the distance between
// two dates as a real, with a month of 365.25 / 12 days and a year of
// 365.25 days. The date strings have one form everywhere: "2026-12-10",
// "14:52:11". A value that is no date between years 1 and 9999 is a
// run-time error, and so is creating a date or time that does not exist.

#include <cmath>

#include "engine/date_time.h"
#include "engine/world_functions.h"

namespace kestrin::engine {

namespace {

using namespace dates;

constexpr double kDaysPerYear = 365.25;

// The argument as a date, or false after failing the call.
bool DateArg(FunctionCall& call, int i, double& date) {
    date = call.Real(i);
    if (InRange(date)) return true;
    call.Fail("Not a date: " + call.Text(i));
    return false;
}

template <typename Get>
Value PartOf(FunctionCall& call, Get get) {
    double date;
    if (!DateArg(call, 0, date)) return 0.0;
    return static_cast<double>(get(date));
}

Value Result(FunctionCall& call, double date) {
    if (!InRange(date)) return call.Fail("The date leaves the years 1 to 9999.");
    return date;
}

Value CurrentDateTime(FunctionCall&) { return Now(); }
Value CurrentDate(FunctionCall&) { return std::floor(Now()); }
Value CurrentTime(FunctionCall&) {
    const double now = Now();
    return now - std::floor(now);
}

Value GetYear(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).year; }); }
Value GetMonth(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).month; }); }
Value GetWeek(FunctionCall& call) { return PartOf(call, WeekOfYear); }
Value GetDay(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).day; }); }
Value GetHour(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).hour; }); }
Value GetMinute(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).minute; }); }
Value GetSecond(FunctionCall& call) { return PartOf(call, [](double d) { return Decode(d).second; }); }
Value GetWeekday(FunctionCall& call) { return PartOf(call, Weekday); }
Value GetDayOfYear(FunctionCall& call) { return PartOf(call, DayOfYear); }
Value GetHourOfYear(FunctionCall& call) {
    return PartOf(call, [](double d) { return (DayOfYear(d) - 1) * 24 + Decode(d).hour; });
}
Value GetMinuteOfYear(FunctionCall& call) {
    return PartOf(call, [](double d) { return ((DayOfYear(d) - 1) * 24 + Decode(d).hour) * 60 + Decode(d).minute; });
}
Value GetSecondOfYear(FunctionCall& call) {
    return PartOf(call, [](double d) {
        const DateParts p = Decode(d);
        return (((DayOfYear(d) - 1) * 24 + p.hour) * 60 + p.minute) * 60 + p.second;
    });
}

// The day and the time of day, split where Decode splits them.
Value DateOf(FunctionCall& call) {
    double date;
    if (!DateArg(call, 0, date)) return 0.0;
    DateParts parts = Decode(date);
    return EncodeDate(parts.year, parts.month, parts.day);
}
Value TimeOf(FunctionCall& call) {
    double date;
    if (!DateArg(call, 0, date)) return 0.0;
    const DateParts p = Decode(date);
    return EncodeTime(p.hour, p.minute, p.second, p.millisecond);
}

template <std::string (*Format)(double)>
Value Text(FunctionCall& call) {
    double date;
    if (!DateArg(call, 0, date)) return 0.0;
    return Format(date);
}

Value DaysInMonthOf(FunctionCall& call) {
    return PartOf(call, [](double d) { return DaysInMonth(Decode(d).year, Decode(d).month); });
}
Value DaysInYearOf(FunctionCall& call) {
    return PartOf(call, [](double d) { return LeapYear(Decode(d).year) ? 366 : 365; });
}
Value LeapYearOf(FunctionCall& call) { return PartOf(call, [](double d) { return LeapYear(Decode(d).year); }); }
Value IsToday(FunctionCall& call) { return PartOf(call, [](double d) { return CompareDate(d, Now()) == 0; }); }

template <int MonthsPerStep>
Value IncMonths(FunctionCall& call) {
    double date, result;
    if (!DateArg(call, 0, date)) return 0.0;
    const double amount = call.Real(1);
    if (!std::isfinite(amount) || !AddMonths(date, std::trunc(amount) * MonthsPerStep, result))
        return call.Fail("The date leaves the years 1 to 9999.");
    return result;
}

// Days, weeks, hours, minutes and seconds add as fractions of days.
template <int PerDay, int DaysPerStep = 1>
Value IncBy(FunctionCall& call) {
    double date;
    if (!DateArg(call, 0, date)) return 0.0;
    return Result(call, date + call.Real(1) * DaysPerStep / PerDay);
}

template <int PerDay>
Value SpanIn(FunctionCall& call, double daysPerUnit = 1) {
    double a, b;
    if (!DateArg(call, 0, a) || !DateArg(call, 1, b)) return 0.0;
    return std::fabs(a - b) * PerDay / daysPerUnit;
}
Value YearSpan(FunctionCall& call) { return SpanIn<1>(call, kDaysPerYear); }
Value MonthSpan(FunctionCall& call) { return SpanIn<1>(call, kDaysPerYear / 12); }
Value WeekSpan(FunctionCall& call) { return SpanIn<1>(call, 7); }
Value DaySpan(FunctionCall& call) { return SpanIn<1>(call); }
Value HourSpan(FunctionCall& call) { return SpanIn<24>(call); }
Value MinuteSpan(FunctionCall& call) { return SpanIn<24 * 60>(call); }
Value SecondSpan(FunctionCall& call) { return SpanIn<24 * 60 * 60>(call); }

template <int (*Compare)(double, double)>
Value CompareBy(FunctionCall& call) {
    double a, b;
    if (!DateArg(call, 0, a) || !DateArg(call, 1, b)) return 0.0;
    return static_cast<double>(Compare(a, b));
}

Value CreateDate(FunctionCall& call) {
    if (!ValidDate(call.Real(0), call.Real(1), call.Real(2)))
        return call.Fail("Not a valid date: " + call.Text(0) + "-" + call.Text(1) + "-" + call.Text(2));
    return EncodeDate(call.Int(0), call.Int(1), call.Int(2));
}
Value CreateTime(FunctionCall& call) {
    if (!ValidTime(call.Real(0), call.Real(1), call.Real(2)))
        return call.Fail("Not a valid time: " + call.Text(0) + ":" + call.Text(1) + ":" + call.Text(2));
    return EncodeTime(call.Int(0), call.Int(1), call.Int(2));
}
Value CreateDateTime(FunctionCall& call) {
    if (!ValidDate(call.Real(0), call.Real(1), call.Real(2)) || !ValidTime(call.Real(3), call.Real(4), call.Real(5)))
        return call.Fail("Not a valid date and time: " + call.Text(0) + "-" + call.Text(1) + "-" + call.Text(2) +
                         " " + call.Text(3) + ":" + call.Text(4) + ":" + call.Text(5));
    return EncodeDate(call.Int(0), call.Int(1), call.Int(2)) + EncodeTime(call.Int(3), call.Int(4), call.Int(5));
}
Value ValidDateOf(FunctionCall& call) { return ValidDate(call.Real(0), call.Real(1), call.Real(2)) ? 1.0 : 0.0; }
Value ValidTimeOf(FunctionCall& call) { return ValidTime(call.Real(0), call.Real(1), call.Real(2)) ? 1.0 : 0.0; }
Value ValidDateTimeOf(FunctionCall& call) {
    return ValidDate(call.Real(0), call.Real(1), call.Real(2)) && ValidTime(call.Real(3), call.Real(4), call.Real(5))
               ? 1.0
               : 0.0;
}

}  // namespace

void AddDateFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"date_current_datetime", CurrentDateTime}, {"date_current_date", CurrentDate},
        {"date_current_time", CurrentTime},         {"date_get_year", GetYear},
        {"date_get_month", GetMonth},               {"date_get_week", GetWeek},
        {"date_get_day", GetDay},                   {"date_get_hour", GetHour},
        {"date_get_minute", GetMinute},             {"date_get_second", GetSecond},
        {"date_get_weekday", GetWeekday},           {"date_get_day_of_year", GetDayOfYear},
        {"date_get_hour_of_year", GetHourOfYear},   {"date_get_minute_of_year", GetMinuteOfYear},
        {"date_get_second_of_year", GetSecondOfYear}, {"date_date_of", DateOf},
        {"date_time_of", TimeOf},                   {"date_datetime_string", Text<DateTimeText>},
        {"date_date_string", Text<DateText>},       {"date_time_string", Text<TimeText>},
        {"date_days_in_month", DaysInMonthOf},      {"date_days_in_year", DaysInYearOf},
        {"date_leap_year", LeapYearOf},             {"date_is_today", IsToday},
        {"date_inc_year", IncMonths<12>},           {"date_inc_month", IncMonths<1>},
        {"date_inc_week", IncBy<1, 7>},             {"date_inc_day", IncBy<1>},
        {"date_inc_hour", IncBy<24>},               {"date_inc_minute", IncBy<24 * 60>},
        {"date_inc_second", IncBy<24 * 60 * 60>},   {"date_year_span", YearSpan},
        {"date_month_span", MonthSpan},             {"date_week_span", WeekSpan},
        {"date_day_span", DaySpan},                 {"date_hour_span", HourSpan},
        {"date_minute_span", MinuteSpan},           {"date_second_span", SecondSpan},
        {"date_compare_datetime", CompareBy<CompareDateTime>}, {"date_compare_date", CompareBy<CompareDate>},
        {"date_compare_time", CompareBy<CompareTime>}, {"date_create_date", CreateDate},
        {"date_create_time", CreateTime},           {"date_valid_date", ValidDateOf},
        {"date_valid_time", ValidTimeOf},           {"date_create_datetime", CreateDateTime},
        {"date_valid_datetime", ValidDateTimeOf},
    });
}

}  // namespace kestrin::engine
