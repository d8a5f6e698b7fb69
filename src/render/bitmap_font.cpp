#include "render/bitmap_font.h"

#include "render/gl_context.h"

#include <GL/gl.h>
#include <stb_image.h>

int BitmapFont::load(const char* imagePath, int cellWidthPixels, int cellHeightPixels, int cellsPerRow)
{
    path = imagePath;
    cellWidth = cellWidthPixels;
    cellHeight = cellHeightPixels;
    columns = cellsPerRow;

    int width = 0;
    int height = 0;
    int channelsInFile = 0;
    unsigned char* pixels = stbi_load(imagePath, &width, &height, &channelsInFile, 4);
    if (!pixels)
        return -1;
    // An image the GL cannot hold would leave an incomplete texture, which
    // draws every glyph as a solid block.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > maxSize || height > maxSize) {
        stbi_image_free(pixels);
        return -1;
    }
    textureWidth = width;
    textureHeight = height;

    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);

    stbi_image_free(pixels);
    return 0;
}

void BitmapFont::release()
{
    glDeleteTextures(1, &texture);
    texture = 0;
}

AtlasLayout BitmapFont::layout() const
{
    return AtlasLayout{textureWidth, textureHeight, cellWidth, cellHeight, columns};
}

void drawText(const std::string& text, const BitmapFont& font, int x, int y, float size, float advance)
{
    const AtlasLayout atlas = font.layout();
    // Without an atlas, texture name 0 would draw every glyph as a solid block.
    if (font.texture == 0 || !canPlaceGlyphs(atlas))
        return;

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, font.texture);
    glBegin(GL_QUADS);
    float penX = static_cast<float>(x);
    const float top = static_cast<float>(y);
    for (const char byte : text) {
        const GlyphQuad quad = glyphQuad(atlas, byte, penX, top, size);
        glTexCoord2f(quad.uLeft, quad.vTop);
        glVertex2f(quad.left, quad.top);
        glTexCoord2f(quad.uRight, quad.vTop);
        glVertex2f(quad.right, quad.top);
        glTexCoord2f(quad.uRight, quad.vBottom);
        glVertex2f(quad.right, quad.bottom);
        glTexCoord2f(quad.uLeft, quad.vBottom);
        glVertex2f(quad.left, quad.bottom);
        penX += advance;
    }
    glEnd();
}
