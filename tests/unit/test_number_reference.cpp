// The numeric settings are read without the C runtime's locale-dependent
// conversions; this holds them to strtof and strtol on every mix of the
// characters that matter, apart from the documented fallbacks.
#include "config/settings.h"
#include "number_reference.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {


template <typename Visit>
void everyString(const std::string& alphabet, int length, Visit visit)
{
    std::string text(static_cast<std::size_t>(length), ' ');
    std::vector<int> counters(static_cast<std::size_t>(length), 0);
    for (;;) {
        for (int i = 0; i < length; ++i)
            text[static_cast<std::size_t>(i)] = alphabet[static_cast<std::size_t>(counters[static_cast<std::size_t>(i)])];
        visit(text);
        int i = 0;
        while (i < length && ++counters[static_cast<std::size_t>(i)] == static_cast<int>(alphabet.size()))
            counters[static_cast<std::size_t>(i++)] = 0;
        if (i == length)
            return;
    }
}

} // namespace

TEST(NumberAgainstRuntime, GlyphMeasuresMatchStrtof)
{
    int mismatches = 0;
    everyString(" -+0x1.9epPnif", 6, [&](const std::string& text) {
        const float expected = strtofReference(text, -7.0f);
        const float actual = parseGlyphMeasure(text, -7.0f);
        if (expected != actual && mismatches++ < 10)
            ADD_FAILURE() << '"' << text << "\" gives " << actual << ", strtof reads " << expected;
    });
}

TEST(NumberAgainstRuntime, MarginsMatchStrtol)
{
    int mismatches = 0;
    everyString(" -+01x9a\t", 7, [&](const std::string& text) {
        const int expected = strtolReference(text, -7);
        const int actual = parseMargin(text, -7);
        if (expected != actual && mismatches++ < 10)
            ADD_FAILURE() << '"' << text << "\" gives " << actual << ", strtol reads " << expected;
    });
}

TEST(NumberAgainstRuntime, LongAndExtremeValues)
{
    for (const char* text : {"1e309", "-1e309", "1e-50", "0x1p3", "0x1P-2", "10000", "10000.001", "-10000",
                             "infinity", "-nan(123)", "   +24.5px", "1e4", "0x2710", "0x2711",
                             "000000000000000000000000000000000012", "0.00000000000000000000000000000000000000000001"})
        EXPECT_EQ(parseGlyphMeasure(text, -7.0f), strtofReference(text, -7.0f)) << text;
    for (const char* text : {"2147483648", "-2147483649", "1000000", "-1000000", "1000001", "99999999999999999999",
                             "00000000000000000000000000000000000000005", "\n\v\f\r12"})
        EXPECT_EQ(parseMargin(text, -7), strtolReference(text, -7)) << text;
}
