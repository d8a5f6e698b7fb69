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
    // The screen's own bytes, kept to re-read a window drawn in another layout.
    std::vector<uint8_t> raw;
    int bytesPerLine = 0;
};

// Under Wine the strip's GL frame reaches the screen as rows of packed
// 3-byte BGR pixels inside the 4-byte screen layout, squeezing the text to
// three quarters of its width. Reads the WIDTHxHEIGHT area at the top-left
// as such packed rows.
Screenshot unpackTopLeft(const Screenshot& shot, int width, int height);

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
