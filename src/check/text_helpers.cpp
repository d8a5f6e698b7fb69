#include "check/text_helpers.h"

#include "check/utf8.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string quoted(const std::string& bytes)
{
    return "\"" + printable(bytes) + "\"";
}

namespace {

std::string printableKeeping(const std::string& bytes, bool keepBackslash)
{
    return escapedText(bytes, [keepBackslash](unsigned char byte) -> std::string {
        if (byte == '\r')
            return "\\r";
        if (byte == '\t')
            return "\\t";
        if (byte == '\\' && keepBackslash)
            return "\\";
        if (byte == '"' || byte == '\\')
            return std::string(1, '\\') + static_cast<char>(byte);
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        return hex;
    });
}

} // namespace

std::string printable(const std::string& bytes)
{
    return printableKeeping(bytes, false);
}

std::string quotedPath(const std::string& path)
{
    return "\"" + printableKeeping(path, true) + "\"";
}

std::string numberText(float value)
{
    char text[32];
    // Whole numbers in full: "%.1g" would make 40 into "4e+01".
    if (std::fabs(value) < 1e9f && value == std::trunc(value)) {
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
        return text;
    }
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

std::string colourText(const Color& color)
{
    const ColorBytes bytes = colorBytes(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", bytes.red, bytes.green, bytes.blue);
    return text;
}
