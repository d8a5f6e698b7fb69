#include "render/text_item.h"

#include "render/bitmap_font.h"
#include "render/opengl.h"
#include "render/strip_geometry.h"
#include "render/system_power.h"
#include "render/text_format.h"

#include <ctime>
#include <time.h>

#if defined(_MSC_VER)
#pragma warning(disable : 4996) // localtime: one thread, nothing to race with
#endif

namespace {

// Null when the runtime cannot convert the clock; the caller then keeps
// the text it had.
const std::tm* localNow()
{
    const std::time_t now = std::time(nullptr);
    // The runtime reads the time zone once; re-reading it as each second
    // begins lets the lines follow a change of zone without a restart.
    static std::time_t zoneReadAt = -1;
    if (now != zoneReadAt) {
        _tzset();
        zoneReadAt = now;
    }
    return std::localtime(&now);
}

} // namespace

int TextItem::render() const
{
    if (!font)
        return 0;
    glColor3f(kShadowGrey, kShadowGrey, kShadowGrey);
    drawText(text, *font, x + kShadowOffset, y + kShadowOffset, fontSize, spacing);
    glColor3f(color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f);
    drawText(text, *font, x, y, fontSize, spacing);
    return 0;
}

int DateItem::update()
{
    if (const std::tm* local = localNow())
        formatDateText(*local, text);
    return 0;
}

int TimeItem::update()
{
    if (const std::tm* local = localNow())
        formatTimeText(*local, text);
    return 0;
}

int BatteryItem::update()
{
    const PowerReading power = currentPowerReading();
    formatBatteryText(power, text);
    return power.valid ? 0 : -1;
}
