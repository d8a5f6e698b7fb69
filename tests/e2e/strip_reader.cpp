#include "strip_reader.h"

#include <algorithm>
#include <cstdlib>

bool isDark(Rgb p)
{
    return std::max({p.red, p.green, p.blue}) <= 3;
}

namespace {

bool showsGlyph(const Screenshot& shot, const RgbaImage& atlas, const LinePlace& place, int cellX, int code)
{
    const int index = code - 32;
    const int atlasX = (index % kAtlasColumns) * kCell;
    const int atlasY = (index / kAtlasColumns) * kCell;
    for (int row = place.firstRow; row <= place.lastRow; ++row) {
        const int y = place.y + row;
        if (y < 0 || y >= kStripHeight)
            continue;
        for (int column = 0; column < kCell; ++column) {
            const uint8_t* texel = atlas.at(atlasX + column, atlasY + row);
            const Rgb seen = shot.at(cellX + column, y);
            if (texel[3] == 255) {
                const auto near = [](int got, int ink, int colour) {
                    return std::abs(got - (ink * colour + 127) / 255) <= 1;
                };
                if (!near(seen.red, texel[0], place.colour.red) || !near(seen.green, texel[1], place.colour.green)
                    || !near(seen.blue, texel[2], place.colour.blue))
                    return false;
            } else if (texel[3] == 0) {
                if (!isDark(seen))
                    return false;
            } else if (texel[3] >= 128 && isDark(seen)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::string readLine(const Screenshot& shot, const RgbaImage& atlas, const LinePlace& place)
{
    std::string text;
    if (shot.width < kStripWidth || atlas.width < kAtlasColumns * kCell)
        return text;
    for (int cellX = place.x; cellX >= 0 && cellX + kCell <= kStripWidth; cellX += kCell) {
        char read = '?';
        for (int code = 32; code <= 126; ++code)
            if (showsGlyph(shot, atlas, place, cellX, code)) {
                read = static_cast<char>(code);
                break;
            }
        text += read;
    }
    return text.erase(text.find_last_not_of(' ') + 1);
}

std::string checkEmptyStrip(const Screenshot& shot)
{
    if (shot.width < kStripWidth || shot.height < kStripHeight)
        return "no screenshot";
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            if (!(shot.at(x, y) == Rgb{0, 0, 0}))
                return "non-black pixel at " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

int litOutside(const Screenshot& shot, const std::vector<Box>& boxes)
{
    int lit = 0;
    for (int y = 0; y < std::min(kStripHeight, shot.height); ++y)
        for (int x = 0; x < std::min(kStripWidth, shot.width); ++x) {
            if (shot.at(x, y) == Rgb{0, 0, 0})
                continue;
            lit += std::none_of(boxes.begin(), boxes.end(), [&](const Box& b) {
                return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
            });
        }
    return lit;
}

std::vector<std::string> clockTexts(const char* format, std::time_t first, std::time_t last)
{
    std::vector<std::string> texts;
    for (std::time_t when = first; when <= last; ++when) {
        char buffer[64];
        texts.emplace_back(buffer, std::strftime(buffer, sizeof buffer, format, std::localtime(&when)));
    }
    return texts;
}
