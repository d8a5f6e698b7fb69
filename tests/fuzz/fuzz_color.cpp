// Any bytes as a colour value, checked against what one hexadecimal string
// stream makes of the same pairs.
#include "config/settings.h"
#include "fuzz_require.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

Color streamReference(const std::string& text)
{
    if (text.size() != 7 || text[0] != '#')
        return Color{0.0f, 255.0f, 255.0f};
    std::stringstream stream;
    stream >> std::hex;
    float out[3];
    for (int i = 0; i < 3; ++i) {
        stream << text.substr(1 + 2 * static_cast<std::size_t>(i), 2);
        int value = 0;
        stream >> value;
        out[i] = static_cast<float>(value);
        stream.clear();
    }
    return Color{out[0], out[1], out[2]};
}

bool sensible(float component)
{
    // At most six hex digits ever reach one extraction.
    return std::isfinite(component) && std::fabs(component) <= 16777215.0f && component == std::floor(component);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Color color{-1.5f, -1.5f, -1.5f};
    parseHexColor(text, color);
    require(sensible(color.red) && sensible(color.green) && sensible(color.blue));
    const Color expected = streamReference(text);
    require(color.red == expected.red && color.green == expected.green && color.blue == expected.blue);
    return 0;
}
