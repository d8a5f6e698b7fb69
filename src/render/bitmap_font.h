#pragma once

#include "render/glyph_geometry.h"

#include <string>

// Uploads level 0 of the bound 2-D texture from 8-bit RGBA pixels; false
// when the GL refuses it.
bool uploadAtlasLevel(int width, int height, const unsigned char* rgba);

// One glyph atlas held as an OpenGL texture.
class BitmapFont {
public:
    static constexpr int kUndecodable = -1;
    static constexpr int kRefused = -2;

    // Decodes the image as 8-bit RGBA and uploads it with nearest filtering,
    // padded to power-of-two sizes when the GL refuses it as it is. 0 on
    // success; kUndecodable, or kRefused when the GL takes it in no form
    // (no texture then).
    int load(const char* imagePath, int cellWidthPixels, int cellHeightPixels, int cellsPerRow);
    void release();

    AtlasLayout layout() const;

    const char* path = nullptr; // the caller's string, not copied
    int textureWidth = 0;
    int textureHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int columns = 0;
    unsigned int texture = 0;
    bool padded = false; // taken only at power-of-two sizes
    // How load hands the pixels to the GL; a test can stand in a renderer
    // that refuses some sizes.
    bool (*upload)(int width, int height, const unsigned char* rgba) = uploadAtlasLevel;
};

// One quad per byte of `text`, size x size pixels, the first with its
// top-left corner at (x, y), each `advance` pixels right of the last.
// Emits nothing while the font has no texture.
void drawText(const std::string& text, const BitmapFont& font, int x, int y, float size, float advance);
