#pragma once

#include "render/text_format.h"

#include <windows.h>

// The power status as the system reports it now.
inline PowerReading currentPowerReading()
{
    SYSTEM_POWER_STATUS status;
    const bool valid = GetSystemPowerStatus(&status) != 0;
    return PowerReading{valid, valid ? status.ACLineStatus : BYTE(0), valid ? status.BatteryLifePercent : BYTE(0)};
}
