#pragma once

#include "check/line_texts.h"
#include "check/rgba_pixels.h"
#include "config/settings.h"

#include <string>
#include <vector>

// The strip as the program draws it with these settings and texts and
// this atlas (none: no glyphs), kStripWidth x kStripHeight pixels. The
// window's colour key comes out fully transparent; every other pixel is
// opaque.
RgbaPixels renderStrip(const Settings& settings, const LineTexts& texts, const RgbaPixels& atlas);

// The strip pixels a line's glyphs or shadow touch with any ink (texels
// that are not fully transparent), the line drawn alone.
std::vector<bool> lineInk(const Settings& settings, const std::string& text, int x, int y, const RgbaPixels& atlas);

// Where a pixel's value depends on how a graphics driver settles a tie:
// a sample within kTieTexels of a texel border (the texel on either side
// may be taken), or a pixel centre exactly on a quad's edge (the fill rule
// decides whether the quad covers it).
enum class TieKind { None, Texel, Coverage };
constexpr double kTieTexels = 1.0 / 1024;

// A glyph quad: its line, its pass and its byte's index in the line.
struct QuadSource {
    ItemKind line;
    bool shadow;
    int glyph;
};

struct PixelTie {
    TieKind kind = TieKind::None;
    QuadSource quad{}; // the last quad drawn that makes it one
};

// For every strip pixel, row by row, whether it is a tie and which quad
// made it one.
std::vector<PixelTie> stripTies(const Settings& settings, const LineTexts& texts, const RgbaPixels& atlas);

// Decoded as the program decodes the atlas: 8-bit RGBA whatever the file
// holds. Empty when the file cannot be read or decoded.
RgbaPixels loadImage(const std::string& path);
bool savePng(const RgbaPixels& image, const std::string& path);
