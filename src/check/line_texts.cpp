#include "check/line_texts.h"

#include <cstdlib>

namespace {

bool readField(const std::string& text, std::size_t at, std::size_t digits, int low, int high, int& field)
{
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    field = value;
    return value >= low && value <= high;
}

void keepLonger(std::string& longest, const std::string& candidate)
{
    if (candidate.size() > longest.size())
        longest = candidate;
}

LineTexts findLongest()
{
    LineTexts longest;
    // A valid date: some runtimes' strftime refuses day 0.
    std::tm local = {};
    local.tm_year = 2000 - 1900;
    local.tm_mday = 1;
    formatDateText(local, longest.date);
    formatTimeText(local, longest.time);

    std::string text;
    formatBatteryText(PowerReading{false, 0, 0}, text);
    keepLonger(longest.battery, text);
    for (int ac = 0; ac <= 255; ++ac)
        for (int percent = 0; percent <= 255; ++percent) {
            formatBatteryText(PowerReading{true, static_cast<unsigned char>(ac), static_cast<unsigned char>(percent)},
                              text);
            keepLonger(longest.battery, text);
        }
    return longest;
}

} // namespace

const std::string& lineText(const LineTexts& texts, ItemKind kind)
{
    switch (kind) {
    case ItemKind::Date:
        return texts.date;
    case ItemKind::Time:
        return texts.time;
    case ItemKind::Battery:
        break;
    }
    return texts.battery;
}

LineTexts lineTextsAt(const std::tm& local, const PowerReading& power)
{
    LineTexts texts;
    formatDateText(local, texts.date);
    formatTimeText(local, texts.time);
    formatBatteryText(power, texts.battery);
    return texts;
}

const LineTexts& longestLineTexts()
{
    static const LineTexts longest = findLongest();
    return longest;
}

bool parseMoment(const std::string& text, std::tm& local)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return false;
    std::tm parsed = {};
    int year = 0;
    int month = 0;
    // Second 60 is a leap second, which strftime prints as it is.
    if (!readField(text, 0, 4, 1900, 9999, year) || !readField(text, 5, 2, 1, 12, month)
        || !readField(text, 8, 2, 1, 31, parsed.tm_mday) || !readField(text, 11, 2, 0, 23, parsed.tm_hour)
        || !readField(text, 14, 2, 0, 59, parsed.tm_min) || !readField(text, 17, 2, 0, 60, parsed.tm_sec))
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int monthDays[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (parsed.tm_mday > monthDays[month - 1])
        return false;
    parsed.tm_year = year - 1900;
    parsed.tm_mon = month - 1;
    local = parsed;
    return true;
}

bool parsePower(const std::string& text, PowerReading& power)
{
    if (text == "none") {
        power = PowerReading{false, 0, 0};
        return true;
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || comma == 0 || comma > 3 || text.size() - comma - 1 < 1
        || text.size() - comma - 1 > 3)
        return false;
    int ac = 0;
    int percent = 0;
    if (!readField(text, 0, comma, 0, 255, ac) || !readField(text, comma + 1, text.size() - comma - 1, 0, 255, percent))
        return false;
    power = PowerReading{true, static_cast<unsigned char>(ac), static_cast<unsigned char>(percent)};
    return true;
}
