#pragma once

#include "render/glyph_geometry.h"

#include <string>

// One glyph atlas held as an OpenGL texture.
class BitmapFont {
public:
    // Decodes the image as 8-bit RGBA and uploads it with nearest filtering.
    // 0 on success, -1 when the image cannot be decoded (no texture then).
    int load(const char* imagePath, int cellWidthPixels, int cellHeightPixels, int cellsPerRow);
    void release();

    AtlasLayout layout() const;

    const char* path = nullptr;  // the caller's string, not copied
    int textureWidth = 0;
    int textureHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int columns = 0;
    unsigned int texture = 0;
};

// One quad per byte of `text`, size x size pixels, the first with its
// top-left corner at (x, y), each `advance` pixels right of the last.
// Emits nothing while the font has no texture.
void drawText(const std::string& text, const BitmapFont& font, int x, int y, float size, float advance);
