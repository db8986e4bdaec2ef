#include <wincompat/ZKOleDate.h>

#include <cmath>
#include <ctime>

namespace
{

constexpr long long kSecondsPerDay = 86400;
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

const long long kOleEpoch = DaysFromCivil(1899, 12, 30);

bool InRange(const ZKDateParts& p)
{
    return p.year >= kMinYear && p.year <= kMaxYear && p.month >= 1 && p.month <= 12 &&
           p.day >= 1 && p.day <= DaysInMonth(p.year, p.month) && p.hour >= 0 && p.hour <= 23 &&
           p.minute >= 0 && p.minute <= 59 && p.second >= 0 && p.second <= 59;
}

} // namespace

CZKOleDate::CZKOleDate(DATE value) : m_value(value)
{
    ZKDateParts parts;
    m_valid = ToParts(value, parts);
}

CZKOleDate::CZKOleDate(int year, int month, int day, int hour, int minute, int second)
{
    ZKDateParts parts;
    parts.year = year;
    parts.month = month;
    parts.day = day;
    parts.hour = hour;
    parts.minute = minute;
    parts.second = second;
    m_valid = FromParts(parts, m_value);
    if (!m_valid)
        m_value = 0.0;
}

bool CZKOleDate::FromParts(const ZKDateParts& parts, DATE& out)
{
    if (!InRange(parts))
        return false;
    const long long days = DaysFromCivil(parts.year, static_cast<unsigned>(parts.month),
                                         static_cast<unsigned>(parts.day)) -
                           kOleEpoch;
    const double time = (parts.hour * 3600.0 + parts.minute * 60.0 + parts.second) / kSecondsPerDay;
    // Before the epoch the time of day still counts forward, so it moves the
    // value away from zero.
    out = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
    return true;
}

bool CZKOleDate::ToParts(DATE value, ZKDateParts& out)
{
    // 100-01-01 to the end of 9999-12-31.
    if (!std::isfinite(value) || value < -657435.0 || value >= 2958466.0)
        return false;
    const double whole = std::trunc(value);
    long long days = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(value - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay)
    {
        // Rounded up into the next calendar day (the next day for negative
        // values too, since their time of day also counts forward).
        seconds -= kSecondsPerDay;
        days += 1;
    }
    ZKDateParts parts;
    CivilFromDays(days + kOleEpoch, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    if (!InRange(parts))
        return false;
    out = parts;
    return true;
}

CZKOleDate CZKOleDate::Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return CZKOleDate(0.0);
    return CZKOleDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec);
}

ZKDateParts CZKOleDate::Parts() const
{
    ZKDateParts parts;
    if (!m_valid || !ToParts(m_value, parts))
        return ZKDateParts{0, 0, 0, 0, 0, 0};
    return parts;
}

int CZKOleDate::Year() const
{
    return Parts().year;
}

int CZKOleDate::Month() const
{
    return Parts().month;
}

int CZKOleDate::Day() const
{
    return Parts().day;
}

int CZKOleDate::Hour() const
{
    return Parts().hour;
}

int CZKOleDate::Minute() const
{
    return Parts().minute;
}

int CZKOleDate::Second() const
{
    return Parts().second;
}

int CZKOleDate::DayOfWeek() const
{
    const ZKDateParts p = Parts();
    if (!m_valid)
        return 0;
    // 1970-01-01 was a Thursday.
    const long long days =
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day));
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

int CZKOleDate::DayOfYear() const
{
    const ZKDateParts p = Parts();
    if (!m_valid)
        return 0;
    return static_cast<int>(
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
        DaysFromCivil(p.year, 1, 1) + 1);
}
