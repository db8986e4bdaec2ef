#include <wincompat/ZKOleDate.h>

#include <gtest/gtest.h>

namespace
{

DATE Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    CZKOleDate date(y, mo, d, h, mi, s);
    EXPECT_TRUE(date.IsValid());
    return date.Value();
}

void ExpectParts(DATE value, int y, int mo, int d, int h, int mi, int s)
{
    CZKOleDate date(value);
    ASSERT_TRUE(date.IsValid()) << value;
    EXPECT_EQ(y, date.Year()) << value;
    EXPECT_EQ(mo, date.Month()) << value;
    EXPECT_EQ(d, date.Day()) << value;
    EXPECT_EQ(h, date.Hour()) << value;
    EXPECT_EQ(mi, date.Minute()) << value;
    EXPECT_EQ(s, date.Second()) << value;
}

} // namespace

TEST(OleDate, KnownDaysHaveTheirStandardValues)
{
    EXPECT_EQ(0.0, Make(1899, 12, 30));
    EXPECT_EQ(1.0, Make(1899, 12, 31));
    EXPECT_EQ(2.0, Make(1900, 1, 1));
    EXPECT_EQ(61.0, Make(1900, 3, 1)); // 1900 is no leap year
    EXPECT_EQ(36526.0, Make(2000, 1, 1));
    EXPECT_EQ(36526.5, Make(2000, 1, 1, 12));
    EXPECT_EQ(2958465.0, Make(9999, 12, 31));
    EXPECT_EQ(-657434.0, Make(100, 1, 1));
}

TEST(OleDate, BeforeTheEpochTimeStillCountsForward)
{
    EXPECT_EQ(-1.0, Make(1899, 12, 29));
    EXPECT_EQ(-1.25, Make(1899, 12, 29, 6));
    EXPECT_EQ(-2.75, Make(1899, 12, 28, 18));
    ExpectParts(-1.25, 1899, 12, 29, 6, 0, 0);
    ExpectParts(-2.75, 1899, 12, 28, 18, 0, 0);
    // Between -1 and 0 it is the epoch day itself.
    ExpectParts(-0.5, 1899, 12, 30, 12, 0, 0);
    ExpectParts(0.5, 1899, 12, 30, 12, 0, 0);
}

TEST(OleDate, PartsRoundTripAndRoundToTheSecond)
{
    ExpectParts(Make(2024, 2, 29, 23, 59, 59), 2024, 2, 29, 23, 59, 59);
    ExpectParts(Make(1850, 7, 4, 13, 14, 15), 1850, 7, 4, 13, 14, 15);
    ExpectParts(36526.0 + 0.4 / 86400, 2000, 1, 1, 0, 0, 0);
    ExpectParts(36526.0 + 1.6 / 86400, 2000, 1, 1, 0, 0, 2);
    // Rounding up past midnight moves to the next day, on both sides of 0.
    ExpectParts(36526.0 - 0.2 / 86400, 2000, 1, 1, 0, 0, 0);
    ExpectParts(-1.0 - 86399.8 / 86400, 1899, 12, 30, 0, 0, 0);
}

TEST(OleDate, DayOfWeekAndDayOfYear)
{
    EXPECT_EQ(6, CZKOleDate(1899, 12, 30).DayOfWeek()); // Saturday
    EXPECT_EQ(0, CZKOleDate(1899, 12, 31).DayOfWeek());
    EXPECT_EQ(5, CZKOleDate(1899, 12, 29).DayOfWeek());
    EXPECT_EQ(6, CZKOleDate(2000, 1, 1).DayOfWeek());
    EXPECT_EQ(3, CZKOleDate(2026, 12, 9).DayOfWeek());
    EXPECT_EQ(1, CZKOleDate(2000, 1, 1).DayOfYear());
    EXPECT_EQ(366, CZKOleDate(2000, 12, 31).DayOfYear());
    EXPECT_EQ(365, CZKOleDate(1900, 12, 31).DayOfYear());
    EXPECT_EQ(60, CZKOleDate(2024, 2, 29).DayOfYear());
}

TEST(OleDate, OutOfRangeInputIsInvalid)
{
    ZKDateParts parts;
    DATE value = 0;
    const ZKDateParts bad[] = {
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2023, 2, 29, 0, 0, 0},
        {2000, 13, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},  {2000, 1, 0, 0, 0, 0},
        {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, -1}};
    for (const auto& p : bad)
        EXPECT_FALSE(CZKOleDate::FromParts(p, value)) << p.year << "-" << p.month << "-" << p.day;
    EXPECT_FALSE(CZKOleDate::ToParts(2958466.0, parts));
    EXPECT_FALSE(CZKOleDate::ToParts(-657435.0, parts));
    EXPECT_FALSE(CZKOleDate::ToParts(0.0 / 0.0, parts));
    EXPECT_FALSE(CZKOleDate::ToParts(1e300, parts));
    CZKOleDate invalid(1e300);
    EXPECT_FALSE(invalid.IsValid());
    EXPECT_EQ(0, invalid.Year());
    EXPECT_EQ(0, invalid.DayOfWeek());
    EXPECT_FALSE(CZKOleDate(2023, 2, 29).IsValid());
    EXPECT_TRUE(CZKOleDate::Now().IsValid());
}
