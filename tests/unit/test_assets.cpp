// The committed atlas and icons are what the tools make, and the atlas has
// the layout the program draws from.
#include "config/ini_reader.h"
#include "config/settings.h"

#include <gtest/gtest.h>

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string kSource = HALVESTA_SOURCE_DIR;

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string scratchDir()
{
    char pattern[] = "/tmp/halvesta-assets-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "";
}

int run(const std::string& command)
{
    return std::system(command.c_str());
}

struct Atlas {
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    ~Atlas() { stbi_image_free(pixels); }
    const unsigned char* at(int x, int y) const { return pixels + (static_cast<std::size_t>(y) * width + x) * 4; }
};

} // namespace

#ifdef HALVESTA_MAKE_ATLAS
TEST(Assets, CommittedAtlasIsWhatTheToolRenders)
{
    const std::string dir = scratchDir();
    ASSERT_FALSE(dir.empty());
    ASSERT_EQ(run(std::string(HALVESTA_MAKE_ATLAS) + " /usr/share/fonts/truetype/firacode/FiraCode-Regular.ttf " + dir
                  + "/atlas.png"),
              0);
    EXPECT_TRUE(readBytes(dir + "/atlas.png") == readBytes(kSource + "/res/fira-code.png"))
        << "res/fira-code.png differs from what tools/make-atlas renders";
    run("rm -rf " + dir);
}
#endif

#ifdef HALVESTA_MAKE_ICONS
TEST(Assets, CommittedIconsAreWhatTheToolDraws)
{
    const std::string dir = scratchDir();
    ASSERT_FALSE(dir.empty());
    ASSERT_EQ(run(std::string(HALVESTA_MAKE_ICONS) + " " + dir), 0);
    for (const char* name : {"halvesta.ico", "icon.ico"})
        EXPECT_TRUE(readBytes(dir + "/" + name) == readBytes(kSource + "/res/" + name))
            << "res/" << name << " differs from what tools/make-icons draws";
    run("rm -rf " + dir);
}
#endif

TEST(Assets, AtlasHoldsEveryPrintableGlyphInItsCell)
{
    Atlas atlas;
    int channels = 0;
    atlas.pixels = stbi_load((kSource + "/res/fira-code.png").c_str(), &atlas.width, &atlas.height, &channels, 4);
    ASSERT_NE(atlas.pixels, nullptr);
    ASSERT_EQ(atlas.width, 456);
    ASSERT_EQ(atlas.height, 120);

    for (int code = 32; code <= 126; ++code) {
        const int cellX = (code - 32) % 19 * 24, cellY = (code - 32) / 19 * 24;
        int covered = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const unsigned char* p = atlas.at(cellX + x, cellY + y);
                if (p[3] > 0) {
                    ++covered;
                    // White glyphs: the item's colour comes from modulation.
                    ASSERT_EQ(p[0] + p[1] + p[2], 3 * 255) << "code " << code;
                } else {
                    ASSERT_EQ(p[0] + p[1] + p[2], 0) << "code " << code;
                }
            }
        if (code == ' ')
            EXPECT_EQ(covered, 0) << "the space cell must be empty";
        else
            EXPECT_GT(covered, 3) << "code " << code << " has no glyph";
    }
}

TEST(Assets, GlyphsShareOneBaseline)
{
    Atlas atlas;
    int channels = 0;
    atlas.pixels = stbi_load((kSource + "/res/fira-code.png").c_str(), &atlas.width, &atlas.height, &channels, 4);
    ASSERT_NE(atlas.pixels, nullptr);
    // Letters without descenders end on the same row of their cells.
    auto lowestRow = [&](char c) {
        const int cellX = (c - 32) % 19 * 24, cellY = (c - 32) / 19 * 24;
        for (int y = 23; y >= 0; --y)
            for (int x = 0; x < 24; ++x)
                if (atlas.at(cellX + x, cellY + y)[3] > 127)
                    return y;
        return -1;
    };
    const int baseline = lowestRow('H');
    for (char c : std::string("ABEHMTXZabcdehmnxz0123456789"))
        EXPECT_EQ(lowestRow(c), baseline) << c;
    EXPECT_GT(lowestRow('g'), baseline);
}

TEST(Assets, ShippedSettingsShowAllThreeLinesInAVisibleColour)
{
    IniReader reader;
    IniData store = reader.read(kSource + "/res/config.ini");
    ASSERT_EQ(store["return"]["failed"], "false");
    const Settings settings = interpretSettings(store);
    EXPECT_TRUE(settings.showDate && settings.showTime && settings.showBattery);
    EXPECT_GT(settings.color.red + settings.color.green + settings.color.blue, 0.0f);
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(settings, placements), 3);
    EXPECT_LE(placements[2].y + settings.fontSize, 100) << "the last line must fit the strip";
}
