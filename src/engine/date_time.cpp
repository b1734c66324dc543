// Dates and times as day counts: conversions with whole calendar days go
// through days since 1 January 1970 (proleptic Gregorian), times through
// milliseconds of the day.

#include "engine/date_time.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace kestrin::engine::dates {

namespace {

constexpr long long kMsPerDay = 86400000;
// 30 December 1899 is day -25569 counted from 1 January 1970.
constexpr long long kEpochOffset = 25569;
// Day numbers of 1 January 1 and of 1 January 10000.
constexpr double kFirstDay = -693593;
constexpr double kEndDay = 2958466;

long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

long long Milliseconds(double dateTime) { return std::llround(dateTime * kMsPerDay); }

bool Whole(double value, double low, double high) {
    return std::isfinite(value) && value == std::floor(value) && value >= low && value <= high;
}

int Sign(long long difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

}  // namespace

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && LeapYear(year));
}

bool ValidDate(double year, double month, double day) {
    return Whole(year, 1, 9999) && Whole(month, 1, 12) &&
           Whole(day, 1, DaysInMonth(static_cast<int>(year), static_cast<int>(month)));
}

bool ValidTime(double hour, double minute, double second) {
    return Whole(hour, 0, 23) && Whole(minute, 0, 59) && Whole(second, 0, 59);
}

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) + kEpochOffset);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
    return static_cast<double>(((hour * 60LL + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
}

bool InRange(double dateTime) { return std::isfinite(dateTime) && dateTime >= kFirstDay && dateTime < kEndDay; }

DateParts Decode(double dateTime) {
    const long long ms = Milliseconds(dateTime);
    const long long days = FloorDiv(ms, kMsPerDay);
    long long rest = ms - days * kMsPerDay;
    DateParts parts;
    CivilFromDays(days - kEpochOffset, parts.year, parts.month, parts.day);
    parts.millisecond = static_cast<int>(rest % 1000);
    rest /= 1000;
    parts.second = static_cast<int>(rest % 60);
    rest /= 60;
    parts.minute = static_cast<int>(rest % 60);
    parts.hour = static_cast<int>(rest / 60);
    return parts;
}

double Encode(const DateParts& parts) {
    return EncodeDate(parts.year, parts.month, parts.day) +
           EncodeTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

int Weekday(double dateTime) {
    // Day 0, 30 December 1899, was a Saturday.
    const long long days = FloorDiv(Milliseconds(dateTime), kMsPerDay);
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

int DayOfYear(double dateTime) {
    const DateParts parts = Decode(dateTime);
    return static_cast<int>(DaysFromCivil(parts.year, parts.month, parts.day) - DaysFromCivil(parts.year, 1, 1)) + 1;
}

int WeekOfYear(double dateTime) {
    const DateParts parts = Decode(dateTime);
    const int isoWeekday = (Weekday(dateTime) + 6) % 7 + 1;  // Monday 1 .. Sunday 7
    const int week = (DayOfYear(dateTime) - isoWeekday + 10) / 7;
    auto weeksIn = [](int year) {
        auto p = [](int y) { return (y + y / 4 - y / 100 + y / 400) % 7; };
        return p(year) == 4 || p(year - 1) == 3 ? 53 : 52;
    };
    if (week < 1) return weeksIn(parts.year - 1);
    if (week > weeksIn(parts.year)) return 1;
    return week;
}

bool AddMonths(double dateTime, double months, double& result) {
    if (!InRange(dateTime) || !std::isfinite(months) || std::fabs(months) > 200000) return false;
    DateParts parts = Decode(dateTime);
    const long long index = parts.year * 12LL + (parts.month - 1) + static_cast<long long>(std::trunc(months));
    const long long year = FloorDiv(index, 12);
    if (year < 1 || year > 9999) return false;
    parts.year = static_cast<int>(year);
    parts.month = static_cast<int>(index - year * 12) + 1;
    if (parts.day > DaysInMonth(parts.year, parts.month)) parts.day = DaysInMonth(parts.year, parts.month);
    result = Encode(parts);
    return true;
}

int CompareDateTime(double a, double b) { return Sign(Milliseconds(a) - Milliseconds(b)); }

int CompareDate(double a, double b) {
    return Sign(FloorDiv(Milliseconds(a), kMsPerDay) - FloorDiv(Milliseconds(b), kMsPerDay));
}

int CompareTime(double a, double b) {
    auto ofDay = [](double d) {
        const long long ms = Milliseconds(d);
        return ms - FloorDiv(ms, kMsPerDay) * kMsPerDay;
    };
    return Sign(ofDay(a) - ofDay(b));
}

std::string DateText(double dateTime) {
    const DateParts p = Decode(dateTime);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
    return buffer;
}

std::string TimeText(double dateTime) {
    const DateParts p = Decode(dateTime);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    return buffer;
}

std::string DateTimeText(double dateTime) { return DateText(dateTime) + " " + TimeText(dateTime); }

double Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms < 0 ? 0 : ms));
}

}  // namespace kestrin::engine::dates
