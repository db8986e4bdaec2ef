// OLE Automation dates: days since 1899-12-30 as a double, the fraction
// being the time of day. Before 1899-12-30 the whole part counts days back
// while the fraction still counts time forward (-1.25 is 1899-12-29 06:00).
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

struct ZKDateParts
{
    int year = 1899;
    int month = 12; // 1-12
    int day = 30;   // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class WINCOMPAT_EXPORT CZKOleDate
{
public:
    // 1899-12-30 00:00, value 0.
    CZKOleDate() = default;
    explicit CZKOleDate(DATE value);
    CZKOleDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    // Years 100 to 9999 are valid, as for OLE.
    static bool FromParts(const ZKDateParts& parts, DATE& out);
    // Rounds to the nearest second.
    static bool ToParts(DATE value, ZKDateParts& out);
    static CZKOleDate Now();

    bool IsValid() const { return m_valid; }
    DATE Value() const { return m_value; }
    // All of these are 0 for an invalid date.
    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    // 0 = Sunday.
    int DayOfWeek() const;
    // 1 = 1 January.
    int DayOfYear() const;

private:
    ZKDateParts Parts() const;

    DATE m_value = 0.0;
    bool m_valid = true;
};
