// The committed atlas and icons are what the tools make, and the atlas has
// the layout the program draws from.
#include "test_files.h"

#include <gtest/gtest.h>

#include "stb/png_files.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string kSource = HALVESTA_SOURCE_DIR;
constexpr int kCell = 24;
constexpr int kColumns = 19;

class Atlas {
public:
    explicit Atlas(const std::string& file) { pixels = loadPngRgba(file.c_str(), width, height); }
    ~Atlas() { freePngPixels(pixels); }
    Atlas(const Atlas&) = delete;
    Atlas& operator=(const Atlas&) = delete;

    // Alpha of pixel (x, y) of the cell that holds `code`.
    int alpha(int code, int x, int y) const { return texel(code, x, y)[3]; }
    const unsigned char* texel(int code, int x, int y) const
    {
        const int cellX = (code - 32) % kColumns * kCell, cellY = (code - 32) / kColumns * kCell;
        return pixels + (static_cast<std::size_t>(cellY + y) * width + cellX + x) * 4;
    }

    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
};

// Lowest and highest row, leftmost and rightmost column with ink of at
// least half coverage.
struct InkBox {
    int top = kCell, bottom = -1, left = kCell, right = -1;
};

InkBox inkOf(const Atlas& atlas, char code)
{
    InkBox box;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            if (atlas.alpha(code, x, y) > 127) {
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
            }
    return box;
}

} // namespace

#ifdef HALVESTA_MAKE_ATLAS
TEST(Assets, CommittedAtlasIsWhatTheToolRenders)
{
    const std::string font = "/usr/share/fonts/truetype/firacode/FiraCode-Regular.ttf";
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    ASSERT_EQ(std::system((std::string(HALVESTA_MAKE_ATLAS) + " " + font + " " + dir.file("atlas.png")).c_str()), 0)
        << "make-atlas failed (is fonts-firacode installed?)";
    EXPECT_TRUE(readBytes(dir.file("atlas.png")) == readBytes(kSource + "/res/fira-code.png"))
        << "res/fira-code.png differs from what tools/make-atlas renders";
}

TEST(Assets, AtlasToolRefusesAFileThatIsNoFont)
{
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    dir.write("bogus.ttf", "not a font at all, just text");
    const std::string command =
        std::string(HALVESTA_MAKE_ATLAS) + " " + dir.file("bogus.ttf") + " " + dir.file("atlas.png") + " 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "make-atlas crashed";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_FALSE(std::ifstream(dir.file("atlas.png")).good());
}
#endif

#ifdef HALVESTA_MAKE_ICONS
TEST(Assets, CommittedIconsAreWhatTheToolDraws)
{
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    ASSERT_EQ(std::system((std::string(HALVESTA_MAKE_ICONS) + " " + dir.path()).c_str()), 0);
    for (const char* name : {"halvesta.ico", "icon.ico"})
        EXPECT_TRUE(readBytes(dir.file(name)) == readBytes(kSource + "/res/" + name))
            << "res/" << name << " differs from what tools/make-icons draws";
}
#endif

TEST(Assets, AtlasHoldsEveryPrintableGlyphWhiteInsideItsCell)
{
    const Atlas atlas(kSource + "/res/fira-code.png");
    ASSERT_NE(atlas.pixels, nullptr);
    ASSERT_EQ(atlas.width, kColumns * kCell);
    ASSERT_EQ(atlas.height, 5 * kCell);

    for (int code = 32; code <= 126; ++code) {
        int covered = 0;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x) {
                const unsigned char* p = atlas.texel(code, x, y);
                // White ink, so the item's colour comes out by modulation;
                // the background is transparent black.
                const int expected = p[3] > 0 ? 255 : 0;
                ASSERT_TRUE(p[0] == expected && p[1] == expected && p[2] == expected)
                    << "code " << code << " at " << x << "," << y;
                if (p[3] == 0)
                    continue;
                ++covered;
                // Ink on a cell's outer ring would mean a glyph cut off at
                // the edge, or one that bleeds into its neighbour.
                ASSERT_TRUE(x > 0 && y > 0 && x < kCell - 1 && y < kCell - 1)
                    << "code " << code << " touches its cell's edge at " << x << "," << y;
            }
        if (code == ' ')
            EXPECT_EQ(covered, 0) << "the space cell must be empty";
        else
            EXPECT_GT(covered, 3) << "code " << code << " has no glyph";
    }
}

TEST(Assets, GlyphsShareOneBaselineAndAreCentred)
{
    const Atlas atlas(kSource + "/res/fira-code.png");
    ASSERT_NE(atlas.pixels, nullptr);

    const int baseline = inkOf(atlas, 'H').bottom;
    for (char c : std::string("ABEHMTXZabcdehmnxz0123456789"))
        EXPECT_EQ(inkOf(atlas, c).bottom, baseline) << c;
    for (char c : std::string("gjpqy"))
        EXPECT_GT(inkOf(atlas, c).bottom, baseline + 2) << c << " lost its descender";

    // Symmetric shapes sit in the middle of their cells.
    for (char c : std::string("HOXo0=|-+*")) {
        const InkBox box = inkOf(atlas, c);
        EXPECT_NEAR(box.left + box.right + 1, kCell, 2) << c;
    }
}
