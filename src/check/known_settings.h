#pragma once

#include "config/line_layout.h"
#include "config/settings.h"

#include <optional>
#include <string>
#include <vector>

// How a setting's written value is read.
enum class ValueKind { Measure, Margin, Colour, Switch };

// One of the eight settings, with what checking it needs.
struct KnownSetting {
    SettingName name;
    ValueKind kind;
    // The value the strip uses, as people read it in the settings table.
    std::string (*effective)(const Settings& settings);
    std::optional<ItemKind> line; // the line a switch turns on
};

// The eight, in the order the settings table lists them.
const std::vector<KnownSetting>& knownSettings();

// Null when no setting has that section and key, or that key anywhere.
const KnownSetting* knownSetting(const std::string& section, const std::string& key);
const KnownSetting* knownKey(const std::string& key);

bool isKnownSection(const std::string& section);
std::vector<std::string> sectionNames();
std::vector<std::string> keyNames();

// "date", "time" or "battery".
const char* lineName(ItemKind kind);
