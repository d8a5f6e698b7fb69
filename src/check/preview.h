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

// Decoded as the program decodes the atlas: 8-bit RGBA whatever the file
// holds. Empty when the file cannot be read or decoded.
RgbaPixels loadImage(const std::string& path);
bool savePng(const RgbaPixels& image, const std::string& path);
