// Renders the glyph atlas the program draws its text from: codes 32 to 126
// in 24 x 24 cells, 19 to a row, white glyphs with their coverage in alpha
// on a transparent background, on one baseline and centred in their cells,
// with a clear one-pixel border round every cell.
// Usage: make-atlas FONT.ttf OUT.png
#include "config/line_layout.h"
#include "render/atlas_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

// The one user of stb_truetype, so its implementation lives here.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
#include "stb/png_files.h"

namespace {

// Square cells: the glyph maths and the program take width and height apart.
static_assert(kAtlasCellWidth == kAtlasCellHeight, "the atlas is drawn in square cells");
constexpr int kCell = kAtlasCellWidth;
constexpr int kColumns = kAtlasColumns;
constexpr int kFirst = kFirstGlyphCode;
constexpr int kLast = kLastGlyphCode;
constexpr float kPixelHeight = 23.0f;
constexpr int kMaxInkRows = kLinePitch;

struct Glyph {
    int code;
    float advance;      // pixels
    int x0, y0, x1, y1; // ink box relative to the pen on the baseline
};

Glyph measure(const stbtt_fontinfo& font, int code, float scale)
{
    Glyph glyph{code, 0.0f, 0, 0, 0, 0};
    int advance = 0, leftBearing = 0;
    stbtt_GetCodepointHMetrics(&font, code, &advance, &leftBearing);
    glyph.advance = static_cast<float>(advance) * scale;
    stbtt_GetCodepointBitmapBox(&font, code, scale, scale, &glyph.x0, &glyph.y0, &glyph.x1, &glyph.y1);
    return glyph;
}

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

uint32_t readBig32(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16
        | static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// stb_truetype trusts its input: check the header and that every table the
// directory names lies inside the file before handing it over.
bool looksLikeFont(const std::vector<unsigned char>& bytes)
{
    if (bytes.size() < 12)
        return false;
    const uint32_t version = readBig32(bytes, 0);
    if (version != 0x00010000u && version != 0x74727565u /* true */)
        return false;
    const std::size_t tables = static_cast<std::size_t>(bytes[4]) << 8 | bytes[5];
    if (tables == 0 || 12 + tables * 16 > bytes.size())
        return false;
    for (std::size_t i = 0; i < tables; ++i) {
        const uint64_t offset = readBig32(bytes, 12 + i * 16 + 8);
        const uint64_t length = readBig32(bytes, 12 + i * 16 + 12);
        if (offset + length > bytes.size())
            return false;
    }
    return true;
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
    if (!looksLikeFont(fontData) || !stbtt_InitFont(&font, fontData.data(), 0)) {
        std::fprintf(stderr, "make-atlas: cannot read font %s\n", argv[1]);
        return 1;
    }

    // The ascent-to-descent span at 23 px puts the ink of every glyph
    // (bracket tops to descender bottoms) into 22 rows: the program's line
    // pitch, so lines stacked at a glyph size of 24 never touch.
    const float scale = stbtt_ScaleForPixelHeight(&font, kPixelHeight);

    std::vector<Glyph> glyphs;
    int inkTop = 0, inkBottom = 0;
    for (int code = kFirst; code <= kLast; ++code) {
        Glyph glyph = measure(font, code, scale);
        inkTop = std::min(inkTop, glyph.y0);
        inkBottom = std::max(inkBottom, glyph.y1);
        glyphs.push_back(glyph);
    }
    if (inkBottom - inkTop > kMaxInkRows) {
        std::fprintf(stderr, "make-atlas: glyphs span %d rows, more than %d\n", inkBottom - inkTop, kMaxInkRows);
        return 1;
    }
    // One baseline for all, with the ink block centred vertically.
    const int baseline = (kCell - (inkBottom - inkTop)) / 2 - inkTop;

    std::vector<unsigned char> rgba(static_cast<std::size_t>(kAtlasWidth) * kAtlasHeight * 4, 0);
    std::vector<unsigned char> coverage;
    for (const Glyph& glyph : glyphs) {
        const int w = glyph.x1 - glyph.x0;
        const int h = glyph.y1 - glyph.y0;
        if (w <= 0 || h <= 0)
            continue;
        // Centre the advance box, not the ink, so the font's own spacing
        // survives the fixed advance.
        const int left = static_cast<int>(std::lround((kCell - glyph.advance) / 2.0f)) + glyph.x0;
        const int top = baseline + glyph.y0;
        if (left < 1 || top < 1 || left + w > kCell - 1 || top + h > kCell - 1) {
            std::fprintf(stderr, "make-atlas: glyph %d does not fit its cell\n", glyph.code);
            return 1;
        }
        coverage.assign(static_cast<std::size_t>(w) * h, 0);
        stbtt_MakeCodepointBitmap(&font, coverage.data(), w, h, w, scale, scale, glyph.code);

        const int index = glyph.code - kFirst;
        const int cellX = (index % kColumns) * kCell;
        const int cellY = (index / kColumns) * kCell;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const unsigned char alpha = coverage[static_cast<std::size_t>(y) * w + x];
                if (alpha == 0)
                    continue;
                unsigned char* out =
                    &rgba[(static_cast<std::size_t>(cellY + top + y) * kAtlasWidth + cellX + left + x) * 4];
                out[0] = out[1] = out[2] = 255;
                out[3] = alpha;
            }
        }
    }

    if (!writePng(argv[2], kAtlasWidth, kAtlasHeight, 4, rgba.data())) {
        std::fprintf(stderr, "make-atlas: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
