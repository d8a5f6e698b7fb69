#pragma once

#include <ctime>
#include <string>

// How far the local time is ahead of UTC, in minutes, from the same moment
// broken down both ways (as localtime and gmtime give it).
int utcOffsetMinutes(const std::tm& local, const std::tm& utc);

// "+09:30", "-03:00", "+00:00".
std::string offsetText(int minutes);
