#include "config/line_layout.h"
#include "config/number_reader.h"
#include "config/settings.h"
#include "ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Color colorOf(const std::string& text)
{
    // Garbage first: every path must write all three components.
    Color color{-99.0f, -99.0f, -99.0f};
    parseHexColor(text, color);
    return color;
}

void expectColor(const std::string& text, float red, float green, float blue)
{
    const Color color = colorOf(text);
    EXPECT_EQ(color.red, red) << '"' << text << '"';
    EXPECT_EQ(color.green, green) << '"' << text << '"';
    EXPECT_EQ(color.blue, blue) << '"' << text << '"';
}

Settings settingsFrom(const std::string& text)
{
    IniData store = parseIniText(text);
    return interpretSettings(store);
}

Settings shown(bool date, bool time, bool battery, int marginX, int marginY)
{
    Settings settings{24.0f, 12.0f, marginX, marginY, Color{255, 255, 255}, date, time, battery};
    return settings;
}

constexpr float kNoNumber = -7.5f;

} // namespace

TEST(HexColor, SixDigitsInEitherCase)
{
    expectColor("#FF8000", 255, 128, 0);
    expectColor("#ff8000", 255, 128, 0);
    expectColor("#000000", 0, 0, 0);
    expectColor("#FFFFFF", 255, 255, 255);
    expectColor("#0a0B0c", 10, 11, 12);
}

TEST(HexColor, WrongShapeGivesCyan)
{
    expectColor("#FFF", 0, 255, 255);
    expectColor("FF8000", 0, 255, 255);
    expectColor("", 0, 255, 255);
    expectColor("#FF80000", 0, 255, 255);
    expectColor(" #FF8000", 0, 255, 255);
    expectColor("#FF8000\r", 0, 255, 255);
    expectColor("0xFF8000", 0, 255, 255);
}

TEST(HexColor, PairsShareOneStreamOfDigits)
{
    expectColor("# FF000", 15, 240, 0);
    expectColor("#-10000", -1, 0, 0);
    expectColor("#0x1234", 0, 18, 52);
    expectColor("#GG0000", 0, 0, 0);
    expectColor("#FFGG00", 255, 0, 0);
    expectColor("#1-2345", 1, -0x23, 0x45);
}

TEST(GlyphMeasure, LongestNumberAtTheStartIsUsed)
{
    const struct {
        const char* text;
        float value;
        bool tail;
    } cases[] = {
        {"24px", 24, true},        {" 16", 16, false},       {"\t\v\f\r\n16", 16, false}, {"+3", 3, false},
        {"-3", -3, false},         {"12.75", 12.75f, false}, {".5", 0.5f, false},         {"1.5e1", 15, false},
        {"1e", 1, true},           {"0", 0, false},          {"16 24", 16, true},         {"0x1p3", 8, false},
        {"0X1P3", 8, false},       {"-0x1p3", -8, false},    {"0x18", 24, false},         {"0x.8", 0.5f, false},
        {"0x", 0, true},           {"0xg", 0, true},         {"0x-1p3", 0, true},         {"10000", 10000, false},
        {"-10000", -10000, false}, {"0x2710", 10000, false}, {"1e4", 10000, false},
    };
    for (const auto& c : cases) {
        const NumberReading<float> reading = readGlyphMeasure(c.text, kNoNumber);
        EXPECT_EQ(reading.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(reading.problem, NumberProblem::None) << '"' << c.text << '"';
        EXPECT_EQ(reading.ignoredTail, c.tail) << '"' << c.text << '"';
    }
}

TEST(GlyphMeasure, EachReasonToFallBack)
{
    const struct {
        NumberProblem problem;
        std::vector<std::string> texts;
    } cases[] = {
        {NumberProblem::NoNumber,
         {"", "   ", "abc", "px24", "+", "-", ".", "+-3", "--3", "-+3", "- 3", "e5",
          "\xEF\xBB\xBF"
          "24"}},
        {NumberProblem::NotFinite, {"nan", "NaN", "-nan", "nan(1)", "inf", "-inf", "+INF", "infinity"}},
        {NumberProblem::OutOfRange, {"1e309", "-1e309", "1e39", "1e-50"}},
        {NumberProblem::BeyondLimit, {"10000.001", "-10001", "1e5", "0x2711"}},
        {NumberProblem::Subnormal, {"1e-40", "-1e-45", "0x1p-130"}},
    };
    for (const auto& c : cases)
        for (const std::string& text : c.texts) {
            const NumberReading<float> reading = readGlyphMeasure(text, kNoNumber);
            EXPECT_EQ(reading.value, kNoNumber) << '"' << text << '"';
            EXPECT_EQ(reading.problem, c.problem) << '"' << text << '"';
        }
}

TEST(Margin, LongestDecimalIntegerAtTheStartIsUsed)
{
    const struct {
        const char* text;
        int value;
        bool tail;
    } cases[] = {
        {"10", 10, false},
        {" 16", 16, false},
        {"+3", 3, false},
        {"-30", -30, false},
        {"12.9", 12, true},
        {"-12.9", -12, true},
        {"24px", 24, true},
        {"007", 7, false},
        {"0", 0, false},
        {"0x10", 0, true},
        {"1e3", 1, true},
        {"1000000", 1000000, false},
        {"-1000000", -1000000, false},
    };
    for (const auto& c : cases) {
        const NumberReading<int> reading = readMargin(c.text, -7);
        EXPECT_EQ(reading.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(reading.problem, NumberProblem::None) << '"' << c.text << '"';
        EXPECT_EQ(reading.ignoredTail, c.tail) << '"' << c.text << '"';
    }
    // What follows a zero byte inside the value is ignored too.
    EXPECT_TRUE(readMargin(std::string("5\0"
                                       "9",
                                       3),
                           -7)
                    .ignoredTail);
}

TEST(Margin, EachReasonToFallBack)
{
    for (const char* text : {"", " ", "abc", "+", "-", "+-3", "--3", ".5", "x10", "- 3"})
        EXPECT_EQ(readMargin(text, -7).problem, NumberProblem::NoNumber) << '"' << text << '"';
    for (const char* text : {"1000001", "-1000001", "2147483647"})
        EXPECT_EQ(readMargin(text, -7).problem, NumberProblem::BeyondLimit) << '"' << text << '"';
    for (const char* text : {"99999999999999999999999", "-99999999999999999999999"})
        EXPECT_EQ(readMargin(text, -7).problem, NumberProblem::OutOfRange) << '"' << text << '"';
    // Where the conversion's own range ends depends on the size of long.
    for (const char* text : {"2147483648", "-2147483649", "1000001", "-99999999999999999999999"})
        EXPECT_EQ(readMargin(text, -7).value, -7) << '"' << text << '"';
}

TEST(InterpretSettings, ReadsEveryKnownKey)
{
    const Settings settings = settingsFrom("[Style]\nfont_size=16\nfont_spacing=9.5\ntext_color=#FF8000\n"
                                           "[Position]\nmargin_x=10\nmargin_y=-5\n"
                                           "[Display]\nshow_date=true\nshow_time=false\nshow_battery=true\n");
    EXPECT_EQ(settings.fontSize, 16.0f);
    EXPECT_EQ(settings.fontSpacing, 9.5f);
    EXPECT_EQ(settings.marginX, 10);
    EXPECT_EQ(settings.marginY, -5);
    EXPECT_EQ(settings.color.red, 255.0f);
    EXPECT_EQ(settings.color.green, 128.0f);
    EXPECT_EQ(settings.color.blue, 0.0f);
    EXPECT_TRUE(settings.showDate);
    EXPECT_FALSE(settings.showTime);
    EXPECT_TRUE(settings.showBattery);
}

TEST(InterpretSettings, KeysInTheWrongSectionDoNotCount)
{
    const Settings settings = settingsFrom("font_size=16\n[Display]\nmargin_x=10\n[style]\nshow_date=true\n");
    EXPECT_EQ(settings.fontSize, 24.0f);
    EXPECT_EQ(settings.marginX, 0);
    EXPECT_FALSE(settings.showDate);
}

TEST(InterpretSettings, OnlyExactlyTrueSwitchesALineOn)
{
    for (const char* value : {"True", "TRUE", "1", "yes", "on", "true\r", "truex", "\vtrue", ""}) {
        IniData store;
        store["Display"]["show_date"] = value;
        store["Display"]["show_time"] = value;
        store["Display"]["show_battery"] = value;
        const Settings settings = interpretSettings(store);
        EXPECT_FALSE(settings.showDate || settings.showTime || settings.showBattery) << '"' << value << '"';
    }
    EXPECT_TRUE(settingsFrom("[Display]\nshow_time =  true \t\n").showTime);
}

TEST(InterpretSettings, MissingKeysGetDefaultsAndAreInsertedEmpty)
{
    IniData store;
    store["return"]["failed"] = "false";
    const Settings settings = interpretSettings(store);
    EXPECT_EQ(settings.fontSize, 24.0f);
    EXPECT_EQ(settings.fontSpacing, 12.0f);
    EXPECT_EQ(settings.marginX, 0);
    EXPECT_EQ(settings.marginY, 0);
    EXPECT_EQ(settings.color.red, 0.0f);
    EXPECT_EQ(settings.color.green, 255.0f);
    EXPECT_EQ(settings.color.blue, 255.0f);
    EXPECT_FALSE(settings.showDate || settings.showTime || settings.showBattery);

    const IniData& inserted = store;
    const std::pair<const char*, const char*> keys[] = {
        {"Style", "font_size"},   {"Style", "font_spacing"}, {"Style", "text_color"},  {"Position", "margin_x"},
        {"Position", "margin_y"}, {"Display", "show_date"},  {"Display", "show_time"}, {"Display", "show_battery"}};
    for (const auto& key : keys) {
        ASSERT_EQ(inserted.count(key.first), 1u) << key.first;
        ASSERT_EQ(inserted.at(key.first).count(key.second), 1u) << key.second;
        EXPECT_EQ(inserted.at(key.first).at(key.second), "") << key.second;
    }
    EXPECT_EQ(inserted.at("Style").size(), 3u);
    EXPECT_EQ(inserted.at("Position").size(), 2u);
    EXPECT_EQ(inserted.at("Display").size(), 3u);
    EXPECT_EQ(inserted.at("return").at("failed"), "false");
}

TEST(InterpretSettings, EachBadNumberFallsBackOnItsOwn)
{
    const Settings settings =
        settingsFrom("[Style]\nfont_size=inf\nfont_spacing=big\n[Position]\nmargin_x=2000000\nmargin_y=\n");
    EXPECT_EQ(settings.fontSize, 24.0f);
    EXPECT_EQ(settings.fontSpacing, 12.0f);
    EXPECT_EQ(settings.marginX, 0);
    EXPECT_EQ(settings.marginY, 0);

    const Settings mixed =
        settingsFrom("[Style]\nfont_size=1e9\nfont_spacing=7\n[Position]\nmargin_x=24px\nmargin_y=-2147483649\n");
    EXPECT_EQ(mixed.fontSize, 24.0f);
    EXPECT_EQ(mixed.fontSpacing, 7.0f);
    EXPECT_EQ(mixed.marginX, 24);
    EXPECT_EQ(mixed.marginY, 0);
}

TEST(LayoutItems, OnlyBatteryIsAtTheMargins)
{
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(shown(false, false, true, 10, 5), placements), 1);
    EXPECT_EQ(placements[0].kind, ItemKind::Battery);
    EXPECT_EQ(placements[0].x, 10);
    EXPECT_EQ(placements[0].y, 5);
}

TEST(LayoutItems, AllThreeStackDateTimeBattery)
{
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(shown(true, true, true, 10, 5), placements), 3);
    const ItemKind kinds[3] = {ItemKind::Date, ItemKind::Time, ItemKind::Battery};
    const int ys[3] = {5, 27, 49};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(placements[i].kind, kinds[i]) << i;
        EXPECT_EQ(placements[i].x, 10) << i;
        EXPECT_EQ(placements[i].y, ys[i]) << i;
    }
}

TEST(LayoutItems, NoGapForALineThatIsOff)
{
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(shown(true, false, true, 0, 0), placements), 2);
    EXPECT_EQ(placements[0].kind, ItemKind::Date);
    EXPECT_EQ(placements[0].y, 0);
    EXPECT_EQ(placements[1].kind, ItemKind::Battery);
    EXPECT_EQ(placements[1].y, 22);

    ASSERT_EQ(layoutItems(shown(false, true, true, 0, 3), placements), 2);
    EXPECT_EQ(placements[0].kind, ItemKind::Time);
    EXPECT_EQ(placements[0].y, 3);
    EXPECT_EQ(placements[1].kind, ItemKind::Battery);
    EXPECT_EQ(placements[1].y, 25);
}

TEST(LayoutItems, NothingShownPlacesNothing)
{
    ItemPlacement placements[3];
    EXPECT_EQ(layoutItems(shown(false, false, false, 10, 5), placements), 0);
}

TEST(LayoutItems, PitchIgnoresTheGlyphSize)
{
    Settings settings = shown(true, true, false, 0, 0);
    settings.fontSize = 80.0f;
    settings.fontSpacing = 2.0f;
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(settings, placements), 2);
    EXPECT_EQ(placements[1].y - placements[0].y, 22);
}

TEST(LayoutItems, NegativeAndExtremeMargins)
{
    ItemPlacement placements[3];
    ASSERT_EQ(layoutItems(shown(true, true, true, -50, -30), placements), 3);
    EXPECT_EQ(placements[0].x, -50);
    EXPECT_EQ(placements[0].y, -30);
    EXPECT_EQ(placements[1].y, -8);
    EXPECT_EQ(placements[2].y, 14);

    ASSERT_EQ(layoutItems(shown(true, true, true, -1000000, 1000000), placements), 3);
    EXPECT_EQ(placements[2].x, -1000000);
    EXPECT_EQ(placements[2].y, 1000044);
}

TEST(LayoutItems, FromASettingsFile)
{
    ItemPlacement placements[3];
    const Settings settings =
        settingsFrom("[Position]\nmargin_x=-4\nmargin_y=5\n[Display]\nshow_time=true\nshow_battery=true\n");
    ASSERT_EQ(layoutItems(settings, placements), 2);
    EXPECT_EQ(placements[0].kind, ItemKind::Time);
    EXPECT_EQ(placements[0].x, -4);
    EXPECT_EQ(placements[0].y, 5);
    EXPECT_EQ(placements[1].kind, ItemKind::Battery);
    EXPECT_EQ(placements[1].x, -4);
    EXPECT_EQ(placements[1].y, 27);
}
