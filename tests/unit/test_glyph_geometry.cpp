#include "render/glyph_geometry.h"

#include <gtest/gtest.h>

namespace {

// The program's atlas: 95 glyphs in 5 rows of 19 cells of 24 x 24 pixels.
constexpr AtlasLayout kAtlas{456, 120, 24, 24, 19};

void expectWindow(const GlyphQuad& quad, int uLeft, int uRight, int vTop, int vBottom)
{
    EXPECT_FLOAT_EQ(quad.uLeft, uLeft / 456.0f);
    EXPECT_FLOAT_EQ(quad.uRight, uRight / 456.0f);
    EXPECT_FLOAT_EQ(quad.vTop, vTop / 120.0f);
    EXPECT_FLOAT_EQ(quad.vBottom, vBottom / 120.0f);
}

} // namespace

TEST(GlyphTextureWindow, CellsFollowCodesRowByRow)
{
    SCOPED_TRACE("A: index 33, column 14, row 1");
    expectWindow(glyphQuad(kAtlas, 'A', 0, 0, 24), 336, 360, 24, 48);
}

TEST(GlyphTextureWindow, FirstAndLastPrintableCodesFillTheCorners)
{
    {
        SCOPED_TRACE("space: top-left cell");
        expectWindow(glyphQuad(kAtlas, ' ', 0, 0, 24), 0, 24, 0, 24);
    }
    {
        SCOPED_TRACE("'2': last cell of the first row");
        expectWindow(glyphQuad(kAtlas, '2', 0, 0, 24), 432, 456, 0, 24);
    }
    {
        SCOPED_TRACE("'3': first cell of the second row");
        expectWindow(glyphQuad(kAtlas, '3', 0, 0, 24), 0, 24, 24, 48);
    }
    {
        SCOPED_TRACE("'~': bottom-right cell");
        expectWindow(glyphQuad(kAtlas, '~', 0, 0, 24), 432, 456, 96, 120);
    }
}

TEST(GlyphTextureWindow, BytesOutsideThePrintableRangeLandOutsideTheGrid)
{
    {
        SCOPED_TRACE("byte 31: index -1, column -1, row 0");
        expectWindow(glyphQuad(kAtlas, '\x1f', 0, 0, 24), -24, 0, 0, 24);
    }
    {
        SCOPED_TRACE("byte 0: index -32, column -13, row -1");
        expectWindow(glyphQuad(kAtlas, '\0', 0, 0, 24), -312, -288, -24, 0);
    }
    {
        SCOPED_TRACE("byte 0x80 as -128: index -160, column -8, row -8");
        expectWindow(glyphQuad(kAtlas, '\x80', 0, 0, 24), -192, -168, -192, -168);
    }
    {
        SCOPED_TRACE("byte 0xFF as -1: index -33, column -14, row -1");
        expectWindow(glyphQuad(kAtlas, '\xff', 0, 0, 24), -336, -312, -24, 0);
    }
    {
        SCOPED_TRACE("byte 127: index 95, column 0, row 5, below the last row");
        expectWindow(glyphQuad(kAtlas, '\x7f', 0, 0, 24), 0, 24, 120, 144);
    }
}

TEST(GlyphTextureWindow, NonSquareCellsAndOneColumn)
{
    const AtlasLayout tall{16, 1520, 16, 16, 1};
    const GlyphQuad quad = glyphQuad(tall, 'A', 0, 0, 24);
    EXPECT_FLOAT_EQ(quad.uLeft, 0.0f);
    EXPECT_FLOAT_EQ(quad.uRight, 1.0f);
    EXPECT_FLOAT_EQ(quad.vTop, 33 * 16 / 1520.0f);
    EXPECT_FLOAT_EQ(quad.vBottom, 34 * 16 / 1520.0f);

    const AtlasLayout wide{190, 60, 10, 12, 19};
    const GlyphQuad b = glyphQuad(wide, 'B', 0, 0, 24);
    EXPECT_FLOAT_EQ(b.uLeft, 150 / 190.0f);
    EXPECT_FLOAT_EQ(b.uRight, 160 / 190.0f);
    EXPECT_FLOAT_EQ(b.vTop, 12 / 60.0f);
    EXPECT_FLOAT_EQ(b.vBottom, 24 / 60.0f);
}

TEST(GlyphPlacement, QuadIsSizeSquaredAtThePen)
{
    // Third character of a line at x 10, y 5, size 16, advance 9.
    const GlyphQuad quad = glyphQuad(kAtlas, 'c', 10.0f + 2 * 9.0f, 5.0f, 16.0f);
    EXPECT_FLOAT_EQ(quad.left, 28.0f);
    EXPECT_FLOAT_EQ(quad.right, 44.0f);
    EXPECT_FLOAT_EQ(quad.top, 5.0f);
    EXPECT_FLOAT_EQ(quad.bottom, 21.0f);
}

TEST(GlyphPlacement, SizeIgnoresTheCellAspect)
{
    const AtlasLayout wide{190, 60, 10, 12, 19};
    const GlyphQuad quad = glyphQuad(wide, 'x', -3.5f, -7.0f, 30.0f);
    EXPECT_FLOAT_EQ(quad.left, -3.5f);
    EXPECT_FLOAT_EQ(quad.right, 26.5f);
    EXPECT_FLOAT_EQ(quad.top, -7.0f);
    EXPECT_FLOAT_EQ(quad.bottom, 23.0f);
}

TEST(GlyphAtlasUsable, NeedsATextureAndColumns)
{
    EXPECT_TRUE(canPlaceGlyphs(kAtlas));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{0, 120, 24, 24, 19}));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{456, 0, 24, 24, 19}));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{456, 120, 24, 24, 0}));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{456, 120, 24, 24, -19}));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{-456, 120, 24, 24, 19}));
    EXPECT_FALSE(canPlaceGlyphs(AtlasLayout{0, 0, 24, 24, 19})) << "the state before any atlas is loaded";
}
