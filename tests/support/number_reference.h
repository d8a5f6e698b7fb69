#pragma once

// What the C runtime reads from a numeric setting, with the settings'
// fallbacks applied: the reference the number parsers are held to.

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

inline float strtofReference(const std::string& text, float fallback)
{
    errno = 0;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE || !std::isfinite(value) || std::fabs(value) > 10000.0f
        || (value != 0.0f && std::fabs(value) < std::numeric_limits<float>::min()))
        return fallback;
    return value;
}

inline int strtolReference(const std::string& text, int fallback)
{
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value > 1000000 || value < -1000000)
        return fallback;
    return static_cast<int>(value);
}
