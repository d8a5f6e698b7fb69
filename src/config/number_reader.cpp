#include "config/number_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The conversions stop at a zero byte; a value may hold one, and what
// follows it is ignored all the same.
bool hasTail(const std::string& text, const char* end)
{
    return static_cast<std::size_t>(end - text.c_str()) < text.size();
}

} // namespace

NumberReading<float> readGlyphMeasure(const std::string& text, float fallback)
{
    errno = 0;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    const bool rangeError = errno == ERANGE;

    NumberProblem problem = NumberProblem::None;
    if (end == text.c_str())
        problem = NumberProblem::NoNumber;
    // Whatever the runtime says of them: they make no geometry.
    else if (value != 0.0f && std::fabs(value) < std::numeric_limits<float>::min())
        problem = NumberProblem::Subnormal;
    else if (rangeError)
        problem = NumberProblem::OutOfRange;
    else if (!std::isfinite(value))
        problem = NumberProblem::NotFinite;
    else if (std::fabs(value) > kGlyphMeasureLimit)
        problem = NumberProblem::BeyondLimit;

    const bool tail = problem != NumberProblem::NoNumber && hasTail(text, end);
    return {problem == NumberProblem::None ? value : fallback, problem, tail};
}

NumberReading<int> readMargin(const std::string& text, int fallback)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    const bool rangeError = errno == ERANGE;

    NumberProblem problem = NumberProblem::None;
    if (end == text.c_str())
        problem = NumberProblem::NoNumber;
    else if (rangeError)
        problem = NumberProblem::OutOfRange;
    // Beyond this, adding the line pitch could overflow.
    else if (value > kMarginLimit || value < -kMarginLimit)
        problem = NumberProblem::BeyondLimit;

    const bool tail = problem != NumberProblem::NoNumber && hasTail(text, end);
    return {problem == NumberProblem::None ? static_cast<int>(value) : fallback, problem, tail};
}
