#pragma once

#include "config/color.h"
#include "config/ini_reader.h"

#include <string>

// Defaults for numeric settings that are missing, unparsable or would make
// no sensible geometry.
constexpr float kDefaultFontSize = 24.0f;
constexpr float kDefaultFontSpacing = 12.0f;
constexpr int kDefaultMargin = 0;
constexpr int kLinePitch = 22;

// "#RRGGBB" read pair by pair through one hexadecimal integer stream; any
// other shape gives (0, 255, 255).
void parseHexColor(const std::string& text, Color& color);

// Longest valid numeric prefix after leading white space, as the standard
// conversions read it; `fallback` when there is none, it is out of range,
// not finite, or its magnitude exceeds 10000.
float parseGlyphMeasure(const std::string& text, float fallback);

// Base-10 32-bit integer prefix; `fallback` when there is none or it lies
// outside +-1000000.
int parseMargin(const std::string& text, int fallback);

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

enum class ItemKind { Date, Time, Battery };

struct ItemPlacement {
    ItemKind kind;
    int x;
    int y;
};

// Enabled lines in the order date, time, battery, stacked downwards from
// marginY on a fixed pitch with no gap for a line that is off. Returns how
// many of the three slots of `placements` were filled.
int layoutItems(const Settings& settings, ItemPlacement (&placements)[3]);
