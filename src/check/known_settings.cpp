#include "check/known_settings.h"

#include "check/text_helpers.h"

#include <algorithm>

namespace {

std::string onOff(bool on)
{
    return on ? "on" : "off";
}

} // namespace

const std::vector<KnownSetting>& knownSettings()
{
    static const std::vector<KnownSetting> known = {
        {kFontSizeSetting, ValueKind::Measure, [](const Settings& s) { return numberText(s.fontSize); }, {}},
        {kFontSpacingSetting, ValueKind::Measure, [](const Settings& s) { return numberText(s.fontSpacing); }, {}},
        {kTextColorSetting, ValueKind::Colour, [](const Settings& s) { return colourText(s.color); }, {}},
        {kMarginXSetting, ValueKind::Margin, [](const Settings& s) { return std::to_string(s.marginX); }, {}},
        {kMarginYSetting, ValueKind::Margin, [](const Settings& s) { return std::to_string(s.marginY); }, {}},
        {kShowDateSetting, ValueKind::Switch, [](const Settings& s) { return onOff(s.showDate); }, ItemKind::Date},
        {kShowTimeSetting, ValueKind::Switch, [](const Settings& s) { return onOff(s.showTime); }, ItemKind::Time},
        {kShowBatterySetting, ValueKind::Switch, [](const Settings& s) { return onOff(s.showBattery); },
         ItemKind::Battery},
    };
    return known;
}

const KnownSetting* knownSetting(const std::string& section, const std::string& key)
{
    for (const KnownSetting& known : knownSettings())
        if (section == known.name.section && key == known.name.key)
            return &known;
    return nullptr;
}

const KnownSetting* knownKey(const std::string& key)
{
    for (const KnownSetting& known : knownSettings())
        if (key == known.name.key)
            return &known;
    return nullptr;
}

bool isKnownSection(const std::string& section)
{
    const std::vector<KnownSetting>& known = knownSettings();
    return std::any_of(known.begin(), known.end(),
                       [&](const KnownSetting& setting) { return section == setting.name.section; });
}

std::vector<std::string> sectionNames()
{
    std::vector<std::string> names;
    for (const KnownSetting& known : knownSettings())
        if (std::find(names.begin(), names.end(), known.name.section) == names.end())
            names.push_back(known.name.section);
    return names;
}

std::vector<std::string> keyNames()
{
    std::vector<std::string> names;
    for (const KnownSetting& known : knownSettings())
        names.push_back(known.name.key);
    return names;
}

const char* lineName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Date:
        return "date";
    case ItemKind::Time:
        return "time";
    case ItemKind::Battery:
        break;
    }
    return "battery";
}
