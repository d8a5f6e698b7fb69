#include "config/settings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>
#include <system_error>

namespace {

constexpr float kMaxGlyphMeasure = 10000.0f;
constexpr int kMaxMargin = 1000000;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool startsWithNoCase(const char* text, const char* end, const char* word)
{
    const std::size_t length = std::strlen(word);
    if (static_cast<std::size_t>(end - text) < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

} // namespace

void parseHexColor(const std::string& text, Color& color)
{
    if (text.size() != 7 || text[0] != '#') {
        color = Color{0.0f, 255.0f, 255.0f};
        return;
    }
    // One stream on purpose: what an extraction leaves unread stays in front
    // of the next pair, so "#0x1234" reads as 0, 0x12, 0x34.
    std::stringstream stream;
    stream >> std::hex;
    float* components[3] = {&color.red, &color.green, &color.blue};
    for (int i = 0; i < 3; ++i) {
        stream << text.substr(1 + 2 * i, 2);
        int value = 0;
        stream >> value;
        if (stream.fail())
            value = 0;
        *components[i] = static_cast<float>(value);
        stream.clear();
    }
}

float parseGlyphMeasure(const std::string& text, float fallback)
{
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p != end && isSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Infinity and not-a-number parse, but make no geometry.
    if (startsWithNoCase(p, end, "inf") || startsWithNoCase(p, end, "nan"))
        return fallback;

    float value = 0.0f;
    std::from_chars_result result{};
    if (startsWithNoCase(p, end, "0x")) {
        result = std::from_chars(p + 2, end, value, std::chars_format::hex);
        if (result.ec == std::errc::invalid_argument) // "0x" alone reads as 0
            result = std::from_chars(p, p + 1, value);
    } else {
        result = std::from_chars(p, end, value);
    }
    if (result.ec != std::errc() || !std::isfinite(value) || std::fabs(value) > kMaxGlyphMeasure)
        return fallback;
    return negative ? -value : value;
}

int parseMargin(const std::string& text, int fallback)
{
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p != end && isSpace(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Digits only after the sign: a second sign is not a number.
    if (p == end || *p < '0' || *p > '9')
        return fallback;
    long long value = 0;
    const std::from_chars_result result = std::from_chars(p, end, value);
    if (result.ec != std::errc() || value > kMaxMargin)
        return fallback;
    return static_cast<int>(negative ? -value : value);
}

Settings interpretSettings(IniData& store)
{
    Settings settings;
    settings.fontSize = parseGlyphMeasure(store["Style"]["font_size"], kDefaultFontSize);
    settings.fontSpacing = parseGlyphMeasure(store["Style"]["font_spacing"], kDefaultFontSpacing);
    settings.marginX = parseMargin(store["Position"]["margin_x"], kDefaultMargin);
    settings.marginY = parseMargin(store["Position"]["margin_y"], kDefaultMargin);
    parseHexColor(store["Style"]["text_color"], settings.color);
    settings.showDate = store["Display"]["show_date"] == "true";
    settings.showTime = store["Display"]["show_time"] == "true";
    settings.showBattery = store["Display"]["show_battery"] == "true";
    return settings;
}

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
