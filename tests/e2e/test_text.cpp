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

// As Windows PowerShell 5.1 saves text: UTF-16 LE with its mark, CR LF.
std::string asUtf16WithMark(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (const char c : ascii) {
        if (c == '\n')
            out += std::string("\r\0", 2);
        out += c;
        out += '\0';
    }
    return out;
}

bool isOneOf(const std::string& text, const std::vector<std::string>& candidates)
{
    return std::find(candidates.begin(), candidates.end(), text) != candidates.end();
}

class Text : public ::testing::Test {
protected:
    bool startWith(const std::string& configText)
    {
        run.writeConfig(configText);
        return run.start();
    }
    RgbaImage atlas() const { return loadRgba(run.path("res/fira-code.png")); }

    // All three lines in white from (0, 5): each reads as the clock and the
    // power status say, and nothing is drawn beside them.
    void expectThreeLinesRead(const std::string& name, bool savedAsUtf16 = false)
    {
        const std::string settings = config("#FFFFFF", 0, 5, true, true, true);
        ASSERT_TRUE(startWith(savedAsUtf16 ? asUtf16WithMark(settings) : settings));
        const RgbaImage font = atlas();
        const Rgb white{255, 255, 255};
        const std::time_t from = std::time(nullptr);
        const auto problems = [&](const Screenshot& shot) {
            // Each later line covers the two bottom rows of the one above it,
            // and the battery line, drawn first, the time line's shadow too.
            const std::string date = readLine(shot, font, {0, 5, white, 0, 21});
            const std::string time = readLine(shot, font, {0, 27, white, 0, 21});
            const std::string battery = readLine(shot, font, {0, 49, white, 3, 23});
            const std::time_t to = std::time(nullptr);
            if (!isOneOf(date, clockTexts("Date %Y-%m-%d", from, to))
                || !isOneOf(time, clockTexts("Time %H:%M:%S", from, to))
                || !std::regex_match(battery,
                                     std::regex(R"(Battery (\d{1,3}%|N/A) \((On Battery|Plugged In|Unknown)\))")))
                return "read " + date + " / " + time + " / " + battery;
            // Glyph squares plus the shadow's extra column and row.
            const std::vector<Box> lines = {{0, 5, static_cast<int>(date.size()) * kCell + 1, kCell + 1},
                                            {0, 27, static_cast<int>(time.size()) * kCell + 1, kCell + 1},
                                            {0, 49, static_cast<int>(battery.size()) * kCell + 1, kCell + 1}};
            return litOutside(shot, lines) == 0 ? std::string() : std::string("pixels drawn beside the lines");
        };
        EXPECT_EQ(run.screenshotUntil(name, problems), "");
    }

    void TearDown() override { EXPECT_EQ(run.closeAndWait(), 0); }
    HalvestaRun run;
};

// Read on two screenshots over a second apart, the line is each time the
// clock as read around that screenshot: it follows the clock.
TEST_F(Text, TimeLineReadsAsTheClockInTheTextColourInsideItsBandOnly)
{
    ASSERT_TRUE(startWith(config("#FF8000", 40, 10, false, true, false)));
    const RgbaImage font = atlas();
    for (const char* name : {"time-orange", "time-orange-later"}) {
        const std::time_t from = std::time(nullptr);
        std::time_t to = from;
        const auto problems = [&](const Screenshot& shot) {
            const std::string time = readLine(shot, font, {40, 10, Rgb{255, 128, 0}});
            to = std::time(nullptr);
            if (!isOneOf(time, clockTexts("Time %H:%M:%S", from, to)))
                return "read " + time;
            return litOutside(shot, {{40, 10, 13 * kCell + 1, kCell + 1}}) == 0 ? std::string()
                                                                                : std::string("pixels drawn outside");
        };
        EXPECT_EQ(run.screenshotUntil(name, problems), "") << name;
        ASSERT_TRUE(waitUntil([&] { return std::time(nullptr) > to; }, 3000));
    }
}

TEST_F(Text, ColourWithHexPrefixIsReadAsTheStreamReadsIt)
{
    ASSERT_TRUE(startWith(config("#0x1234", 40, 10, false, true, false)));
    const RgbaImage font = atlas();
    const auto problems = [&](const Screenshot& shot) {
        const std::string time = readLine(shot, font, {40, 10, Rgb{0, 18, 52}});
        return time.rfind("Time ", 0) == 0 ? std::string() : "read " + time;
    };
    EXPECT_EQ(run.screenshotUntil("time-0x1234", problems), "");
}

TEST_F(Text, ThreeLinesStackTwentyTwoPixelsApart)
{
    expectThreeLinesRead("three-lines");
}

TEST_F(Text, SettingsSavedAsUtf16ShowTheSameLines)
{
    expectThreeLinesRead("utf-16", true);
}

// The OpenGL 1.1 rule of Windows' own software renderer (virtual machines,
// remote sessions): the atlas is not a power of two on either side.
TEST_F(Text, RendererWithPowerOfTwoTexturesOnlyShowsTheSameLines)
{
    run.environment.push_back("MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_non_power_of_two");
    expectThreeLinesRead("power-of-two-only");
}

} // namespace
