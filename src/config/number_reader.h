#pragma once

#include <string>

// Why a written number is not what the strip uses.
enum class NumberProblem {
    None,        // used as written
    NoNumber,    // nothing at the start reads as a number
    OutOfRange,  // the conversion reports it out of range
    NotFinite,   // infinity or not-a-number
    BeyondLimit, // outside the setting's limits
    Subnormal,   // nearer to zero than a float holds exactly
};

template <typename Number>
struct NumberReading {
    Number value;          // the written number, or the fallback
    NumberProblem problem; // None when the written number is used
    bool ignoredTail;      // text after the number is ignored, as in "24px"
};

constexpr float kGlyphMeasureLimit = 10000.0f;
constexpr int kMarginLimit = 1000000;

// Glyph size and advance: the longest prefix strtof reads, leading white
// space skipped, within +-kGlyphMeasureLimit.
NumberReading<float> readGlyphMeasure(const std::string& text, float fallback);

// Margins: the longest base-10 prefix strtol reads, within +-kMarginLimit.
NumberReading<int> readMargin(const std::string& text, int fallback);
