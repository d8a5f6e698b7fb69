// Hostile settings, atlas and icon files, each made at test time and run
// against the real exe: it comes up and closes cleanly, or ends at once
// when it has no usable icon; never a crash, a hang or a dialog.
#include "halvesta_session.h"
#include "probe_client.h"
#include "strip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// "Time HH:MM:SS"
constexpr int kTimeGlyphs = 13;

enum class Outcome { Runs, EndsAtOnce, RunsOrEndsAtOnce };
enum class Picture { Unchecked, Empty, TimeLine };

// Where the time line's glyph squares must fall when the picture is known.
struct Band {
    int x = 40;
    int y = 10;
    int size = 24;
    int spacing = 24;
};

struct HostileCase {
    std::string name;
    std::function<void(const HalvestaRun&)> prepare;
    Outcome outcome;
    Picture picture = Picture::Unchecked;
    Band band = {};
};

// --- input makers ---------------------------------------------------------

struct Numbers {
    std::string fontSize = "24";
    std::string spacing = "24";
    std::string marginX = "40";
    std::string marginY = "10";
};

std::string timeLineSettings(const Numbers& numbers = {}, const std::string& eol = "\n")
{
    return "[Style]" + eol + "font_size=" + numbers.fontSize + eol + "font_spacing=" + numbers.spacing + eol
        + "text_color=#FFFFFF" + eol + "[Position]" + eol + "margin_x=" + numbers.marginX + eol
        + "margin_y=" + numbers.marginY + eol + "[Display]" + eol + "show_date=false" + eol + "show_time=true" + eol
        + "show_battery=false" + eol;
}

std::string pseudoRandomBytes(size_t count, uint32_t seed)
{
    std::string bytes(count, '\0');
    uint32_t state = seed;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

uint32_t crc32Of(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string bigEndian32(uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string pngChunk(const std::string& type, const std::string& data)
{
    return bigEndian32(static_cast<uint32_t>(data.size())) + type + data + bigEndian32(crc32Of(type + data));
}

// One stored deflate block in a zlib wrapper.
std::string zlibStored(const std::string& raw)
{
    uint32_t a = 1;
    uint32_t b = 0;
    for (const char c : raw) {
        a = (a + static_cast<unsigned char>(c)) % 65521u;
        b = (b + a) % 65521u;
    }
    const uint16_t length = static_cast<uint16_t>(raw.size());
    const uint16_t inverse = static_cast<uint16_t>(~length);
    std::string out = "\x78\x01";
    out += '\x01';
    out += {static_cast<char>(length & 0xFF), static_cast<char>(length >> 8), static_cast<char>(inverse & 0xFF),
            static_cast<char>(inverse >> 8)};
    return out + raw + bigEndian32((b << 16) | a);
}

// A well-formed PNG whose header claims 65535 x 65535 RGBA pixels while
// its data holds a few rows at most.
std::string hugeClaimPng()
{
    const std::string header = bigEndian32(65535) + bigEndian32(65535) + std::string("\x08\x06\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
        + pngChunk("IDAT", zlibStored(std::string(4096, '\0'))) + pngChunk("IEND", "");
}

void replaceWithFolder(const std::string& path)
{
    removeTree(path);
    std::filesystem::create_directory(path);
}

std::function<void(const HalvestaRun&)> withSettings(const std::string& text)
{
    return [text](const HalvestaRun& run) { run.writeConfig(text); };
}

std::function<void(const HalvestaRun&)> withNumbers(const Numbers& numbers)
{
    return withSettings(timeLineSettings(numbers));
}

std::string tenMegabytesOfEntries()
{
    std::string text = "[Noise]\n";
    text.reserve(10u * 1024 * 1024 + 4096);
    char key[32];
    for (int i = 0; text.size() < 10u * 1024 * 1024; ++i) {
        std::snprintf(key, sizeof key, "key%07d=", i);
        text += key;
        text.append(52, 'v');
        text += '\n';
    }
    return text + timeLineSettings();
}

std::string thousandsOfSections()
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "[Section" + std::to_string(i) + "]\nkey=value\n";
    return text + timeLineSettings();
}

std::string utf16LittleEndian(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string withoutLineFeeds(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', '\r');
    return text;
}

Band bandWith(int x, int y, int size, int spacing)
{
    Band band;
    band.x = x;
    band.y = y;
    band.size = size;
    band.spacing = spacing;
    return band;
}

std::vector<HostileCase> hostileCases()
{
    std::vector<HostileCase> cases;
    const Band usual;

    // 0x1A ends a file read in text mode; left out so the whole heap of
    // garbage reaches the reader.
    std::string garbage = pseudoRandomBytes(64 * 1024, 0x9E3779B9u);
    std::replace(garbage.begin(), garbage.end(), '\x1A', '\x1B');
    cases.push_back({"config_binary_garbage", withSettings(garbage), Outcome::Runs});
    cases.push_back(
        {"config_ten_megabytes", withSettings(tenMegabytesOfEntries()), Outcome::Runs, Picture::TimeLine, usual});
    Numbers longLine;
    longLine.marginX = std::string(1024 * 1024, '7');
    cases.push_back({"config_one_megabyte_line_margin", withNumbers(longLine), Outcome::Runs, Picture::TimeLine,
                     bandWith(0, 10, 24, 24)});
    // Values and keys are byte strings: a NUL inside makes them differ
    // from "true" and "show_battery".
    static const char nulEntries[] = "show_date=true\0junk\nshow_battery\0x=true\n[Style]\nfont_spacing=12\0"
                                     "99\n";
    cases.push_back({"config_nul_bytes",
                     withSettings(timeLineSettings() + std::string(nulEntries, sizeof nulEntries - 1)), Outcome::Runs,
                     Picture::TimeLine, bandWith(40, 10, 24, 12)});
    cases.push_back({"config_cr_only", withSettings(withoutLineFeeds(timeLineSettings())), Outcome::Runs});
    cases.push_back(
        {"config_cr_lf", withSettings(timeLineSettings(Numbers(), "\r\n")), Outcome::Runs, Picture::TimeLine, usual});
    // Only the first section, right after the mark, switches the line on.
    std::string afterMark = timeLineSettings();
    afterMark.erase(afterMark.find("show_time=true\n"), 15);
    cases.push_back({"config_utf8_bom", withSettings("\xEF\xBB\xBF[Display]\nshow_time=true\n" + afterMark),
                     Outcome::Runs, Picture::TimeLine, usual});
    cases.push_back({"config_utf16_le_bom", withSettings(utf16LittleEndian(timeLineSettings())), Outcome::Runs});
    cases.push_back(
        {"config_thousands_of_sections", withSettings(thousandsOfSections()), Outcome::Runs, Picture::TimeLine, usual});
    cases.push_back({"config_is_a_folder", [](const HalvestaRun& run) { replaceWithFolder(run.path("config.ini")); },
                     Outcome::Runs, Picture::Empty});

    // Numbers out of range or without geometry fall back to the defaults:
    // glyph size 24, advance 12, margins 0.
    const struct {
        const char* name;
        Numbers numbers;
        Band band;
    } numberCases[] = {
        {"font_size_1e309", {"1e309", "24", "40", "10"}, usual},
        {"font_size_nan", {"nan", "24", "40", "10"}, usual},
        {"font_size_inf", {"inf", "24", "40", "10"}, usual},
        {"font_size_minus_2147483649", {"-2147483649", "24", "40", "10"}, usual},
        {"font_size_hex_float_0x1p3", {"0x1p3", "24", "40", "10"}, bandWith(40, 10, 8, 24)},
        {"font_spacing_1e309", {"24", "1e309", "40", "10"}, bandWith(40, 10, 24, 12)},
        {"font_spacing_minus_inf", {"24", "-inf", "40", "10"}, bandWith(40, 10, 24, 12)},
        {"margin_x_minus_2147483649", {"24", "24", "-2147483649", "10"}, bandWith(0, 10, 24, 24)},
        {"margins_minus_2147483648", {"24", "24", "-2147483648", "-2147483648"}, bandWith(0, 0, 24, 24)},
    };
    for (const auto& number : numberCases)
        cases.push_back({number.name, withNumbers(number.numbers), Outcome::Runs, Picture::TimeLine, number.band});

    // A missing or corrupt atlas shows no glyphs; the shipped settings have
    // all three lines on.
    const std::string atlas = "res/fira-code.png";
    cases.push_back(
        {"atlas_truncated_to_100_bytes",
         [atlas](const HalvestaRun& run) { writeBytes(run.path(atlas), readBytes(run.path(atlas)).substr(0, 100)); },
         Outcome::Runs, Picture::Empty});
    cases.push_back({"atlas_empty", [atlas](const HalvestaRun& run) { writeBytes(run.path(atlas), ""); }, Outcome::Runs,
                     Picture::Empty});
    cases.push_back({"atlas_not_a_png",
                     [atlas](const HalvestaRun& run) { writeBytes(run.path(atlas), "This is not an image.\n"); },
                     Outcome::Runs, Picture::Empty});
    cases.push_back({"atlas_claims_65535_square",
                     [atlas](const HalvestaRun& run) { writeBytes(run.path(atlas), hugeClaimPng()); }, Outcome::Runs,
                     Picture::Empty});
    cases.push_back({"atlas_is_a_folder", [atlas](const HalvestaRun& run) { replaceWithFolder(run.path(atlas)); },
                     Outcome::Runs, Picture::Empty});

    // No usable icon: the program ends right after start-up.
    std::string noise = pseudoRandomBytes(4096, 0x2545F491u);
    noise[2] = '\x7F'; // not an icon directory's type field
    cases.push_back({"icon_random_bytes", [noise](const HalvestaRun& run) { writeBytes(run.path("icon.ico"), noise); },
                     Outcome::EndsAtOnce});
    cases.push_back(
        {"icon_empty", [](const HalvestaRun& run) { writeBytes(run.path("icon.ico"), ""); }, Outcome::EndsAtOnce});
    cases.push_back({"icon_is_a_folder", [](const HalvestaRun& run) { replaceWithFolder(run.path("icon.ico")); },
                     Outcome::EndsAtOnce});
    // The directory survives but its image is cut off: whether the system
    // still makes an icon of it is its business.
    cases.push_back({"icon_truncated_to_100_bytes",
                     [](const HalvestaRun& run) {
                         writeBytes(run.path("icon.ico"), readBytes(run.path("icon.ico")).substr(0, 100));
                     },
                     Outcome::RunsOrEndsAtOnce});
    return cases;
}

// --- picture checks --------------------------------------------------------

// Everything drawn lies inside the band of the 13 glyph squares and their
// shadow; the glyphs are tall enough for the size and reach the last cell.
std::string checkTimeLine(const Screenshot& shot, const Band& band)
{
    if (shot.width < kStripWidth)
        return "no screenshot";
    const int right = band.x + (kTimeGlyphs - 1) * band.spacing + band.size;
    const int bottom = band.y + band.size;
    int brightCount = 0;
    int brightTop = kStripHeight;
    int brightBottom = -1;
    int brightRight = -1;
    std::string outside;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x) {
            const Rgb p = shot.at(x, y);
            if (p == Rgb{0, 0, 0})
                continue;
            if ((x < band.x || x > right || y < band.y || y > bottom) && outside.empty())
                outside = "pixel drawn outside the band at " + std::to_string(x) + "," + std::to_string(y) + "; ";
            if (!isDark(p)) {
                ++brightCount;
                brightTop = std::min(brightTop, y);
                brightBottom = std::max(brightBottom, y);
                brightRight = std::max(brightRight, x);
            }
        }
    std::string problems = outside;
    if (brightCount < 2 * band.size)
        return problems + "only " + std::to_string(brightCount) + " glyph pixels";
    if (brightBottom - brightTop + 1 < band.size / 2)
        problems += "glyphs only " + std::to_string(brightBottom - brightTop + 1) + " pixels tall; ";
    if (brightRight <= band.x + (kTimeGlyphs - 1) * band.spacing)
        problems += "last glyph ends at x " + std::to_string(brightRight) + "; ";
    return problems;
}

// --- the run ---------------------------------------------------------------

class Files : public ::testing::TestWithParam<HostileCase> {
protected:
    void TearDown() override
    {
        ++tried;
        if (!HasFailure())
            ++passed;
    }
    static void TearDownTestSuite()
    {
        std::printf("hostile files: %d cases tried, %d came through cleanly\n", tried, passed);
    }
    static int tried;
    static int passed;
};

int Files::tried = 0;
int Files::passed = 0;

TEST_P(Files, ComeThroughWithoutCrashHangOrDialog)
{
    const HostileCase& hostile = GetParam();
    HalvestaRun run;
    hostile.prepare(run);
    run.launchOnly();

    int dialogs = 0;
    int exitCode = -1;
    bool exited = false;
    bool up = false;
    const bool settled = waitUntil(
        [&] {
            dialogs = std::max(dialogs, countWindows("#32770"));
            if (hasExited(run.process, exitCode)) {
                exited = true;
                return true;
            }
            const WindowFacts strip = findWindow(kStripClass);
            up = strip.exists && strip.number("visible") == 1 && probe().ask("iconexists") == "exists=1";
            return up;
        },
        30000);
    ASSERT_TRUE(settled) << "neither came up nor ended within 30 s";

    if (exited) {
        EXPECT_NE(hostile.outcome, Outcome::Runs) << "ended at once with exit code " << exitCode;
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(countWindows(kStripClass), 0);
    } else {
        EXPECT_NE(hostile.outcome, Outcome::EndsAtOnce) << "came up without a usable icon";
        if (hostile.picture == Picture::Empty) {
            EXPECT_EQ(checkEmptyStrip(run.screenshot(hostile.name)), "");
        } else if (hostile.picture == Picture::TimeLine) {
            const auto problems = [&](const Screenshot& shot) { return checkTimeLine(shot, hostile.band); };
            EXPECT_EQ(run.screenshotUntil(hostile.name, problems), "");
        }
        dialogs = std::max(dialogs, countWindows("#32770"));
        EXPECT_TRUE(run.running()) << "ended while running";
        EXPECT_EQ(run.closeAndWait(), 0);
    }
    EXPECT_EQ(dialogs, 0) << "a dialog appeared";
    EXPECT_EQ(readBytes(run.path("wine.log")).find("Unhandled"), std::string::npos) << readBytes(run.path("wine.log"));
}

INSTANTIATE_TEST_SUITE_P(Hostile, Files, ::testing::ValuesIn(hostileCases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

} // namespace
