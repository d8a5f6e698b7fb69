#include "render/glyph_geometry.h"

#include "render/atlas_geometry.h"

bool canPlaceGlyphs(const AtlasLayout& atlas)
{
    return atlas.textureWidth > 0 && atlas.textureHeight > 0 && atlas.columns > 0;
}

GlyphQuad glyphQuad(const AtlasLayout& atlas, char byte, float penX, float top, float size)
{
    const int index = static_cast<signed char>(byte) - kFirstGlyphCode;
    const int col = index % atlas.columns;
    const int row = index / atlas.columns;
    const float width = static_cast<float>(atlas.textureWidth);
    const float height = static_cast<float>(atlas.textureHeight);

    GlyphQuad quad;
    quad.left = penX;
    quad.top = top;
    quad.right = penX + size;
    quad.bottom = top + size;
    quad.uLeft = static_cast<float>(col * atlas.cellWidth) / width;
    quad.uRight = static_cast<float>((col + 1) * atlas.cellWidth) / width;
    quad.vTop = static_cast<float>(row * atlas.cellHeight) / height;
    quad.vBottom = static_cast<float>((row + 1) * atlas.cellHeight) / height;
    return quad;
}
