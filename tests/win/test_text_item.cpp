// Text items: their texts from the real clock and power status, and the
// shadow and colour passes as they land on the strip.
#include "render/bitmap_font.h"
#include "render/text_item.h"
#include "win_support.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>
#include <time.h>
#include <regex>
#include <string>

namespace {

// Two 8 x 8 cells side by side: " " opaque white, "!" opaque (200, 100, 50).
class ItemRender : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (HasFatalFailure())
            return;
        RgbaImage image(16, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                image.set(x, y, Rgb{255, 255, 255}, 255);
                image.set(8 + x, y, Rgb{200, 100, 50}, 255);
            }
        }
        atlasPath = dir.file("cells.png");
        ASSERT_TRUE(writePng(atlasPath, image));
        ASSERT_EQ(font.load(atlasPath.c_str(), 8, 8, 2), 0);

        item.setFont(&font);
        item.setPosition(50, 30);
        item.setFontSize(8);
        item.setSpacing(8);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void TearDown() override
    {
        if (font.texture != 0 && wglGetCurrentContext())
            font.release();
        DisplayTest::TearDown();
    }

    ScratchDir dir;
    std::string atlasPath;
    BitmapFont font;
    TimeItem item;
};

bool isShadow(const Rgb& pixel)
{
    // 0.01 of full white: 2.55 out of 255.
    return pixel.red >= 2 && pixel.red <= 3 && pixel.green == pixel.red && pixel.blue == pixel.red;
}

TEST_F(ItemRender, ShadowLiesOnePixelRightAndBelowUnderTheColouredGlyph)
{
    item.setColor(Color{0, 255, 255});
    item.text = " ";
    item.render();
    const Frame frame = Frame::read();

    // Glyph at x 50..57, y 30..37, colour pass on top where they overlap.
    EXPECT_EQ(frame.at(50, 30), (Rgb{0, 255, 255}));
    EXPECT_EQ(frame.at(57, 37), (Rgb{0, 255, 255}));
    EXPECT_EQ(frame.at(51, 31), (Rgb{0, 255, 255}));
    // Shadow at x 51..58, y 31..38: its right column and bottom row show.
    for (int y = 31; y <= 38; ++y)
        EXPECT_TRUE(isShadow(frame.at(58, y))) << "right column y " << y << ": " << frame.at(58, y);
    for (int x = 51; x <= 58; ++x)
        EXPECT_TRUE(isShadow(frame.at(x, 38))) << "bottom row x " << x << ": " << frame.at(x, 38);
    // Nothing beyond either pass.
    EXPECT_EQ(frame.at(49, 30), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(50, 29), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(58, 30), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(50, 38), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(59, 39), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(59, 38), (Rgb{0, 0, 0}));
}

TEST_F(ItemRender, WhiteKeepsTheAtlasColoursAndCyanRemovesTheirRed)
{
    item.text = "!";
    item.setColor(Color{255, 255, 255});
    item.render();
    EXPECT_EQ(Frame::read().at(53, 33), (Rgb{200, 100, 50}));

    glClear(GL_COLOR_BUFFER_BIT);
    item.setColor(Color{0, 255, 255});
    item.render();
    EXPECT_EQ(Frame::read().at(53, 33), (Rgb{0, 100, 50}));
}

TEST_F(ItemRender, EachCharacterAdvancesBySpacing)
{
    item.setColor(Color{255, 255, 255});
    item.setSpacing(20);
    item.text = " ! ";
    item.render();
    const Frame frame = Frame::read();
    EXPECT_EQ(frame.at(50, 30), (Rgb{255, 255, 255}));
    EXPECT_EQ(frame.at(70, 30), (Rgb{200, 100, 50}));
    EXPECT_EQ(frame.at(90, 30), (Rgb{255, 255, 255}));
    EXPECT_EQ(frame.at(62, 30), (Rgb{0, 0, 0})) << "gap between glyphs";
}

TEST_F(ItemRender, ItemWithoutFontDrawsNothing)
{
    TimeItem bare;
    bare.setColor(Color{255, 255, 255});
    bare.text = "Time 12:00:00";
    bare.render();
    const Frame frame = Frame::read();
    EXPECT_EQ(frame.litPixels(), 0);
}

std::string formatNow(const char* format, std::time_t when)
{
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, std::localtime(&when));
    return std::string(buffer, length);
}

std::string formatSystemLocal(const char* format, const SYSTEMTIME& t)
{
    char buffer[64];
    if (format[0] == 'T')
        std::snprintf(buffer, sizeof buffer, "Time %02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    else
        std::snprintf(buffer, sizeof buffer, "Date %04u-%02u-%02u", t.wYear, t.wMonth, t.wDay);
    return buffer;
}

// The item's text is the clock read at some moment between `before` and
// `after`; a second (or the date) may tick in between.
template <typename Item>
void expectClockText(const char* format, const char* pattern)
{
    Item item;
    SYSTEMTIME localBefore;
    SYSTEMTIME localAfter;
    GetLocalTime(&localBefore);
    const std::time_t before = std::time(nullptr);
    item.update();
    const std::time_t after = std::time(nullptr);
    GetLocalTime(&localAfter);

    EXPECT_TRUE(std::regex_match(item.text, std::regex(pattern))) << item.text;
    EXPECT_TRUE(item.text == formatNow(format, before) || item.text == formatNow(format, after)) << item.text;
    // Local time as the system reports it, not UTC.
    EXPECT_TRUE(item.text == formatSystemLocal(format, localBefore)
                || item.text == formatSystemLocal(format, localAfter))
        << item.text << " vs " << formatSystemLocal(format, localBefore);
}

TEST(ItemUpdate, TimeTextIsTheLocalClock)
{
    expectClockText<TimeItem>("Time %H:%M:%S", R"(Time \d\d:\d\d:\d\d)");
}

TEST(ItemUpdate, DateTextIsTheLocalDate)
{
    expectClockText<DateItem>("Date %Y-%m-%d", R"(Date \d{4}-\d\d-\d\d)");
}

TEST(ItemUpdate, TimeFollowsAChangeOfZoneWithinSeconds)
{
    // The runtime reads TZ before the system's zone, so changing it in this
    // process stands in for the user changing the zone.
    const char* before = std::getenv("TZ");
    const std::string saved = std::string("TZ=") + (before ? before : "");
    TimeItem item;
    item.update();
    ASSERT_EQ(_putenv("TZ=HAL+11"), 0);
    const auto elevenHoursBehindUtc = [](std::time_t when) {
        when -= 11 * 3600;
        char buffer[16];
        return std::string(buffer, std::strftime(buffer, sizeof buffer, "Time %H:%M:%S", std::gmtime(&when)));
    };
    bool followed = false;
    for (int turn = 0; turn < 200 && !followed; ++turn) {
        const std::time_t start = std::time(nullptr);
        item.update();
        followed = item.text == elevenHoursBehindUtc(start) || item.text == elevenHoursBehindUtc(std::time(nullptr));
        Sleep(16);
    }
    _putenv(saved.c_str());
    _tzset();
    EXPECT_TRUE(followed) << "still " << item.text << " after three seconds in the new zone";
}

TEST(ItemUpdate, TextIsReplacedNotAppended)
{
    TimeItem item;
    item.text = "stale text that is longer than any time";
    item.update();
    EXPECT_EQ(item.text.size(), 13u) << item.text;
}

TEST(ItemUpdate, BatteryTextFollowsThePowerStatus)
{
    SYSTEM_POWER_STATUS status = {};
    ASSERT_TRUE(GetSystemPowerStatus(&status));
    BatteryItem item;
    EXPECT_EQ(item.update(), 0);

    std::smatch match;
    ASSERT_TRUE(
        std::regex_match(item.text, match, std::regex(R"(Battery (\d{1,3}%|N/A) \((On Battery|Plugged In|Unknown)\))")))
        << item.text;
    const std::string word = status.ACLineStatus == 0 ? "On Battery"
        : status.ACLineStatus == 1                    ? "Plugged In"
                                                      : "Unknown";
    EXPECT_EQ(match[2].str(), word) << "AC line status " << int(status.ACLineStatus);
    if (status.BatteryLifePercent <= 100)
        EXPECT_EQ(match[1].str(), std::to_string(status.BatteryLifePercent) + "%");
    else
        EXPECT_EQ(match[1].str(), "N/A") << "charge unknown: " << int(status.BatteryLifePercent);
}

} // namespace
