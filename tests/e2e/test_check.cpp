// halvesta-check.exe from the release folder: its preview of a config is
// the strip the real program draws with it, pixel for pixel.
#include "halvesta_session.h"
#include "strip_reader.h"

#include "json_validator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
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
    int differing = 0;
    std::string first; // where the first difference is, for the message
};

// The screenshot's black is the preview's transparency. The text colour
// and the transparent pixels must match exactly; shadow and glyph edges,
// where blending rounds, within 1 per channel.
Comparison compare(const Screenshot& shot, const RgbaImage& preview, Rgb colour)
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
            if (exact ? got == want : near)
                continue;
            if (result.differing++ == 0) {
                std::ostringstream where;
                where << "(" << x << ", " << y << "): preview " << want.red << "," << want.green << "," << want.blue
                      << " alpha " << int(p[3]) << ", screen " << got.red << "," << got.green << "," << got.blue;
                result.first = where.str();
            }
        }
    return result;
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
        const Comparison result = compare(shot, preview, c.colour);
        if (result.differing < best.differing) {
            best = result;
            bestMoment = moment(when);
        }
        if (result.differing == 0)
            break;
    }
    EXPECT_EQ(best.differing, 0) << "closest preview, at " << bestMoment << ", first differs at " << best.first;
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
