#pragma once

#include <vector>

// Top row first, four bytes a pixel: red, green, blue, alpha.
struct RgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};
