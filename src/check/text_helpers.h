#pragma once

#include "config/color.h"

#include <string>

// Text for people: printable characters and valid UTF-8 as they are,
// other bytes as \xNN (\r and \t by name); quoted() adds double quotes.
std::string printable(const std::string& bytes);
std::string quoted(const std::string& bytes);
// The same for a path, backslashes as they are: Windows paths hold no quote.
std::string quotedPath(const std::string& path);

// The shortest decimal text that reads back as the same float.
std::string numberText(float value);

// "#RRGGBB", each channel as the frame buffer holds it (clamped to 0..255).
std::string colourText(const Color& color);
