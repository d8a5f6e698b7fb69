#pragma once

#include "config/line_layout.h"
#include "render/text_format.h"

#include <ctime>
#include <string>

// The three lines' texts, made by the program's own formatters.
struct LineTexts {
    std::string date;
    std::string time;
    std::string battery;
};

const std::string& lineText(const LineTexts& texts, ItemKind kind);

LineTexts lineTextsAt(const std::tm& local, const PowerReading& power);

// The longest text each line can show, whatever the clock and the power
// status say.
const LineTexts& longestLineTexts();

// "YYYY-MM-DD HH:MM:SS", fields in their calendar ranges. False otherwise.
bool parseMoment(const std::string& text, std::tm& local);

// "AC,PERCENT" with each a number from 0 to 255 (as the system reports
// them), or "none" for a failed query. False otherwise.
bool parsePower(const std::string& text, PowerReading& power);
