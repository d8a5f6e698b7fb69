// Any bytes as config.ini, through to the item layout: the settings must
// always make usable geometry, and numbers read as the C runtime reads them.
#include "config/settings.h"
#include "number_reference.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}


bool sameFloat(float a, float b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    IniData store;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    require(readIniStream(in, store));

    // Copies: interpretSettings inserts the keys it misses.
    const std::string fontSize = store["Style"]["font_size"];
    const std::string fontSpacing = store["Style"]["font_spacing"];
    const std::string marginX = store["Position"]["margin_x"];
    const std::string marginY = store["Position"]["margin_y"];

    const Settings settings = interpretSettings(store);
    require(std::isfinite(settings.fontSize) && std::fabs(settings.fontSize) <= 10000.0f);
    require(std::isfinite(settings.fontSpacing) && std::fabs(settings.fontSpacing) <= 10000.0f);
    require(settings.marginX >= -1000000 && settings.marginX <= 1000000);
    require(settings.marginY >= -1000000 && settings.marginY <= 1000000);
    require(sameFloat(settings.fontSize, strtofReference(fontSize, 24.0f)));
    require(sameFloat(settings.fontSpacing, strtofReference(fontSpacing, 12.0f)));
    require(settings.marginX == strtolReference(marginX, 0));
    require(settings.marginY == strtolReference(marginY, 0));
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
