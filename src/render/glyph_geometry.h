#pragma once

#include <string>

// How glyph cells sit in the atlas: code 32 in the top-left cell, codes
// ascending along rows of `columns` cells.
struct AtlasLayout {
    int textureWidth;
    int textureHeight;
    int cellWidth;
    int cellHeight;
    int columns;
};

// One glyph: a size x size square in pixel space and its texture window.
struct GlyphQuad {
    float left, top, right, bottom;
    float uLeft, vTop, uRight, vBottom;
};

// False when the layout cannot place any glyph (no texture, no columns).
bool canPlaceGlyphs(const AtlasLayout& atlas);

// The byte is taken as a signed 8-bit value, so bytes outside 32..126 land
// in cells outside the grid; their coordinates fall outside 0..1 and the
// texture's wrap mode decides what they show.
GlyphQuad glyphQuad(const AtlasLayout& atlas, char byte, float penX, float top, float size);

// Each byte's quad, in order, exactly as drawText places them: the first
// with its top-left corner at (x, y), each next one `advance` further right.
template <typename Emit>
void forEachGlyphQuad(const AtlasLayout& atlas, const std::string& text, int x, int y, float size, float advance,
                      Emit emit)
{
    float penX = static_cast<float>(x);
    const float top = static_cast<float>(y);
    for (const char byte : text) {
        emit(glyphQuad(atlas, byte, penX, top, size));
        penX += advance;
    }
}
