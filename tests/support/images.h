#pragma once

// The pixels the win and e2e tiers compare, and the PNG files they read
// and write.
#include "stb/png_files.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// One pixel's colour, 0 to 255 a channel.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline bool operator==(const Rgb& a, const Rgb& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

inline bool operator!=(const Rgb& a, const Rgb& b)
{
    return !(a == b);
}

inline std::ostream& operator<<(std::ostream& out, const Rgb& pixel)
{
    return out << "(" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ")";
}

// Four bytes a pixel, red, green, blue and alpha, top row first; all
// transparent black at first.
struct RgbaImage {
    RgbaImage() = default;
    RgbaImage(int imageWidth, int imageHeight)
        : width(imageWidth), height(imageHeight),
          rgba(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight) * 4, 0)
    {
    }

    const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    void set(int x, int y, Rgb colour, int alpha)
    {
        std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        p[0] = static_cast<std::uint8_t>(colour.red);
        p[1] = static_cast<std::uint8_t>(colour.green);
        p[2] = static_cast<std::uint8_t>(colour.blue);
        p[3] = static_cast<std::uint8_t>(alpha);
    }

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Empty when the file cannot be read or decoded.
inline RgbaImage loadRgba(const std::string& path)
{
    RgbaImage image;
    image.rgba = readPngRgba(path, image.width, image.height);
    return image.rgba.empty() ? RgbaImage() : image;
}

inline bool writePng(const std::string& path, const RgbaImage& image)
{
    return writePng(path.c_str(), image.width, image.height, 4, image.rgba.data());
}
