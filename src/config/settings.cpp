#include "config/settings.h"

#include "config/number_reader.h"

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
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

ColorRule colorRuleFor(const std::string& text)
{
    if (text.size() != 7)
        return ColorRule::NotSevenCharacters;
    if (text[0] != '#')
        return ColorRule::NoLeadingHash;
    return ColorRule::HexStream;
}

void parseHexColor(const std::string& text, Color& color)
{
    if (colorRuleFor(text) != ColorRule::HexStream) {
        color = kDefaultTextColor;
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

Settings interpretSettings(IniData& store)
{
    const auto value = [&store](const SettingName& name) -> std::string& { return store[name.section][name.key]; };
    Settings settings;
    settings.fontSize = readGlyphMeasure(value(kFontSizeSetting), kDefaultFontSize).value;
    settings.fontSpacing = readGlyphMeasure(value(kFontSpacingSetting), kDefaultFontSpacing).value;
    settings.marginX = readMargin(value(kMarginXSetting), kDefaultMargin).value;
    settings.marginY = readMargin(value(kMarginYSetting), kDefaultMargin).value;
    parseHexColor(value(kTextColorSetting), settings.color);
    settings.showDate = value(kShowDateSetting) == kSwitchedOn;
    settings.showTime = value(kShowTimeSetting) == kSwitchedOn;
    settings.showBattery = value(kShowBatterySetting) == kSwitchedOn;
    return settings;
}
