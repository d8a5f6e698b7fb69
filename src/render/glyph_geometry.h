#pragma once

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
