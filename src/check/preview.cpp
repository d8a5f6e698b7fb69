#include "check/preview.h"

#include "config/line_layout.h"
#include "render/atlas_geometry.h"
#include "render/glyph_geometry.h"
#include "render/strip_geometry.h"

#include <algorithm>
#include <cmath>

// The rasterising rules, the only ones the preview has; the layout, the
// glyph quads and the colours are the program's own:
// - a pixel is covered by a quad when its centre (x + 0.5, y + 0.5) lies
//   inside it, left and top edges included, right and bottom excluded;
// - the texture coordinate at that centre is interpolated linearly across
//   the quad, and the texel sampled is floor(u x width), floor(v x height)
//   of the atlas, wrapped around as GL_REPEAT does (nearest filtering);
// - GL_MODULATE: the texel's colour times the current colour (clamped to
//   0..1), rounded to 8 bits; the texel's alpha as it is;
// - blending: source alpha over what is below in the 8-bit arithmetic of
//   the frame buffer: source x alpha / 255 plus below x (255 - alpha) /
//   255, each product rounded to the nearest whole number;
// - the frame starts cleared to the colour key; lines are drawn in
//   kDrawOrder, each its shadow pass first.

namespace {

struct Tint {
    double red, green, blue;
};

double clamped(double value)
{
    return std::min(1.0, std::max(0.0, value));
}

int wrapped(double coordinate, int size)
{
    const double texel = std::floor(coordinate * size);
    const double inside = texel - std::floor(texel / size) * size;
    return std::min(size - 1, std::max(0, static_cast<int>(inside)));
}

// Columns (or rows) whose centres lie in [from, to): the first and one
// past the last, within 0..limit.
void coveredRange(float a, float b, int limit, int& first, int& end)
{
    const double from = std::min(a, b);
    const double to = std::max(a, b);
    first = static_cast<int>(std::min<double>(limit, std::max(0.0, std::ceil(from - 0.5))));
    end = static_cast<int>(std::min<double>(limit, std::max(0.0, std::ceil(to - 0.5))));
}

// x * y / 255 rounded, for 8-bit x and y; never a tie, 255 being odd.
int timesNorm(int x, int y)
{
    return (2 * x * y + 255) / 510;
}

unsigned char blended(unsigned char below, unsigned char texel, double tint, unsigned char alpha)
{
    const int source = static_cast<int>(std::lround(texel * tint));
    return static_cast<unsigned char>(std::min(255, timesNorm(source, alpha) + timesNorm(below, 255 - alpha)));
}

// Calls visit(x, y, texel) for each strip pixel the quad covers, with the
// atlas texel sampled there.
template <typename Visit>
void forEachCoveredPixel(const RgbaPixels& atlas, const GlyphQuad& quad, Visit visit)
{
    int firstX, endX, firstY, endY;
    coveredRange(quad.left, quad.right, kStripWidth, firstX, endX);
    coveredRange(quad.top, quad.bottom, kStripHeight, firstY, endY);
    const double width = static_cast<double>(quad.right) - quad.left;
    const double height = static_cast<double>(quad.bottom) - quad.top;
    for (int y = firstY; y < endY; ++y) {
        const double v = quad.vTop + (y + 0.5 - quad.top) / height * (static_cast<double>(quad.vBottom) - quad.vTop);
        const int texelY = wrapped(v, atlas.height);
        for (int x = firstX; x < endX; ++x) {
            const double u =
                quad.uLeft + (x + 0.5 - quad.left) / width * (static_cast<double>(quad.uRight) - quad.uLeft);
            visit(x, y, &atlas.rgba[(static_cast<std::size_t>(texelY) * atlas.width + wrapped(u, atlas.width)) * 4]);
        }
    }
}

AtlasLayout layoutOf(const RgbaPixels& atlas)
{
    return AtlasLayout{atlas.width, atlas.height, kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns};
}

// The shadow pass, then the colour pass, as TextItem::render draws them.
template <typename Visit>
void forEachPass(const Settings& settings, const std::string& text, int x, int y, const RgbaPixels& atlas, Visit visit)
{
    const AtlasLayout layout = layoutOf(atlas);
    if (!canPlaceGlyphs(layout))
        return;
    const Tint shadow{kShadowGrey, kShadowGrey, kShadowGrey};
    const Tint colour{clamped(settings.color.red / 255.0f), clamped(settings.color.green / 255.0f),
                      clamped(settings.color.blue / 255.0f)};
    forEachGlyphQuad(layout, text, x + kShadowOffset, y + kShadowOffset, settings.fontSize, settings.fontSpacing,
                     [&](const GlyphQuad& quad) { visit(quad, shadow); });
    forEachGlyphQuad(layout, text, x, y, settings.fontSize, settings.fontSpacing,
                     [&](const GlyphQuad& quad) { visit(quad, colour); });
}

} // namespace

RgbaPixels renderStrip(const Settings& settings, const LineTexts& texts, const RgbaPixels& atlas)
{
    const ColorBytes key = colorBytes(kColorKey);
    std::vector<unsigned char> frame;
    frame.reserve(static_cast<std::size_t>(kStripWidth) * kStripHeight * 3);
    for (int i = 0; i < kStripWidth * kStripHeight; ++i)
        frame.insert(frame.end(),
                     {static_cast<unsigned char>(key.red), static_cast<unsigned char>(key.green),
                      static_cast<unsigned char>(key.blue)});
    ItemPlacement placements[3];
    const int count = layoutItems(settings, placements);
    for (const ItemKind kind : kDrawOrder)
        for (int i = 0; i < count; ++i) {
            if (placements[i].kind != kind)
                continue;
            forEachPass(settings, lineText(texts, kind), placements[i].x, placements[i].y, atlas,
                        [&](const GlyphQuad& quad, const Tint& tint) {
                            forEachCoveredPixel(atlas, quad, [&](int x, int y, const unsigned char* texel) {
                                unsigned char* pixel = &frame[(static_cast<std::size_t>(y) * kStripWidth + x) * 3];
                                pixel[0] = blended(pixel[0], texel[0], tint.red, texel[3]);
                                pixel[1] = blended(pixel[1], texel[1], tint.green, texel[3]);
                                pixel[2] = blended(pixel[2], texel[2], tint.blue, texel[3]);
                            });
                        });
        }

    RgbaPixels strip{kStripWidth, kStripHeight, std::vector<unsigned char>(frame.size() / 3 * 4)};
    for (std::size_t i = 0; i < frame.size() / 3; ++i) {
        const unsigned char* pixel = &frame[i * 3];
        std::copy(pixel, pixel + 3, &strip.rgba[i * 4]);
        strip.rgba[i * 4 + 3] = ColorBytes{pixel[0], pixel[1], pixel[2]} == key ? 0 : 255;
    }
    return strip;
}

std::vector<bool> lineInk(const Settings& settings, const std::string& text, int x, int y, const RgbaPixels& atlas)
{
    std::vector<bool> ink(static_cast<std::size_t>(kStripWidth) * kStripHeight, false);
    forEachPass(settings, text, x, y, atlas, [&](const GlyphQuad& quad, const Tint&) {
        forEachCoveredPixel(atlas, quad, [&](int px, int py, const unsigned char* texel) {
            if (texel[3] != 0)
                ink[static_cast<std::size_t>(py) * kStripWidth + px] = true;
        });
    });
    return ink;
}
