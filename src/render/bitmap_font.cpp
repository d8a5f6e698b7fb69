#include "render/bitmap_font.h"

#include "render/opengl.h"

#include "stb/png_files.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

int nextPowerOfTwo(int value)
{
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

// The image in the top-left corner of a larger, transparent one.
std::vector<unsigned char> padImage(const unsigned char* pixels, int width, int height, int paddedWidth,
                                    int paddedHeight)
{
    std::vector<unsigned char> padded(static_cast<std::size_t>(paddedWidth) * static_cast<std::size_t>(paddedHeight)
                                      * 4);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(&padded[static_cast<std::size_t>(y) * static_cast<std::size_t>(paddedWidth) * 4],
                    pixels + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    return padded;
}

} // namespace

bool uploadAtlasLevel(int width, int height, const unsigned char* rgba)
{
    // An error left over from earlier calls must not be taken for a refusal.
    // Bounded: without a context some drivers report an error forever.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return glGetError() == GL_NO_ERROR;
}

int BitmapFont::load(const char* imagePath, int cellWidthPixels, int cellHeightPixels, int cellsPerRow)
{
    path = imagePath;
    padded = false;
    cellWidth = cellWidthPixels;
    cellHeight = cellHeightPixels;
    columns = cellsPerRow;

    int width = 0;
    int height = 0;
    unsigned char* pixels = loadPngRgba(imagePath, width, height);
    if (!pixels)
        return kUndecodable;
    // An image the GL cannot hold would leave an incomplete texture, which
    // draws every glyph as a solid block.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > maxSize || height > maxSize) {
        freePngPixels(pixels);
        return kRefused;
    }
    textureWidth = width;
    textureHeight = height;

    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    bool uploaded = upload(width, height, pixels);
    const int paddedWidth = nextPowerOfTwo(width);
    const int paddedHeight = nextPowerOfTwo(height);
    if (!uploaded && (paddedWidth != width || paddedHeight != height)) {
        // OpenGL 1.1 renderers (Windows' own, in virtual machines and remote
        // sessions) take only power-of-two sizes. Coordinates computed against
        // the padded size pick exactly the same texels.
        try {
            const std::vector<unsigned char> padded = padImage(pixels, width, height, paddedWidth, paddedHeight);
            uploaded = upload(paddedWidth, paddedHeight, padded.data());
        } catch (const std::bad_alloc&) {
            uploaded = false;
        }
        if (uploaded) {
            padded = true;
            textureWidth = paddedWidth;
            textureHeight = paddedHeight;
        }
    }
    freePngPixels(pixels);
    if (!uploaded) {
        // An incomplete texture would draw every glyph as a solid block.
        release();
        textureWidth = 0;
        textureHeight = 0;
        return kRefused;
    }
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
    forEachGlyphQuad(atlas, text, x, y, size, advance, [](const GlyphQuad& quad) {
        glTexCoord2f(quad.uLeft, quad.vTop);
        glVertex2f(quad.left, quad.top);
        glTexCoord2f(quad.uRight, quad.vTop);
        glVertex2f(quad.right, quad.top);
        glTexCoord2f(quad.uRight, quad.vBottom);
        glVertex2f(quad.right, quad.bottom);
        glTexCoord2f(quad.uLeft, quad.vBottom);
        glVertex2f(quad.left, quad.bottom);
    });
    glEnd();
}
