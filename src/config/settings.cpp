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

Settings interpretSettings(IniData& store)
{
    Settings settings;
    settings.fontSize = readGlyphMeasure(store["Style"]["font_size"], kDefaultFontSize).value;
    settings.fontSpacing = readGlyphMeasure(store["Style"]["font_spacing"], kDefaultFontSpacing).value;
    settings.marginX = readMargin(store["Position"]["margin_x"], kDefaultMargin).value;
    settings.marginY = readMargin(store["Position"]["margin_y"], kDefaultMargin).value;
    parseHexColor(store["Style"]["text_color"], settings.color);
    settings.showDate = store["Display"]["show_date"] == "true";
    settings.showTime = store["Display"]["show_time"] == "true";
    settings.showBattery = store["Display"]["show_battery"] == "true";
    return settings;
}
