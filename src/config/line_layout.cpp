#include "config/line_layout.h"

int layoutItems(const Settings& settings, ItemPlacement (&placements)[3])
{
    const struct {
        bool enabled;
        ItemKind kind;
    } lines[3] = {
        {settings.showDate, ItemKind::Date},
        {settings.showTime, ItemKind::Time},
        {settings.showBattery, ItemKind::Battery},
    };
    int count = 0;
    int y = settings.marginY;
    for (const auto& line : lines) {
        if (!line.enabled)
            continue;
        placements[count++] = ItemPlacement{line.kind, settings.marginX, y};
        y += kLinePitch;
    }
    return count;
}
