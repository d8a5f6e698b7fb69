// The lines the settings ask for, read back from screenshots of the strip
// glyph by glyph against the font atlas.
#include "halvesta_session.h"
#include "probe_client.h"
#include "strip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

std::string config(const std::string& color, int marginX, int marginY, bool date, bool time, bool battery)
{
    std::ostringstream out;
    out << "[Style]\nfont_size=24\nfont_spacing=24\ntext_color=" << color << "\n"
        << "[Position]\nmargin_x=" << marginX << "\nmargin_y=" << marginY << "\n"
        << "[Display]\nshow_date=" << (date ? "true" : "false") << "\nshow_time=" << (time ? "true" : "false")
        << "\nshow_battery=" << (battery ? "true" : "false") << "\n";
    return out.str();
}

bool isOneOf(const std::string& text, const std::vector<std::string>& candidates)
{
    return std::find(candidates.begin(), candidates.end(), text) != candidates.end();
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
        return shoot(name);
    }
    // The screenshot follows turns that began after startedAt, so its lines
    // show the clock as read between startedAt and shotAt.
    Screenshot shoot(const std::string& name)
    {
        startedAt = std::time(nullptr);
        const Screenshot shot = run.screenshot(name);
        shotAt = std::time(nullptr);
        EXPECT_GE(shot.width, kStripWidth);
        return shot.width < kStripWidth ? Screenshot() : shot;
    }
    RgbaImage atlas() const { return loadRgba(run.path("res/fira-code.png")); }

    // All three lines in white from (0, 5): each reads as the clock and the
    // power status say, and nothing is drawn beside them.
    void expectThreeLinesRead(const std::string& name)
    {
        const Screenshot shot = runWith(config("#FFFFFF", 0, 5, true, true, true), name);
        ASSERT_FALSE(shot.pixels.empty());
        const RgbaImage font = atlas();
        const Rgb white{255, 255, 255};
        // Each later line covers the two bottom rows of the one above it,
        // and the battery line, drawn first, the time line's shadow too.
        const std::string date = readLine(shot, font, {0, 5, white, 0, 21});
        const std::string time = readLine(shot, font, {0, 27, white, 0, 21});
        const std::string battery = readLine(shot, font, {0, 49, white, 3, 23});
        EXPECT_TRUE(isOneOf(date, clockTexts("Date %Y-%m-%d", startedAt, shotAt))) << date;
        EXPECT_TRUE(isOneOf(time, clockTexts("Time %H:%M:%S", startedAt, shotAt))) << time;
        EXPECT_TRUE(std::regex_match(battery, std::regex(R"(Battery (\d{1,3}%|N/A) \((On Battery|Plugged In|Unknown)\))")))
            << battery;
        // Glyph squares plus the shadow's extra column and row.
        const std::vector<Box> lines = {{0, 5, static_cast<int>(date.size()) * kCell + 1, kCell + 1},
                                        {0, 27, static_cast<int>(time.size()) * kCell + 1, kCell + 1},
                                        {0, 49, static_cast<int>(battery.size()) * kCell + 1, kCell + 1}};
        EXPECT_EQ(litOutside(shot, lines), 0) << "pixels drawn beside the three lines";
    }

    void TearDown() override { EXPECT_EQ(run.closeAndWait(), 0); }
    HalvestaRun run;
    std::time_t startedAt = 0;
    std::time_t shotAt = 0;
};

// Read on two screenshots over a second apart, the line is each time the
// clock as read around that screenshot: it follows the clock.
TEST_F(Text, TimeLineReadsAsTheClockInTheTextColourInsideItsBandOnly)
{
    run.writeConfig(config("#FF8000", 40, 10, false, true, false));
    ASSERT_TRUE(run.start());
    for (const char* name : {"time-orange", "time-orange-later"}) {
        const Screenshot shot = shoot(name);
        ASSERT_FALSE(shot.pixels.empty());
        const std::string time = readLine(shot, atlas(), {40, 10, Rgb{255, 128, 0}});
        EXPECT_TRUE(isOneOf(time, clockTexts("Time %H:%M:%S", startedAt, shotAt))) << name << ": " << time;
        EXPECT_EQ(litOutside(shot, {{40, 10, 13 * kCell + 1, kCell + 1}}), 0) << name << ": pixels drawn outside";
        const std::time_t last = shotAt;
        ASSERT_TRUE(waitUntil([&] { return std::time(nullptr) > last; }, 3000));
    }
}

TEST_F(Text, ColourWithHexPrefixIsReadAsTheStreamReadsIt)
{
    const Screenshot shot = runWith(config("#0x1234", 40, 10, false, true, false), "time-0x1234");
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_EQ(readLine(shot, atlas(), {40, 10, Rgb{0, 18, 52}}).substr(0, 5), "Time ");
}

TEST_F(Text, ThreeLinesStackTwentyTwoPixelsApart)
{
    expectThreeLinesRead("three-lines");
}

// The OpenGL 1.1 rule of Windows' own software renderer (virtual machines,
// remote sessions): the atlas is not a power of two on either side.
TEST_F(Text, RendererWithPowerOfTwoTexturesOnlyShowsTheSameLines)
{
    run.environment.push_back("MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_non_power_of_two");
    expectThreeLinesRead("power-of-two-only");
}

} // namespace
