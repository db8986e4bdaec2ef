#include <hollin/ZKDateTime.h>

namespace
{
bool IsGiven(int part)
{
    return part != SZKDateTime::NotGiven;
}

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Days before the first of each month in a common year.
const int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
} // namespace

BOOL SZKDateTime::IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int SZKDateTime::GetDaysInMonth(int year, int month)
{
    static const int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!InRange(month, 1, 12) || (IsGiven(year) && !CheckYear(year)))
        return 0;
    if (month == 2 && (!IsGiven(year) || IsLeapYear(year)))
        return 29;
    return kDays[month];
}

int SZKDateTime::GetDaysInYear(int year)
{
    if (!IsGiven(year) || !CheckYear(year))
        return 0;
    return IsLeapYear(year) ? 366 : 365;
}

BOOL SZKDateTime::CheckYear(int year)
{
    return !IsGiven(year) || InRange(year, MinYear, MaxYear);
}

BOOL SZKDateTime::CheckDate(int year, int month, int day)
{
    if (!CheckYear(year))
        return FALSE;
    if (IsGiven(month) && !InRange(month, 1, 12))
        return FALSE;
    if (!IsGiven(day))
        return TRUE;
    const int lastDay = IsGiven(month) ? GetDaysInMonth(year, month) : 31;
    return InRange(day, 1, lastDay);
}

BOOL SZKDateTime::CheckTime(int hour, int minute, int second)
{
    return (!IsGiven(hour) || InRange(hour, 0, 23)) &&
           (!IsGiven(minute) || InRange(minute, 0, 59)) &&
           (!IsGiven(second) || InRange(second, 0, 59));
}

BOOL SZKDateTime::CheckDOY(int year, int dayOfYear)
{
    if (!CheckYear(year))
        return FALSE;
    if (!IsGiven(dayOfYear))
        return TRUE;
    const int lastDay = IsGiven(year) ? GetDaysInYear(year) : 366;
    return InRange(dayOfYear, 1, lastDay);
}

BOOL SZKDateTime::DOY_Date(int year, int dayOfYear, int& month, int& day)
{
    if (!IsGiven(year) || !IsGiven(dayOfYear) || !CheckDOY(year, dayOfYear))
        return FALSE;
    int remaining = dayOfYear;
    int m = 1;
    while (remaining > GetDaysInMonth(year, m))
    {
        remaining -= GetDaysInMonth(year, m);
        ++m;
    }
    month = m;
    day = remaining;
    return TRUE;
}

int SZKDateTime::GetDayOfYear(int year, int month, int day)
{
    if (!IsGiven(year) || !IsGiven(month) || !IsGiven(day) || !CheckDate(year, month, day))
        return 0;
    const int leapDay = (month > 2 && IsLeapYear(year)) ? 1 : 0;
    return kDaysBeforeMonth[month] + leapDay + day;
}

int SZKDateTime::GetDayOfWeek(int year, int month, int day)
{
    const int dayOfYear = GetDayOfYear(year, month, day);
    if (dayOfYear == 0)
        return -1;
    // Days from 1 January of year 1 (a Monday in the proleptic calendar).
    const long long y = year - 1;
    const long long days = y * 365 + y / 4 - y / 100 + y / 400 + (dayOfYear - 1);
    return static_cast<int>((days + 1) % 7);
}

BOOL SZKDateTime::GetWeekOfYear(int year, int month, int day, int& week)
{
    const int dayOfYear = GetDayOfYear(year, month, day);
    if (dayOfYear == 0)
        return FALSE;
    const int firstWeekday = GetDayOfWeek(year, 1, 1);
    week = (dayOfYear - 1 + firstWeekday) / 7 + 1;
    return TRUE;
}

BOOL SZKDateTime::ShortHour_Hour(int shortHour, BOOL isPM, int& hour)
{
    if (!InRange(shortHour, 1, 12))
        return FALSE;
    const int morningHour = shortHour % 12;
    hour = isPM ? morningHour + 12 : morningHour;
    return TRUE;
}
