// The preview's ties: the pixels where a graphics driver may take either
// texel, or either side of a glyph's edge, and the quad that made each.
#include "check/preview.h"
#include "render/strip_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const RgbaPixels& shippedAtlas()
{
    static const RgbaPixels atlas = loadImage(std::string(HALVESTA_SOURCE_DIR) + "/res/fira-code.png");
    return atlas;
}

// The time line alone, showing `text`, from (0, 0).
std::vector<PixelTie> timeLineTies(float size, float advance, const std::string& text)
{
    const Settings settings{size, advance, 0, 0, Color{1, 1, 1}, false, true, false};
    return stripTies(settings, LineTexts{"", text, ""}, shippedAtlas());
}

const PixelTie& at(const std::vector<PixelTie>& ties, int x, int y)
{
    return ties[static_cast<std::size_t>(y) * kStripWidth + x];
}

TEST(PreviewTies, NoneAtTheDefaultSizeWithWholeSteps)
{
    const Settings settings{24, 24, -7, 3, Color{1, 1, 1}, true, true, true};
    const LineTexts texts{"Date 2026-12-11", "Time 13:45:09", "Battery 87% (Plugged In)"};
    for (const PixelTie& tie : stripTies(settings, texts, shippedAtlas()))
        ASSERT_EQ(tie.kind, TieKind::None);
}

// At size 30 the sample of glyph column (and row) k lies at 24 (k + 0.5) / 30
// texels, a whole number for k = 2, 7, 12, ...
TEST(PreviewTies, TexelBordersAtScaledSizesNameTheirQuad)
{
    const std::vector<PixelTie> ties = timeLineTies(30, 30, "M");
    EXPECT_EQ(at(ties, 1, 5).kind, TieKind::None);
    const PixelTie glyph = at(ties, 2, 5);
    EXPECT_EQ(glyph.kind, TieKind::Texel);
    EXPECT_EQ(glyph.quad.line, ItemKind::Time);
    EXPECT_FALSE(glyph.quad.shadow);
    // The shadow, a pixel further right, ties there though the glyph over it
    // does not.
    const PixelTie shadow = at(ties, 3, 5);
    EXPECT_EQ(shadow.kind, TieKind::Texel);
    EXPECT_TRUE(shadow.quad.shadow);
    EXPECT_EQ(at(ties, 5, 7).kind, TieKind::Texel);
    EXPECT_EQ(at(ties, 5, 5).kind, TieKind::None);
}

// A half-pixel advance puts the second glyph's left edge, and its
// shadow's, on pixel centres.
TEST(PreviewTies, CentresOnAGlyphEdgeAreCoverageTies)
{
    const std::vector<PixelTie> ties = timeLineTies(24, 12.5f, "MM");
    EXPECT_EQ(at(ties, 11, 5).kind, TieKind::None);
    const PixelTie edge = at(ties, 12, 5);
    EXPECT_EQ(edge.kind, TieKind::Coverage);
    EXPECT_EQ(edge.quad.glyph, 1);
    EXPECT_FALSE(edge.quad.shadow);
    const PixelTie shadowEdge = at(ties, 13, 24);
    EXPECT_EQ(shadowEdge.kind, TieKind::Coverage);
    EXPECT_TRUE(shadowEdge.quad.shadow);
    EXPECT_EQ(at(ties, 13, 25).kind, TieKind::None);
}

} // namespace
