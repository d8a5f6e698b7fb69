#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

// An RGB image of the whole virtual screen, top row first.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Captures the root window of $DISPLAY with xwd; empty on failure.
Screenshot captureScreen();
void savePng(const Screenshot& shot, const std::string& path);

// An RGBA image decoded from a file (the font atlas); empty on failure.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};
RgbaImage loadRgba(const std::string& path);
