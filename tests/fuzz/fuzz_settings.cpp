// Any bytes as config.ini, through to the item layout: the settings must
// always make usable geometry.
#include "config/line_layout.h"
#include "config/settings.h"
#include "fuzz_require.h"
#include "ini_text.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IniData store = parseIniText(std::string(reinterpret_cast<const char*>(data), size));

    const Settings settings = interpretSettings(store);
    require(std::isfinite(settings.fontSize) && std::fabs(settings.fontSize) <= 10000.0f);
    require(std::isfinite(settings.fontSpacing) && std::fabs(settings.fontSpacing) <= 10000.0f);
    require(settings.marginX >= -1000000 && settings.marginX <= 1000000);
    require(settings.marginY >= -1000000 && settings.marginY <= 1000000);
    require(settings.showDate == (store["Display"]["show_date"] == "true"));
    require(settings.showTime == (store["Display"]["show_time"] == "true"));
    require(settings.showBattery == (store["Display"]["show_battery"] == "true"));

    ItemPlacement placements[3];
    const int count = layoutItems(settings, placements);
    require(count == int(settings.showDate) + int(settings.showTime) + int(settings.showBattery));
    require(count >= 0 && count <= 3);
    for (int i = 0; i < count; ++i) {
        require(placements[i].x == settings.marginX);
        require(placements[i].y == settings.marginY + 22 * i);
        if (i > 0)
            require(static_cast<int>(placements[i].kind) > static_cast<int>(placements[i - 1].kind));
    }
    return 0;
}
