#include "render/text_format.h"

#include <cstdio>

void formatDateText(const std::tm& local, std::string& text)
{
    char buffer[32];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "Date %Y-%m-%d", &local);
    text.assign(buffer, length);
}

void formatTimeText(const std::tm& local, std::string& text)
{
    char buffer[14];
    const std::size_t length = std::strftime(buffer, sizeof buffer, "Time %H:%M:%S", &local);
    text.assign(buffer, length);
}

void formatBatteryText(const PowerReading& power, std::string& text)
{
    if (!power.valid) {
        text.assign("Battery N/A");
        return;
    }
    const char* mains = power.acLineStatus == 0 ? "On Battery" : power.acLineStatus == 1 ? "Plugged In" : "Unknown";
    char buffer[48];
    int length;
    // Over 100 is never a real charge: the system reports 255 for unknown.
    if (power.lifePercent > 100)
        length = std::snprintf(buffer, sizeof buffer, "Battery N/A (%s)", mains);
    else
        length = std::snprintf(buffer, sizeof buffer, "Battery %d%% (%s)", power.lifePercent, mains);
    text.assign(buffer, static_cast<std::size_t>(length));
}
