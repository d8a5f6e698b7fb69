#include "config/utf16_text.h"

Utf16Order utf16OrderOfMark(const char* bytes, std::size_t count)
{
    if (count < 2)
        return Utf16Order::None;
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    const unsigned char second = static_cast<unsigned char>(bytes[1]);
    if (first == 0xFF && second == 0xFE)
        return Utf16Order::LittleEndian;
    if (first == 0xFE && second == 0xFF)
        return Utf16Order::BigEndian;
    return Utf16Order::None;
}

namespace {

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string utf16ToUtf8(const char* bytes, std::size_t count, Utf16Order order)
{
    const std::size_t units = count / 2;
    const auto unitAt = [&](std::size_t index) -> char32_t {
        const unsigned char a = static_cast<unsigned char>(bytes[2 * index]);
        const unsigned char b = static_cast<unsigned char>(bytes[2 * index + 1]);
        return order == Utf16Order::BigEndian ? (char32_t(a) << 8 | b) : (char32_t(b) << 8 | a);
    };
    std::string out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit == '\r' && i + 1 < units && unitAt(i + 1) == '\n')
            continue;
        if (isHighSurrogate(unit) && i + 1 < units && isLowSurrogate(unitAt(i + 1))) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}
