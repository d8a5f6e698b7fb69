#pragma once

#include "images.h"

#include <string>
#include <vector>

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
