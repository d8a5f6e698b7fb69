// Renders the glyph atlas the program draws its text from: codes 32 to 126
// in 24 x 24 cells, 19 to a row, white glyphs with their coverage in alpha
// on a transparent background, on one baseline and centred in their cells.
// Usage: make-atlas FONT.ttf OUT.png
#include <cmath>
#include <cstdio>
#include <vector>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr int kCell = 24;
constexpr int kColumns = 19;
constexpr int kFirst = 32;
constexpr int kLast = 126;
constexpr int kRows = (kLast - kFirst + kColumns) / kColumns;
constexpr int kWidth = kCell * kColumns;
constexpr int kHeight = kCell * kRows;

std::vector<unsigned char> readFile(const char* path)
{
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return bytes;
    unsigned char block[65536];
    std::size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + count);
    std::fclose(file);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-atlas FONT.ttf OUT.png\n");
        return 2;
    }
    const std::vector<unsigned char> fontData = readFile(argv[1]);
    stbtt_fontinfo font;
    if (fontData.empty() || !stbtt_InitFont(&font, fontData.data(), stbtt_GetFontOffsetForIndex(fontData.data(), 0))) {
        std::fprintf(stderr, "make-atlas: cannot read font %s\n", argv[1]);
        return 1;
    }

    int ascent, descent, lineGap;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &lineGap);
    // The tallest shapes (brackets, accents' room) span ascent to descent:
    // scale that span to the cell, less a pixel for the shadow's sake.
    const float scale = static_cast<float>(kCell - 1) / static_cast<float>(ascent - descent);
    const int baseline = static_cast<int>(std::lround(static_cast<float>(ascent) * scale));

    std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4, 0);
    std::vector<unsigned char> glyph(kCell * 2 * kCell * 2);
    for (int code = kFirst; code <= kLast; ++code) {
        const int index = code - kFirst;
        const int cellX = (index % kColumns) * kCell;
        const int cellY = (index / kColumns) * kCell;

        int advance, leftBearing;
        stbtt_GetCodepointHMetrics(&font, code, &advance, &leftBearing);
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBox(&font, code, scale, scale, &x0, &y0, &x1, &y1);
        const int w = x1 - x0;
        const int h = y1 - y0;
        if (w <= 0 || h <= 0)
            continue;
        if (w > kCell * 2 || h > kCell * 2) {
            std::fprintf(stderr, "make-atlas: glyph %d too large\n", code);
            return 1;
        }
        stbtt_MakeCodepointBitmap(&font, glyph.data(), w, h, w, scale, scale, code);

        const int left = static_cast<int>(std::lround((kCell - static_cast<float>(advance) * scale) / 2.0f)) + x0;
        const int top = baseline + y0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int px = left + x;
                const int py = top + y;
                if (px < 0 || px >= kCell || py < 0 || py >= kCell)
                    continue;
                const unsigned char coverage = glyph[static_cast<std::size_t>(y) * w + x];
                unsigned char* out = &rgba[(static_cast<std::size_t>(cellY + py) * kWidth + cellX + px) * 4];
                out[0] = out[1] = out[2] = coverage ? 255 : 0;
                out[3] = coverage;
            }
        }
    }

    if (!stbi_write_png(argv[2], kWidth, kHeight, 4, rgba.data(), kWidth * 4)) {
        std::fprintf(stderr, "make-atlas: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
