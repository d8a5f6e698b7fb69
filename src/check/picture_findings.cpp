// What a person would see: where each line's glyph squares fall, at its
// longest text, against the strip. What the program draws there is all
// that shows.
#include "check/checks.h"

#include "check/finding_builders.h"
#include "check/known_settings.h"
#include "check/line_texts.h"
#include "check/preview.h"
#include "check/text_helpers.h"
#include "config/line_layout.h"
#include "render/atlas_geometry.h"
#include "render/glyph_geometry.h"
#include "render/strip_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct Lines {
    ItemPlacement placements[3];
    int shown = 0;
};

const std::string& longestText(const ItemPlacement& place)
{
    return lineText(longestLineTexts(), place.kind);
}

std::string stripSize()
{
    return std::to_string(kStripWidth) + " \xC3\x97 " + std::to_string(kStripHeight);
}

void checkInvisibleColour(CheckResult& result)
{
    if (colorBytes(result.settings.color) != colorBytes(kColorKey))
        return;
    result.findings.push_back(settingFinding(FindingKind::InvisibleColour, result, kTextColorSetting,
                                             "the text colour is black, which is the strip's transparent colour: the "
                                             "text is invisible and only the faint edge of its shadow shows"));
}

Finding noLineFinding()
{
    return wholeFinding(FindingKind::NoLineShown,
                        "no line is switched on, so the strip is empty; write show_date = "
                        "true, show_time = true or show_battery = true under [Display]");
}

Finding glyphSizeZeroFinding(const CheckResult& result)
{
    return settingFinding(FindingKind::GlyphSizeZero, result, kFontSizeSetting,
                          "a glyph size of 0 draws nothing: every line is invisible");
}

void checkNegativeGlyphSize(CheckResult& result)
{
    if (result.settings.fontSize >= 0.0f)
        return;
    result.findings.push_back(settingFinding(FindingKind::GlyphSizeNegative, result, kFontSizeSetting,
                                             "a negative glyph size turns every glyph upside down and draws it above "
                                             "and to the left of its place"));
}

Finding atlasFinding(const std::string& atlasPath)
{
    return wholeFinding(FindingKind::AtlasUnreadable,
                        "the font atlas " + quoted(atlasPath)
                            + " cannot be loaded, so the program draws no glyphs at all");
}

// Glyph squares taller than the pitch overlap, but the atlas cells' empty
// rows may keep their ink apart: only ink that meets counts.
void checkOverlap(CheckResult& result, const Lines& lines, const RgbaPixels& atlas)
{
    const Settings& settings = result.settings;
    const auto ink = [&](const ItemPlacement& place) {
        return lineInk(settings, longestText(place), place.x, place.y, atlas);
    };
    std::string overlapping;
    std::vector<bool> upper = ink(lines.placements[0]);
    for (int i = 0; i + 1 < lines.shown; ++i) {
        std::vector<bool> lower = ink(lines.placements[i + 1]);
        bool meet = false;
        for (std::size_t p = 0; p < upper.size() && !meet; ++p)
            meet = upper[p] && lower[p];
        if (meet)
            overlapping += std::string(overlapping.empty() ? "" : ", and ") + "the "
                + lineName(lines.placements[i].kind) + " and " + lineName(lines.placements[i + 1].kind) + " lines";
        upper = std::move(lower);
    }
    if (overlapping.empty())
        return;
    result.findings.push_back(settingFinding(FindingKind::LinesOverlap, result, kFontSizeSetting,
                                             "the glyph size " + numberText(settings.fontSize) + " is more than the "
                                                 + std::to_string(kLinePitch) + "-pixel line pitch, so the glyphs of "
                                                 + overlapping + " overlap"));
}

// The box a line's glyph squares cover, and whether any of them lies
// partly inside the strip or partly outside it.
struct LineExtent {
    float left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
    bool anyInside = false;
    bool anyOutside = false;

    std::string span() const
    {
        return "x " + numberText(left) + " to " + numberText(right) + ", y " + numberText(top) + " to "
            + numberText(bottom);
    }
};

LineExtent extentOf(const Settings& settings, const ItemPlacement& place)
{
    const AtlasLayout cells{kAtlasWidth, kAtlasHeight, kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns};
    const float width = static_cast<float>(kStripWidth);
    const float height = static_cast<float>(kStripHeight);
    LineExtent extent;
    forEachGlyphQuad(cells, longestText(place), place.x, place.y, settings.fontSize, settings.fontSpacing,
                     [&](const GlyphQuad& quad) {
                         const float l = std::min(quad.left, quad.right), r = std::max(quad.left, quad.right);
                         const float t = std::min(quad.top, quad.bottom), b = std::max(quad.top, quad.bottom);
                         extent.left = std::min(extent.left, l);
                         extent.right = std::max(extent.right, r);
                         extent.top = std::min(extent.top, t);
                         extent.bottom = std::max(extent.bottom, b);
                         extent.anyInside |=
                             std::max(l, 0.0f) < std::min(r, width) && std::max(t, 0.0f) < std::min(b, height);
                         extent.anyOutside |= l < 0.0f || r > width || t < 0.0f || b > height;
                     });
    return extent;
}

Finding offStripFinding(const ItemPlacement& place, const LineExtent& extent)
{
    return wholeFinding(FindingKind::LineOffStrip,
                        std::string("the ") + lineName(place.kind) + " line lies wholly outside the " + stripSize()
                            + " strip (" + extent.span() + "): it cannot be seen");
}

Finding cutOffFinding(const ItemPlacement& place, const LineExtent& extent)
{
    std::vector<std::string> edges;
    if (extent.left < 0.0f)
        edges.push_back("the left edge");
    if (extent.right > static_cast<float>(kStripWidth))
        edges.push_back("the right edge");
    if (extent.top < 0.0f)
        edges.push_back("the top");
    if (extent.bottom > static_cast<float>(kStripHeight))
        edges.push_back("the bottom");
    std::string past;
    for (std::size_t e = 0; e < edges.size(); ++e)
        past += (e == 0 ? "" : e + 1 == edges.size() ? " and " : ", ") + edges[e];
    return wholeFinding(FindingKind::LineCutOff,
                        std::string("the ") + lineName(place.kind) + " line (at its longest, as "
                            + quoted(longestText(place)) + ") spans " + extent.span() + ": what lies past " + past
                            + " of the " + stripSize() + " strip is cut off");
}

void checkEdges(CheckResult& result, const Lines& lines)
{
    for (int i = 0; i < lines.shown; ++i) {
        const LineExtent extent = extentOf(result.settings, lines.placements[i]);
        if (!extent.anyInside)
            result.findings.push_back(offStripFinding(lines.placements[i], extent));
        else if (extent.anyOutside)
            result.findings.push_back(cutOffFinding(lines.placements[i], extent));
    }
}

} // namespace

void checkPicture(CheckResult& result, const RgbaPixels& atlas, const std::string& atlasPath)
{
    Lines lines;
    lines.shown = layoutItems(result.settings, lines.placements);
    checkInvisibleColour(result);
    if (lines.shown == 0) {
        result.findings.push_back(noLineFinding());
        return;
    }
    if (result.settings.fontSize == 0.0f) {
        result.findings.push_back(glyphSizeZeroFinding(result));
        return;
    }
    checkNegativeGlyphSize(result);
    if (atlas.rgba.empty())
        result.findings.push_back(atlasFinding(atlasPath));
    else
        checkOverlap(result, lines, atlas);
    checkEdges(result, lines);
}
