// halvesta-check.exe from the release folder: its preview of a config is
// the strip the real program draws with it, pixel for pixel but for the
// ties the preview library names.
#include "halvesta_session.h"
#include "strip_reader.h"

#include "check/findings.h"
#include "check/line_texts.h"
#include "check/preview.h"

#include "json_validator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string config(const std::string& style, const std::string& position, const std::string& display)
{
    return "[Style]\n" + style + "[Position]\n" + position + "[Display]\n" + display;
}

const std::string kAllLines = "show_date=true\nshow_time=true\nshow_battery=true\n";

// Runs the checker in the program's folder; its exit status, or -1.
int runCheck(const HalvestaRun& run, const std::vector<std::string>& arguments, const std::string& output)
{
    std::vector<std::string> command = {"halvesta-check.exe", "--no-wait"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildProcess child = startWine(command, run.dir(), run.path(output));
    return waitForExit(child, std::chrono::seconds(30));
}

struct Comparison {
    int differing = 0;  // beyond what blending rounds, at pixels that are no tie
    int ties = 0;       // tie pixels in the strip
    int tiesDiffer = 0; // of them, those that differ
    std::string first;  // where the first difference is, for the message
};

// The screenshot's black is the preview's transparency. The text colour
// and the transparent pixels must match exactly; shadow and glyph edges,
// where blending rounds, within 1 per channel. A tie may differ.
Comparison compare(const Screenshot& shot, const RgbaImage& preview, Rgb colour, const std::vector<PixelTie>& ties)
{
    Comparison result;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x) {
            const uint8_t* p = preview.at(x, y);
            const Rgb want = p[3] == 0 ? Rgb{0, 0, 0} : Rgb{p[0], p[1], p[2]};
            const Rgb got = shot.at(x, y);
            const bool exact = p[3] == 0 || want == colour;
            const bool near = std::abs(got.red - want.red) <= 1 && std::abs(got.green - want.green) <= 1
                && std::abs(got.blue - want.blue) <= 1;
            const bool tie = ties[static_cast<std::size_t>(y) * kStripWidth + x].kind != TieKind::None;
            result.ties += tie;
            if (exact ? got == want : near)
                continue;
            if (tie) {
                ++result.tiesDiffer;
                continue;
            }
            if (result.differing++ == 0) {
                std::ostringstream where;
                where << "(" << x << ", " << y << "): preview " << want.red << "," << want.green << "," << want.blue
                      << " alpha " << int(p[3]) << ", screen " << got.red << "," << got.green << "," << got.blue;
                result.first = where.str();
            }
        }
    return result;
}

// The ties of the strip the checker drew at `when`: its power reading is
// the one under which the same library draws the same picture, ties aside.
bool tiesOf(const HalvestaRun& run, std::time_t when, const RgbaImage& preview, std::vector<PixelTie>& ties)
{
    const RgbaPixels atlas = loadImage(atlasPathFor(run.path("config.ini")));
    const CheckResult checked = checkConfig(run.path("config.ini"), atlas);
    const std::tm local = *std::localtime(&when);
    std::vector<PowerReading> readings = {{false, 0, 0}};
    for (int ac : {0, 1, 255})
        for (int percent = 0; percent <= 255; ++percent)
            readings.push_back({true, static_cast<unsigned char>(ac), static_cast<unsigned char>(percent)});
    std::set<std::string> tried;
    for (const PowerReading& power : readings) {
        const LineTexts texts = lineTextsAt(local, power);
        if (!tried.insert(texts.battery).second)
            continue;
        const std::vector<unsigned char> drawn = renderStrip(checked.settings, texts, atlas).rgba;
        ties = stripTies(checked.settings, texts, atlas);
        bool same = true;
        for (std::size_t i = 0; same && i < ties.size(); ++i)
            same = ties[i].kind != TieKind::None || std::equal(&drawn[i * 4], &drawn[i * 4] + 4, &preview.rgba[i * 4]);
        if (same)
            return true;
    }
    return false;
}

std::string moment(std::time_t when)
{
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&when)));
}

struct PreviewCase {
    const char* name;
    std::string config;
    Rgb colour;
};

// The real program's strip, then the checker's preview of the same config
// at the second the screenshot's time line shows: the seconds around the
// capture are tried in turn, the likeliest first. The battery and date
// lines must match in every one.
void expectPreviewMatchesStrip(const PreviewCase& c)
{
    SCOPED_TRACE(c.name);
    HalvestaRun run;
    run.writeConfig(c.config);
    ASSERT_TRUE(run.start()) << "the program did not come up";
    const std::time_t before = std::time(nullptr);
    const Screenshot shot = run.screenshot(c.name);
    const std::time_t after = std::time(nullptr);
    EXPECT_EQ(run.closeAndWait(), 0);
    ASSERT_GE(shot.width, kStripWidth);

    Comparison best;
    best.differing = kStripWidth * kStripHeight + 1;
    std::string bestMoment;
    for (const std::time_t when : {before, before - 1, after, after + 1}) {
        const std::string png = std::string(c.name) + "-preview.png";
        const int status = runCheck(run, {"--preview", png, "--at", moment(when)}, "check.log");
        ASSERT_TRUE(status == 0 || status == 1) << "halvesta-check.exe ended with " << status;
        const RgbaImage preview = loadRgba(run.path(png));
        ASSERT_EQ(preview.width, kStripWidth);
        ASSERT_EQ(preview.height, kStripHeight);
        std::vector<PixelTie> ties;
        ASSERT_TRUE(tiesOf(run, when, preview, ties)) << "no power reading draws the checker's preview";
        const Comparison result = compare(shot, preview, c.colour, ties);
        if (result.differing < best.differing) {
            best = result;
            bestMoment = moment(when);
        }
        if (result.differing == 0)
            break;
    }
    EXPECT_EQ(best.differing, 0) << "closest preview, at " << bestMoment << ", first differs at " << best.first;
    std::printf("%s: %d tie pixels, %d of them differ\n", c.name, best.ties, best.tiesDiffer);
}

TEST(CheckPreview, EqualsTheProgramsStrip)
{
    const PreviewCase cases[] = {
        {"default", readBytes(requiredEnv("HALVESTA_DIST") + "/config.ini"), Rgb{0xFF, 0xD2, 0x7F}},
        {"coloured",
         config("font_size=24\nfont_spacing=24\ntext_color=#3A9F5C\n", "margin_x=10\nmargin_y=4\n", kAllLines),
         Rgb{0x3A, 0x9F, 0x5C}},
        {"margins", config("text_color=#FFFFFF\n", "margin_x=-30\nmargin_y=60\n", kAllLines), Rgb{255, 255, 255}},
        {"overlapping-advance",
         config("font_size=32\nfont_spacing=14\ntext_color=#E05030\n", "margin_x=3\n", kAllLines),
         Rgb{0xE0, 0x50, 0x30}},
        {"cut-off-right",
         config("font_size=16\nfont_spacing=20\ntext_color=#80C0FF\n", "margin_x=420\nmargin_y=30\n", kAllLines),
         Rgb{0x80, 0xC0, 0xFF}},
    };
    for (const PreviewCase& c : cases)
        expectPreviewMatchesStrip(c);
}

// Sizes and steps at which pixel centres land on texel borders or on
// glyph edges.
TEST(CheckPreview, EqualsTheProgramsStripButForTies)
{
    const auto sized = [](const char* style) {
        return config(std::string(style) + "text_color=#FFFFFF\n", "margin_x=2\nmargin_y=1\n", kAllLines);
    };
    const Rgb white{255, 255, 255};
    const PreviewCase cases[] = {
        {"size-12", sized("font_size=12\nfont_spacing=12\n"), white},
        {"size-22", sized("font_size=22\nfont_spacing=22\n"), white},
        {"size-26", sized("font_size=26\nfont_spacing=20\n"), white},
        {"size-30", sized("font_size=30\nfont_spacing=18\n"), white},
        {"size-70", sized("font_size=70\nfont_spacing=40\n"), white},
        {"size-17.5", sized("font_size=17.5\nfont_spacing=17.5\n"), white},
        {"half-pixel-advance", sized("font_size=24\nfont_spacing=12.5\n"), white},
        {"negative-advance",
         config("font_size=22\nfont_spacing=-9\ntext_color=#E05030\n", "margin_x=380\nmargin_y=2\n", kAllLines),
         Rgb{0xE0, 0x50, 0x30}},
        {"negative-margins",
         config("font_size=26\nfont_spacing=19.5\ntext_color=#FFFFFF\n", "margin_x=-13\nmargin_y=-7\n", kAllLines),
         white},
    };
    for (const PreviewCase& c : cases)
        expectPreviewMatchesStrip(c);
}

// The checker runs from the unpacked release folder, for scripts too.
TEST(CheckPreview, JsonFromTheReleaseFolder)
{
    HalvestaRun run;
    run.writeConfig("[display]\nshow_date = True\n[Style]\ntext_color=#GG0000\nnote=caf\xE9\n");
    EXPECT_EQ(runCheck(run, {"--json"}, "check.json"), 1);
    const std::string json = readBytes(run.path("check.json"));
    EXPECT_TRUE(JsonValidator::valid(json)) << json;
    for (const char* kind : {"unknown-section", "not-hex-digits", "invisible-colour", "unknown-key", "no-line-shown"})
        EXPECT_NE(json.find(std::string("\"kind\": \"") + kind + "\""), std::string::npos) << kind << "\n" << json;
}

} // namespace
