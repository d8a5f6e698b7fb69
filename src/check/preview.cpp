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
//   the quad in single precision, as the GL does, and the texel sampled is
//   floor(u x width), floor(v x height) of the atlas, wrapped around as
//   GL_REPEAT does (nearest filtering); where that lands on a texel border
//   or a centre on an edge, drivers differ (see stripTies);
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

// The texel a sample at `texels` (in texel units) takes, wrapped.
int wrapped(float texels, int size)
{
    const double texel = std::floor(texels);
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

// Where a quad samples the atlas at a pixel's centre, in texels.
struct Sample {
    float u, v;
};

Sample sampleAt(const GlyphQuad& quad, int x, int y, const RgbaPixels& atlas)
{
    const float across = (static_cast<float>(x) + 0.5f - quad.left) / (quad.right - quad.left);
    const float down = (static_cast<float>(y) + 0.5f - quad.top) / (quad.bottom - quad.top);
    const float u = quad.uLeft + across * (quad.uRight - quad.uLeft);
    const float v = quad.vTop + down * (quad.vBottom - quad.vTop);
    return {u * static_cast<float>(atlas.width), v * static_cast<float>(atlas.height)};
}

// Calls visit(x, y, texel, sample) for each strip pixel the quad covers,
// with the atlas texel sampled there.
template <typename Visit>
void forEachCoveredPixel(const RgbaPixels& atlas, const GlyphQuad& quad, Visit visit)
{
    int firstX, endX, firstY, endY;
    coveredRange(quad.left, quad.right, kStripWidth, firstX, endX);
    coveredRange(quad.top, quad.bottom, kStripHeight, firstY, endY);
    for (int y = firstY; y < endY; ++y)
        for (int x = firstX; x < endX; ++x) {
            const Sample sample = sampleAt(quad, x, y, atlas);
            const std::size_t texel = static_cast<std::size_t>(wrapped(sample.v, atlas.height)) * atlas.width
                + wrapped(sample.u, atlas.width);
            visit(x, y, &atlas.rgba[texel * 4], sample);
        }
}

AtlasLayout layoutOf(const RgbaPixels& atlas)
{
    return AtlasLayout{atlas.width, atlas.height, kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns};
}

// The shadow pass, then the colour pass, as TextItem::render draws them.
template <typename Visit>
void forEachPass(const Settings& settings, ItemKind line, const std::string& text, int x, int y,
                 const RgbaPixels& atlas, Visit visit)
{
    const AtlasLayout layout = layoutOf(atlas);
    if (!canPlaceGlyphs(layout))
        return;
    const Tint shadow{kShadowGrey, kShadowGrey, kShadowGrey};
    const Tint colour{clamped(settings.color.red / 255.0f), clamped(settings.color.green / 255.0f),
                      clamped(settings.color.blue / 255.0f)};
    for (const bool isShadow : {true, false}) {
        const int offset = isShadow ? kShadowOffset : 0;
        int glyph = 0;
        forEachGlyphQuad(layout, text, x + offset, y + offset, settings.fontSize, settings.fontSpacing,
                         [&](const GlyphQuad& quad) {
                             visit(quad, isShadow ? shadow : colour, QuadSource{line, isShadow, glyph++});
                         });
    }
}

// Every quad of the strip, in the order the program draws them.
template <typename Visit>
void forEachStripQuad(const Settings& settings, const LineTexts& texts, const RgbaPixels& atlas, Visit visit)
{
    ItemPlacement placements[3];
    const int count = layoutItems(settings, placements);
    for (const ItemKind kind : kDrawOrder)
        for (int i = 0; i < count; ++i)
            if (placements[i].kind == kind)
                forEachPass(settings, kind, lineText(texts, kind), placements[i].x, placements[i].y, atlas, visit);
}

// Whether a sample lies within kTieTexels of a texel border.
bool nearBorder(float texels)
{
    const double fraction = texels - std::floor(static_cast<double>(texels));
    return fraction < kTieTexels || fraction > 1.0 - kTieTexels;
}

// Whether a pixel centre (a whole number plus a half) lies exactly on an
// edge at `edge`: the column or row it is, or -1.
int centreOn(float edge)
{
    const double below = static_cast<double>(edge) - 0.5;
    return below == std::floor(below) ? static_cast<int>(below) : -1;
}

// Marks the pixels whose centres lie on the quad's edges, the span along
// each edge taken with both ends.
template <typename Mark>
void forEachCentreOnEdge(const GlyphQuad& quad, Mark mark)
{
    const auto spanOf = [](float a, float b, int limit, int& first, int& last) {
        first = std::max(0, static_cast<int>(std::ceil(std::min(a, b) - 0.5)));
        last = std::min(limit - 1, static_cast<int>(std::floor(std::max(a, b) - 0.5)));
    };
    int firstX, lastX, firstY, lastY;
    spanOf(quad.left, quad.right, kStripWidth, firstX, lastX);
    spanOf(quad.top, quad.bottom, kStripHeight, firstY, lastY);
    for (const float edge : {quad.left, quad.right}) {
        const int x = centreOn(edge);
        if (x >= 0 && x < kStripWidth)
            for (int y = firstY; y <= lastY; ++y)
                mark(x, y);
    }
    for (const float edge : {quad.top, quad.bottom}) {
        const int y = centreOn(edge);
        if (y >= 0 && y < kStripHeight)
            for (int x = firstX; x <= lastX; ++x)
                mark(x, y);
    }
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
    forEachStripQuad(settings, texts, atlas, [&](const GlyphQuad& quad, const Tint& tint, const QuadSource&) {
        forEachCoveredPixel(atlas, quad, [&](int x, int y, const unsigned char* texel, const Sample&) {
            unsigned char* pixel = &frame[(static_cast<std::size_t>(y) * kStripWidth + x) * 3];
            pixel[0] = blended(pixel[0], texel[0], tint.red, texel[3]);
            pixel[1] = blended(pixel[1], texel[1], tint.green, texel[3]);
            pixel[2] = blended(pixel[2], texel[2], tint.blue, texel[3]);
        });
    });

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
    forEachPass(settings, ItemKind::Date, text, x, y, atlas,
                [&](const GlyphQuad& quad, const Tint&, const QuadSource&) {
                    forEachCoveredPixel(atlas, quad, [&](int px, int py, const unsigned char* texel, const Sample&) {
                        if (texel[3] != 0)
                            ink[static_cast<std::size_t>(py) * kStripWidth + px] = true;
                    });
                });
    return ink;
}

std::vector<PixelTie> stripTies(const Settings& settings, const LineTexts& texts, const RgbaPixels& atlas)
{
    std::vector<PixelTie> ties(static_cast<std::size_t>(kStripWidth) * kStripHeight);
    forEachStripQuad(settings, texts, atlas, [&](const GlyphQuad& quad, const Tint&, const QuadSource& source) {
        forEachCoveredPixel(atlas, quad, [&](int x, int y, const unsigned char*, const Sample& sample) {
            if (nearBorder(sample.u) || nearBorder(sample.v))
                ties[static_cast<std::size_t>(y) * kStripWidth + x] = PixelTie{TieKind::Texel, source};
        });
        forEachCentreOnEdge(quad, [&](int x, int y) {
            ties[static_cast<std::size_t>(y) * kStripWidth + x] = PixelTie{TieKind::Coverage, source};
        });
    });
    return ties;
}
