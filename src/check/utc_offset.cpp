#include "check/utc_offset.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long long daysFromCivil(long long year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long long minutesOf(const std::tm& moment)
{
    const long long days = daysFromCivil(moment.tm_year + 1900LL, moment.tm_mon + 1, moment.tm_mday);
    return days * 1440 + moment.tm_hour * 60 + moment.tm_min;
}

} // namespace

int utcOffsetMinutes(const std::tm& local, const std::tm& utc)
{
    return static_cast<int>(minutesOf(local) - minutesOf(utc));
}

std::string offsetText(int minutes)
{
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                  std::abs(minutes) % 60);
    return text;
}
