// parseHexColor reads pairs through one buffer without the stream library;
// this holds it to what one hexadecimal std::stringstream does with the same
// pairs, over every 7-character value built from the characters that matter.
#include "config/settings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

Color streamReference(const std::string& text)
{
    std::stringstream stream;
    stream >> std::hex;
    float out[3];
    for (int i = 0; i < 3; ++i) {
        stream << text.substr(1 + 2 * i, 2);
        int value = 0;
        stream >> value;
        out[i] = static_cast<float>(value);
        stream.clear();
    }
    return Color{out[0], out[1], out[2]};
}

void expectSameAsStream(const std::string& text)
{
    Color color{};
    parseHexColor(text, color);
    const Color expected = streamReference(text);
    EXPECT_EQ(color.red, expected.red) << '"' << text << '"';
    EXPECT_EQ(color.green, expected.green) << '"' << text << '"';
    EXPECT_EQ(color.blue, expected.blue) << '"' << text << '"';
}

} // namespace

TEST(HexColorAgainstStream, EveryMixOfSignsPrefixesBlanksAndDigits)
{
    const std::string alphabet = "0x-+ F9g\tX";
    std::string text = "#000000";
    // 10^6 values: every position tries every character.
    int counters[6] = {};
    for (;;) {
        for (int i = 0; i < 6; ++i)
            text[1 + i] = alphabet[counters[i]];
        Color color{};
        parseHexColor(text, color);
        const Color expected = streamReference(text);
        if (color.red != expected.red || color.green != expected.green || color.blue != expected.blue) {
            expectSameAsStream(text);
            return;
        }
        int i = 0;
        while (i < 6 && ++counters[i] == static_cast<int>(alphabet.size()))
            counters[i++] = 0;
        if (i == 6)
            break;
    }
}

TEST(HexColorAgainstStream, LeftoversCarryIntoLaterPairs)
{
    for (const char* text : {"#1-2345", "#0x0x05", "#  FF00", "#00x123", "#-0x1F-", "#+-1234", "#0X0XFF"})
        expectSameAsStream(text);
}
