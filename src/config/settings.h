#pragma once

#include "config/color.h"
#include "config/ini_reader.h"

#include <string>

// Defaults for numeric settings that are missing, unparsable or would make
// no sensible geometry.
constexpr float kDefaultFontSize = 24.0f;
constexpr float kDefaultFontSpacing = 12.0f;
constexpr int kDefaultMargin = 0;

// "#RRGGBB" read pair by pair through one hexadecimal integer stream; any
// other shape gives (0, 255, 255).
void parseHexColor(const std::string& text, Color& color);

struct Settings {
    float fontSize;
    float fontSpacing;
    int marginX;
    int marginY;
    Color color;
    bool showDate;
    bool showTime;
    bool showBattery;
};

// Interprets the eight known keys. Looks them up with operator[], so
// missing ones are added to `store` as empty strings.
Settings interpretSettings(IniData& store);
