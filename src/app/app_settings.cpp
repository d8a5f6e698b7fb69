#include "app/app.h"
#include "config/ini_reader.h"
#include "config/line_layout.h"
#include "config/settings.h"
#include "program_files.h"

namespace {

template <typename Item>
void placeItem(std::unique_ptr<Item>& slot, const App& app, const Settings& settings, int y)
{
    slot.reset(new Item());
    slot->setFont(&app.font);
    slot->setColor(settings.color);
    slot->setFontSize(settings.fontSize);
    slot->setSpacing(settings.fontSpacing);
    slot->setPosition(settings.marginX, y);
}

} // namespace

int App::loadSettings()
{
    IniReader reader;
    IniData store = reader.read(kSettingsFile);
    if (store["return"]["failed"] == "true")
        return -1;

    const Settings settings = interpretSettings(store);
    ItemPlacement placements[3];
    const int count = layoutItems(settings, placements);
    for (int i = 0; i < count; ++i) {
        switch (placements[i].kind) {
        case ItemKind::Date:
            placeItem(dateItem, *this, settings, placements[i].y);
            break;
        case ItemKind::Time:
            placeItem(timeItem, *this, settings, placements[i].y);
            break;
        case ItemKind::Battery:
            placeItem(batteryItem, *this, settings, placements[i].y);
            break;
        }
    }
    return 0;
}
