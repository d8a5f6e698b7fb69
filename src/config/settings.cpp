#include "config/settings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

constexpr float kMaxGlyphMeasure = 10000.0f;
constexpr int kMaxMargin = 1000000;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Leading white space and one optional sign, as the C conversions take them.
const char* skipBlanksAndSign(const char* p, const char* end, bool& negative)
{
    while (p != end && isSpace(*p))
        ++p;
    negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    return p;
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
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


// One formatted extraction of a hexadecimal int from `buffer` at `pos`, as
// a string stream in the classic locale does it: white space skipped, an
// optional sign, "0x" prefixes, then hex digits. What it does not consume
// stays for the next extraction. 0 when no digit follows.
int extractHexInt(const std::string& buffer, std::size_t& pos)
{
    const std::size_t end = buffer.size();
    while (pos < end && isSpace(buffer[pos]))
        ++pos;
    if (pos == end)
        return 0;
    bool negative = false;
    if (buffer[pos] == '-' || buffer[pos] == '+') {
        negative = buffer[pos] == '-';
        ++pos;
    }
    bool foundZero = false;
    while (pos < end) {
        if (buffer[pos] == '0' && !foundZero)
            foundZero = true;
        else if (foundZero && (buffer[pos] == 'x' || buffer[pos] == 'X'))
            foundZero = false;
        else
            break;
        ++pos;
    }
    bool foundDigit = false;
    long long value = 0;
    while (pos < end && hexDigitValue(buffer[pos]) >= 0) {
        // At most six digits ever reach here, far from overflow.
        value = value * 16 + hexDigitValue(buffer[pos]);
        foundDigit = true;
        ++pos;
    }
    if (!foundDigit && !foundZero)
        return 0;
    return static_cast<int>(negative ? -value : value);
}

} // namespace

void parseHexColor(const std::string& text, Color& color)
{
    if (text.size() != 7 || text[0] != '#') {
        color = Color{0.0f, 255.0f, 255.0f};
        return;
    }
    // One buffer on purpose: what an extraction leaves unread stays in front
    // of the next pair, so "#1-2345" reads as 1, -0x23, 0x45.
    std::string buffer;
    std::size_t pos = 0;
    float* components[3] = {&color.red, &color.green, &color.blue};
    for (int i = 0; i < 3; ++i) {
        buffer.append(text, 1 + 2 * i, 2);
        *components[i] = static_cast<float>(extractHexInt(buffer, pos));
    }
}

float parseGlyphMeasure(const std::string& text, float fallback)
{
    const char* end = text.c_str() + text.size();
    bool negative = false;
    const char* p = skipBlanksAndSign(text.c_str(), end, negative);
    // Infinity and not-a-number parse, but make no geometry; a second sign
    // is no number at all.
    if (startsWithNoCase(p, end, "inf") || startsWithNoCase(p, end, "nan") || p == end || *p == '-' || *p == '+')
        return fallback;

    float value = 0.0f;
    std::from_chars_result result{};
    if (startsWithNoCase(p, end, "0x")) {
        const char* digits = p + 2;
        const bool hasHexDigit = digits != end
            && (hexDigitValue(*digits) >= 0 || (*digits == '.' && digits + 1 != end && hexDigitValue(digits[1]) >= 0));
        // Without a hex digit after it, "0x" is just the number 0.
        if (hasHexDigit)
            result = std::from_chars(digits, end, value, std::chars_format::hex);
        else
            result = std::from_chars(p, p + 1, value);
    } else {
        result = std::from_chars(p, end, value);
    }
    // Underflow to a subnormal is out of range, as the C conversion says.
    if (result.ec != std::errc() || !std::isfinite(value) || std::fabs(value) > kMaxGlyphMeasure
        || (value != 0.0f && std::fabs(value) < std::numeric_limits<float>::min()))
        return fallback;
    return negative ? -value : value;
}

int parseMargin(const std::string& text, int fallback)
{
    const char* end = text.c_str() + text.size();
    bool negative = false;
    const char* p = skipBlanksAndSign(text.c_str(), end, negative);
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
