// Calendar checks and conversions used by the mask languages.
//
// Every part is a plain signed integer and -1 stands for "not given": a mask
// that holds only a time, or only a year and month, still validates, so each
// check accepts -1 for any part and tests only the parts that are present.
// Any other value outside a part's range fails. Dates are proleptic
// Gregorian, years 1 to 9999.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

class HOLLIN_EXPORT SZKDateTime
{
public:
    static constexpr int NotGiven = -1;
    static constexpr int MinYear = 1;
    static constexpr int MaxYear = 9999;

    static BOOL IsLeapYear(int year);

    // Days in the month (28..31); 0 for a month outside 1..12 or a year
    // outside the range. A year of -1 gives 29 for February, so a day-month
    // mask without a year accepts 29 February.
    static int GetDaysInMonth(int year, int month);

    // 365 or 366; 0 for a year outside the range.
    static int GetDaysInYear(int year);

    // Year in 1..9999, or -1.
    static BOOL CheckYear(int year);

    // Each of year, month and day may be -1; a given day must exist in the
    // given month (and year, when given).
    static BOOL CheckDate(int year, int month, int day);

    // Hour 0..23, minute 0..59, second 0..59; each may be -1.
    static BOOL CheckTime(int hour, int minute, int second);

    // Day of year 1..365 (366 in a leap year); -1 passes. With the year -1
    // any day up to 366 passes.
    static BOOL CheckDOY(int year, int dayOfYear);

    // Month and day of a day of the year; both year and day must be given
    // and valid. The outputs are untouched on failure.
    static BOOL DOY_Date(int year, int dayOfYear, int& month, int& day);

    // Day of the year (1 = 1 January) of a complete, valid date; 0 otherwise.
    static int GetDayOfYear(int year, int month, int day);

    // Weekday of a complete, valid date, 0 = Sunday .. 6 = Saturday; -1
    // otherwise.
    static int GetDayOfWeek(int year, int month, int day);

    // Week of the year of a complete, valid date. Week 1 is the week that
    // holds 1 January and every week starts on a Sunday, so week 1 may be
    // short and a year has 53 or (a leap year starting on Saturday) 54
    // weeks. Fails, leaving week untouched, for an incomplete or invalid date.
    static BOOL GetWeekOfYear(int year, int month, int day, int& week);

    // Converts a 12-hour clock hour (1..12) to 0..23: 12 AM is 0, 12 PM is
    // 12. Fails, leaving hour untouched, for a short hour outside 1..12.
    static BOOL ShortHour_Hour(int shortHour, BOOL isPM, int& hour);
};
