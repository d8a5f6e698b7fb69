// The lines the settings ask for, read back from screenshots of the strip
// and compared with the font atlas cell by cell.
#include "halvesta_session.h"
#include "probe_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr int kCell = 24;
constexpr int kColumns = 19;
constexpr int kStripWidth = 600;
constexpr int kStripHeight = 100;

std::string config(const std::string& color, int marginX, int marginY, bool date, bool time, bool battery)
{
    std::ostringstream out;
    out << "[Style]\nfont_size=24\nfont_spacing=24\ntext_color=" << color << "\n"
        << "[Position]\nmargin_x=" << marginX << "\nmargin_y=" << marginY << "\n"
        << "[Display]\nshow_date=" << (date ? "true" : "false") << "\nshow_time=" << (time ? "true" : "false")
        << "\nshow_battery=" << (battery ? "true" : "false") << "\n";
    return out.str();
}

int countColour(const Screenshot& shot, Rgb colour, int top, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, kStripHeight); ++y)
        for (int x = 0; x < kStripWidth; ++x)
            if (shot.at(x, y) == colour)
                ++count;
    return count;
}

// Pixels that are neither black nor the faint shadow.
int countBright(const Screenshot& shot, int top, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, kStripHeight); ++y)
        for (int x = 0; x < kStripWidth; ++x) {
            const Rgb p = shot.at(x, y);
            if (std::max({p.r, p.g, p.b}) > 3)
                ++count;
        }
    return count;
}

int countNonBlack(const Screenshot& shot)
{
    int count = 0;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            if (!(shot.at(x, y) == Rgb{0, 0, 0}))
                ++count;
    return count;
}

// Compares the screen cells of TEXT drawn at (x, y) with the atlas, rows
// firstRow..lastRow of each cell: full ink must be the text colour, empty
// texels must stay black or shadow-dark. Returns the mismatches found.
std::string compareCells(const Screenshot& shot, const RgbaImage& atlas, const std::string& text, int x, int y,
                         Rgb colour, int firstRow = 0, int lastRow = kCell - 1)
{
    std::ostringstream problems;
    int reported = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int index = static_cast<unsigned char>(text[i]) - 32;
        const int cellX = (index % kColumns) * kCell;
        const int cellY = (index / kColumns) * kCell;
        for (int row = firstRow; row <= lastRow; ++row)
            for (int column = 0; column < kCell; ++column) {
                const uint8_t* texel = atlas.at(cellX + column, cellY + row);
                const int sx = x + static_cast<int>(i) * kCell + column;
                const int sy = y + row;
                const Rgb seen = shot.at(sx, sy);
                bool ok = true;
                if (texel[3] == 255) {
                    const Rgb want{static_cast<uint8_t>(texel[0] * colour.r / 255 + 0.5),
                                   static_cast<uint8_t>(texel[1] * colour.g / 255 + 0.5),
                                   static_cast<uint8_t>(texel[2] * colour.b / 255 + 0.5)};
                    ok = std::abs(seen.r - want.r) <= 1 && std::abs(seen.g - want.g) <= 1 &&
                         std::abs(seen.b - want.b) <= 1;
                } else if (texel[3] == 0) {
                    ok = std::max({seen.r, seen.g, seen.b}) <= 3;
                } else if (texel[3] >= 128) {
                    ok = std::max({seen.r, seen.g, seen.b}) > 3;
                }
                if (!ok && reported++ < 8)
                    problems << "'" << text[i] << "' at " << sx << "," << sy << " alpha " << int(texel[3])
                             << " seen (" << int(seen.r) << "," << int(seen.g) << "," << int(seen.b) << "); ";
            }
    }
    return problems.str();
}

class Text : public ::testing::Test {
protected:
    Screenshot runWith(const std::string& configText, const std::string& name)
    {
        run.writeConfig(configText);
        if (!run.start()) {
            ADD_FAILURE() << "the program did not come up";
            return Screenshot();
        }
        screen = run.screenshot(name);
        EXPECT_GE(screen.width, kStripWidth);
        if (screen.width < kStripWidth)
            return Screenshot();
        return screen;
    }
    Screenshot screen;
    RgbaImage atlas() const
    {
        RgbaImage image = loadRgba(run.path("res/fira-code.png"));
        EXPECT_EQ(image.width, 456);
        EXPECT_EQ(image.height, 120);
        return image;
    }
    void TearDown() override { EXPECT_EQ(run.closeAndWait(), 0); }
    HalvestaRun run;
};

TEST_F(Text, TimeLineIsDrawnInTheTextColourInsideItsBandOnly)
{
    const Screenshot shot = runWith(config("#FF8000", 40, 10, false, true, false), "time-orange");
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_GT(countColour(shot, Rgb{255, 128, 0}, 10, 34), 100);
    // The band is the glyph rows plus the shadow's extra row and column.
    EXPECT_EQ(countNonBlack(shot) - [&] {
        int inside = 0;
        for (int y = 10; y <= 34; ++y)
            for (int x = 40; x <= 40 + 13 * kCell; ++x)
                if (!(shot.at(x, y) == Rgb{0, 0, 0}))
                    ++inside;
        return inside;
    }(), 0) << "pixels drawn outside the time line's band";
}

TEST_F(Text, FixedCellsOfTheTimeLineMatchTheAtlas)
{
    const Screenshot shot = runWith(config("#FF8000", 40, 10, false, true, false), "time-cells");
    ASSERT_FALSE(shot.pixels.empty());
    const RgbaImage font = atlas();
    ASSERT_FALSE(font.rgba.empty());
    EXPECT_EQ(compareCells(shot, font, "Time ", 40, 10, Rgb{255, 128, 0}), "");
}

TEST_F(Text, ColourWithHexPrefixIsReadAsTheStreamReadsIt)
{
    const Screenshot shot = runWith(config("#0x1234", 40, 10, false, true, false), "time-0x1234");
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_GT(countColour(shot, Rgb{0, 18, 52}, 10, 34), 100);
}

TEST_F(Text, ThreeLinesStackTwentyTwoPixelsApart)
{
    const Screenshot shot = runWith(config("#FFFFFF", 20, 5, true, true, true), "three-lines");
    ASSERT_FALSE(shot.pixels.empty());
    const RgbaImage font = atlas();
    ASSERT_FALSE(font.rgba.empty());
    const Rgb white{255, 255, 255};
    // Date at 5, time at 27, battery at 49; later lines overlap the two
    // bottom rows of the line above, so those rows are left out.
    EXPECT_EQ(compareCells(shot, font, "Date ", 20, 5, white, 0, 21), "");
    EXPECT_EQ(compareCells(shot, font, "Time ", 20, 27, white, 0, 21), "");
    EXPECT_EQ(compareCells(shot, font, "Battery ", 20, 49, white, 3, 23), "");
    EXPECT_EQ(countBright(shot, 74, kStripHeight), 0) << "nothing below the battery line";
    EXPECT_EQ(countBright(shot, 0, 5), 0) << "nothing above the date line";
}

TEST_F(Text, MissingAtlasDrawsNoGlyphs)
{
    removeTree(run.path("res/fira-code.png"));
    const Screenshot shot = runWith(config("#FF8000", 40, 10, true, true, true), "no-atlas");
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_EQ(countNonBlack(shot), 0);
    EXPECT_EQ(countNonBlack(screen), 0);
    EXPECT_TRUE(run.running());
}

TEST_F(Text, CorruptAtlasDrawsNoGlyphs)
{
    writeFile(run.path("res/fira-code.png"), std::string("\x89PNG\r\n\x1a\n\x00\x00garbage", 17));
    const Screenshot shot = runWith(config("#FF8000", 40, 10, true, true, true), "corrupt-atlas");
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_EQ(countNonBlack(shot), 0);
    EXPECT_EQ(countNonBlack(screen), 0);
    EXPECT_TRUE(run.running());
}

} // namespace
