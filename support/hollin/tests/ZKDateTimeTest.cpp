#include <hollin/ZKDateTime.h>

#include <gtest/gtest.h>

TEST(ZKDateTimeTest, LeapYearsFollowTheGregorianRules)
{
    EXPECT_TRUE(SZKDateTime::IsLeapYear(2024));
    EXPECT_TRUE(SZKDateTime::IsLeapYear(2000));
    EXPECT_FALSE(SZKDateTime::IsLeapYear(1900));
    EXPECT_FALSE(SZKDateTime::IsLeapYear(2023));
}

TEST(ZKDateTimeTest, CheckDateAcceptsMissingPartsAndRejectsImpossibleDays)
{
    EXPECT_TRUE(SZKDateTime::CheckDate(-1, -1, -1));
    EXPECT_TRUE(SZKDateTime::CheckDate(2024, 2, 29));
    EXPECT_FALSE(SZKDateTime::CheckDate(2023, 2, 29));
    EXPECT_TRUE(SZKDateTime::CheckDate(-1, 2, 29)); // no year: 29 February may exist
    EXPECT_FALSE(SZKDateTime::CheckDate(-1, 2, 30));
    EXPECT_FALSE(SZKDateTime::CheckDate(-1, 4, 31));
    EXPECT_TRUE(SZKDateTime::CheckDate(-1, -1, 31));
    EXPECT_FALSE(SZKDateTime::CheckDate(-1, -1, 32));
    EXPECT_FALSE(SZKDateTime::CheckDate(2024, 0, 1));
    EXPECT_FALSE(SZKDateTime::CheckDate(2024, 13, 1));
    EXPECT_FALSE(SZKDateTime::CheckDate(2024, 1, 0));
    EXPECT_FALSE(SZKDateTime::CheckDate(0, 1, 1));
    EXPECT_FALSE(SZKDateTime::CheckDate(10000, 1, 1));
    EXPECT_FALSE(SZKDateTime::CheckDate(-2, 1, 1)); // only -1 means "not given"
}

TEST(ZKDateTimeTest, CheckTimeRanges)
{
    EXPECT_TRUE(SZKDateTime::CheckTime(-1, -1, -1));
    EXPECT_TRUE(SZKDateTime::CheckTime(23, 59, 59));
    EXPECT_TRUE(SZKDateTime::CheckTime(0, 0, 0));
    EXPECT_FALSE(SZKDateTime::CheckTime(24, 0, 0));
    EXPECT_FALSE(SZKDateTime::CheckTime(-1, 60, -1));
    EXPECT_FALSE(SZKDateTime::CheckTime(-1, -1, 60));
}

TEST(ZKDateTimeTest, DayOfYearRoundTripsForEveryDayOfLeapAndCommonYears)
{
    for (int year : {1900, 2000, 2023, 2024, 1, 9999})
    {
        const int days = SZKDateTime::IsLeapYear(year) ? 366 : 365;
        EXPECT_TRUE(SZKDateTime::CheckDOY(year, days));
        EXPECT_FALSE(SZKDateTime::CheckDOY(year, days + 1));
        for (int doy = 1; doy <= days; ++doy)
        {
            int month = 0, day = 0;
            ASSERT_TRUE(SZKDateTime::DOY_Date(year, doy, month, day)) << year << " " << doy;
            ASSERT_TRUE(SZKDateTime::CheckDate(year, month, day));
            ASSERT_EQ(doy, SZKDateTime::GetDayOfYear(year, month, day));
        }
    }
    int month = 0, day = 0;
    ASSERT_TRUE(SZKDateTime::DOY_Date(2024, 366, month, day));
    EXPECT_EQ(12, month);
    EXPECT_EQ(31, day);
    ASSERT_TRUE(SZKDateTime::DOY_Date(2023, 60, month, day));
    EXPECT_EQ(3, month);
    EXPECT_EQ(1, day);
    EXPECT_FALSE(SZKDateTime::DOY_Date(2024, 0, month, day));
    EXPECT_FALSE(SZKDateTime::DOY_Date(-1, 10, month, day));
    EXPECT_TRUE(SZKDateTime::CheckDOY(-1, 366));
    EXPECT_TRUE(SZKDateTime::CheckDOY(2023, -1));
}

TEST(ZKDateTimeTest, DayOfWeekOfKnownDates)
{
    EXPECT_EQ(4, SZKDateTime::GetDayOfWeek(1970, 1, 1)); // Thursday
    EXPECT_EQ(6, SZKDateTime::GetDayOfWeek(2000, 1, 1)); // Saturday
    EXPECT_EQ(0, SZKDateTime::GetDayOfWeek(2023, 1, 1)); // Sunday
    EXPECT_EQ(4, SZKDateTime::GetDayOfWeek(2024, 2, 29));
    EXPECT_EQ(1, SZKDateTime::GetDayOfWeek(1, 1, 1));
    EXPECT_EQ(-1, SZKDateTime::GetDayOfWeek(2023, 2, 29));
}

TEST(ZKDateTimeTest, WeekOneHoldsFirstJanuaryAndWeeksStartOnSunday)
{
    int week = 0;
    // 2000 starts on a Saturday: 1 January is week 1, Sunday 2 January week 2.
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2000, 1, 1, week));
    EXPECT_EQ(1, week);
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2000, 1, 2, week));
    EXPECT_EQ(2, week);
    // A leap year starting on Saturday ends in week 54.
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2000, 12, 31, week));
    EXPECT_EQ(54, week);
    // 2023 starts on a Sunday: the first seven days are week 1.
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2023, 1, 7, week));
    EXPECT_EQ(1, week);
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2023, 1, 8, week));
    EXPECT_EQ(2, week);
    ASSERT_TRUE(SZKDateTime::GetWeekOfYear(2023, 12, 31, week));
    EXPECT_EQ(53, week);
    week = 99;
    EXPECT_FALSE(SZKDateTime::GetWeekOfYear(2023, 2, 30, week));
    EXPECT_FALSE(SZKDateTime::GetWeekOfYear(-1, 2, 3, week));
    EXPECT_EQ(99, week);
}

TEST(ZKDateTimeTest, ShortHourConversionAroundNoonAndMidnight)
{
    int hour = -5;
    ASSERT_TRUE(SZKDateTime::ShortHour_Hour(12, FALSE, hour));
    EXPECT_EQ(0, hour);
    ASSERT_TRUE(SZKDateTime::ShortHour_Hour(12, TRUE, hour));
    EXPECT_EQ(12, hour);
    ASSERT_TRUE(SZKDateTime::ShortHour_Hour(1, TRUE, hour));
    EXPECT_EQ(13, hour);
    ASSERT_TRUE(SZKDateTime::ShortHour_Hour(11, FALSE, hour));
    EXPECT_EQ(11, hour);
    hour = -5;
    EXPECT_FALSE(SZKDateTime::ShortHour_Hour(0, FALSE, hour));
    EXPECT_FALSE(SZKDateTime::ShortHour_Hour(13, TRUE, hour));
    EXPECT_EQ(-5, hour);
}
