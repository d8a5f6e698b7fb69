#include "render/text_format.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

std::tm localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return local;
}

std::string batteryText(bool valid, int acLineStatus, int lifePercent)
{
    PowerReading power{valid, static_cast<unsigned char>(acLineStatus), static_cast<unsigned char>(lifePercent)};
    std::string text = "left over from the previous frame";
    formatBatteryText(power, text);
    return text;
}

} // namespace

TEST(ClockText, FieldsAreZeroPadded)
{
    std::string text;
    formatTimeText(localTime(2025, 5, 19, 9, 5, 3), text);
    EXPECT_EQ(text, "Time 09:05:03");
    formatDateText(localTime(2025, 5, 9, 9, 5, 3), text);
    EXPECT_EQ(text, "Date 2025-05-09");
}

TEST(ClockText, TwentyFourHourClockAndDayBoundaries)
{
    std::string text;
    formatTimeText(localTime(2025, 12, 31, 23, 59, 59), text);
    EXPECT_EQ(text, "Time 23:59:59");
    formatTimeText(localTime(2026, 1, 1, 0, 0, 0), text);
    EXPECT_EQ(text, "Time 00:00:00");
    formatDateText(localTime(2025, 5, 19, 17, 45, 16), text);
    EXPECT_EQ(text, "Date 2025-05-19");
    formatDateText(localTime(2025, 12, 31, 0, 0, 0), text);
    EXPECT_EQ(text, "Date 2025-12-31");
}

TEST(ClockText, ReplacesEarlierTextCompletely)
{
    std::string text = "Date 2025-05-19 and much more than any clock line holds";
    formatTimeText(localTime(2025, 5, 19, 17, 45, 16), text);
    EXPECT_EQ(text, "Time 17:45:16");
    formatDateText(localTime(2025, 5, 19, 17, 45, 16), text);
    EXPECT_EQ(text, "Date 2025-05-19");
}

TEST(ClockText, FieldsTooWideForTheLineStayInsideIt)
{
    // A broken-down time from a broken clock must not write past the line.
    std::string text;
    formatTimeText(localTime(2025, 5, 19, 100, 100, 100), text);
    EXPECT_LE(text.size(), 13u);
}

TEST(BatteryText, MainsWordFollowsTheLineStatus)
{
    EXPECT_EQ(batteryText(true, 0, 87), "Battery 87% (On Battery)");
    EXPECT_EQ(batteryText(true, 1, 87), "Battery 87% (Plugged In)");
    EXPECT_EQ(batteryText(true, 255, 40), "Battery 40% (Unknown)");
    EXPECT_EQ(batteryText(true, 2, 40), "Battery 40% (Unknown)");
    EXPECT_EQ(batteryText(true, 128, 40), "Battery 40% (Unknown)");
}

TEST(BatteryText, ChargeAtTheEndsOfItsRange)
{
    EXPECT_EQ(batteryText(true, 0, 0), "Battery 0% (On Battery)");
    EXPECT_EQ(batteryText(true, 1, 100), "Battery 100% (Plugged In)");
}

TEST(BatteryText, ChargeOverOneHundredIsUnknown)
{
    EXPECT_EQ(batteryText(true, 1, 101), "Battery N/A (Plugged In)");
    EXPECT_EQ(batteryText(true, 1, 255), "Battery N/A (Plugged In)");
    EXPECT_EQ(batteryText(true, 0, 255), "Battery N/A (On Battery)");
    EXPECT_EQ(batteryText(true, 255, 255), "Battery N/A (Unknown)");
}

TEST(BatteryText, FailedQueryShowsNotAvailableAndRecovers)
{
    EXPECT_EQ(batteryText(false, 1, 87), "Battery N/A");
    EXPECT_EQ(batteryText(false, 0, 0), "Battery N/A");

    std::string text;
    formatBatteryText(PowerReading{false, 1, 87}, text);
    EXPECT_EQ(text, "Battery N/A");
    formatBatteryText(PowerReading{true, 1, 87}, text);
    EXPECT_EQ(text, "Battery 87% (Plugged In)");
}
