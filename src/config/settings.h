#pragma once

#include "config/color.h"
#include "config/ini_data.h"

#include <string>

// Defaults for numeric settings that are missing, unparsable or would make
// no sensible geometry.
constexpr float kDefaultFontSize = 24.0f;
constexpr float kDefaultFontSpacing = 12.0f;
constexpr int kDefaultMargin = 0;
// Cyan, for a text colour of any shape but '#' and six characters.
constexpr Color kDefaultTextColor{0.0f, 255.0f, 255.0f};

// Which of parseHexColor's rules a text falls under.
enum class ColorRule {
    HexStream,          // seven characters from '#': read pair by pair
    NotSevenCharacters, // gives kDefaultTextColor
    NoLeadingHash,      // gives kDefaultTextColor
};
ColorRule colorRuleFor(const std::string& text);

// "#RRGGBB" read pair by pair through one hexadecimal integer stream; any
// other shape gives kDefaultTextColor.
void parseHexColor(const std::string& text, Color& color);

// The eight settings the program reads, by section and key.
struct SettingName {
    const char* section;
    const char* key;
};
constexpr SettingName kFontSizeSetting{"Style", "font_size"};
constexpr SettingName kFontSpacingSetting{"Style", "font_spacing"};
constexpr SettingName kTextColorSetting{"Style", "text_color"};
constexpr SettingName kMarginXSetting{"Position", "margin_x"};
constexpr SettingName kMarginYSetting{"Position", "margin_y"};
constexpr SettingName kShowDateSetting{"Display", "show_date"};
constexpr SettingName kShowTimeSetting{"Display", "show_time"};
constexpr SettingName kShowBatterySetting{"Display", "show_battery"};

// Only this exact value switches a line on.
constexpr char kSwitchedOn[] = "true";

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
