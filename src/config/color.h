#pragma once

// Red, green and blue on the 0 to 255 scale; divided by 255 only when
// handed to OpenGL.
struct Color {
    float red;
    float green;
    float blue;
};

// Whole channels clamped to 0..255, as an 8-bit frame buffer ends up
// holding them.
struct ColorBytes {
    int red;
    int green;
    int blue;

    bool operator==(const ColorBytes& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const ColorBytes& other) const { return !(*this == other); }
};

inline ColorBytes colorBytes(const Color& color)
{
    const auto channel = [](float value) {
        return static_cast<int>(value < 0.0f ? 0.0f : value > 255.0f ? 255.0f : value);
    };
    return ColorBytes{channel(color.red), channel(color.green), channel(color.blue)};
}
