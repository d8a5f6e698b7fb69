#pragma once

#include <ctime>
#include <string>

// The line texts, from a broken-down local time or a power-status reading.
// Each writes into `text`, reusing its storage.

void formatDateText(const std::tm& local, std::string& text);
void formatTimeText(const std::tm& local, std::string& text);

// What the system reported about its power supply.
struct PowerReading {
    bool valid;                 // the query succeeded
    unsigned char acLineStatus; // 0 battery, 1 mains, anything else unknown
    unsigned char lifePercent;  // 0 to 100; 255 when the system cannot tell
};

void formatBatteryText(const PowerReading& power, std::string& text);
