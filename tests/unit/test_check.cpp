// halvesta-check on small settings files: each kind of finding on the line
// it belongs to, the exit status, and a JSON document that stays valid for
// any bytes.
#include "check/findings.h"
#include "check/preview.h"
#include "check/report.h"
#include "json_validator.h"
#include "test_files.h"

#include <gtest/gtest.h>

#ifdef HALVESTA_CHECK
#include <sys/wait.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kSource = HALVESTA_SOURCE_DIR;

const RgbaPixels& shippedAtlas()
{
    static const RgbaPixels atlas = loadImage(kSource + "/res/fira-code.png");
    return atlas;
}

// A program folder of its own: config.ini and, when asked, the atlas.
class Folder : public ScratchDir {
public:
    std::string writeSettings(const std::string& bytes) const
    {
        write("config.ini", bytes);
        return file("config.ini");
    }
    void addAtlas() const
    {
        fs::create_directories(file("res"));
        fs::copy_file(kSource + "/res/fira-code.png", file("res/fira-code.png"));
    }
};

// "LINE:kind" for each finding, in the order reported (0 for none).
std::vector<std::string> kindsOf(const CheckResult& result)
{
    std::vector<std::string> kinds;
    for (const Finding& finding : result.findings)
        kinds.push_back(std::to_string(finding.line) + ":" + kindName(finding.kind));
    return kinds;
}

CheckResult checkBytes(const std::string& bytes, const RgbaPixels& atlas = shippedAtlas())
{
    Folder folder;
    return checkConfig(folder.writeSettings(bytes), atlas);
}

const std::string kShipped = readBytes(kSource + "/res/config.ini");

const std::string kTimeOnly = "[Display]\nshow_time=true\n";

struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> kinds;
    std::vector<std::string> says; // in the messages, in this order
};

const std::vector<Case> kCases = {
    {"byte-order mark", "\xEF\xBB\xBF" + kShipped, {}, {}},
    {"show false", "[Display]\nshow_date=false\nshow_time=true\n", {}, {}},
    {"section in the wrong case",
     "[DISPLAY]\nshow_date=true\n" + kTimeOnly,
     {"1:unknown-section"},
     {"did you mean [Display]? Names are case-sensitive"}},
    {"mistyped key and values that are not true",
     "[Display]\nshow-date = true\nshow_time = True\nshow_battery = 1\n",
     {"2:unknown-key", "3:not-true", "4:not-true", "0:no-line-shown"},
     {"did you mean show_date?", "\"True\" leaves the time line off", "\"1\" leaves the battery line off"}},
    {"key under another section and before any section",
     "font_size=30\n[Display]\nmargin_x=4\nshow_time=true\n[Style]\nsize=20\n",
     {"1:outside-section", "3:wrong-section", "6:unknown-key"},
     {"put it under [Style]", "belongs under [Position]", "knows no key size under [Style]"}},
    {"comment after a value",
     "[Style]\nfont_size = 24 ; big\ntext_color = #FF8000 #orange\n" + kTimeOnly,
     {"2:comment-in-value", "2:ignored-tail", "3:comment-in-value", "3:not-seven-characters"},
     {}},
    {"numbers the program does not use",
     "[Style]\nfont_size=big\nfont_spacing=1e99\n[Position]\nmargin_x=2000000\nmargin_y=99999999999999999999\n"
         + kTimeOnly,
     {"2:not-a-number", "3:out-of-range", "5:beyond-limit", "6:out-of-range"},
     {"the strip uses the default, 24", "the strip uses the default, 12", "the strip uses the default, 0"}},
    {"infinite, tiny and empty numbers",
     "[Style]\nfont_size=inf\nfont_spacing=1e-40\n[Position]\nmargin_x=\nmargin_y=12.5\n" + kTimeOnly,
     {"2:not-finite", "3:near-zero", "5:not-a-number", "6:ignored-tail"},
     {"the value is empty"}},
    {"colour without its #",
     "[Style]\ntext_color=00FFFF\n" + kTimeOnly,
     {"2:no-leading-hash"},
     {"has no leading # (#RRGGBB); the strip uses cyan, #00FFFF"}},
    {"colour given twice, the later one too short",
     "[Style]\ntext_color=#FF8000\n[Style]\ntext_color=#FFF\n" + kTimeOnly,
     {"2:duplicate-key", "4:not-seven-characters"},
     {"given again on line 4, whose value \"#FFF\" wins", "is not seven characters long"}},
    {"colour read as black",
     "[Style]\ntext_color=#GG0000\n" + kTimeOnly,
     {"2:not-hex-digits", "2:invisible-colour"},
     {"red 0, green 0, blue 0", "invisible"}},
    // Text mode leaves the first of two carriage returns on Windows too.
    {"stray lines",
     "[Display\njust words\r\r\n" + kTimeOnly,
     {"1:stray-line", "2:stray-line"},
     {"does not end in ]", "(it ends in a carriage return)"}},
    {"UTF-16 without its mark",
     std::string("[\0D\0]\0\n\0", 8),
     {"0:utf-16", "0:no-line-shown"},
     {"without a byte-order mark", "save it as UTF-8"}},
    {"line past the right edge",
     "[Position]\nmargin_x=400\n[Display]\nshow_battery=true\n",
     {"0:line-cut-off"},
     {"\"Battery 100% (On Battery)\") spans x 400 to 712, y 0 to 24: what lies past the right edge"}},
    {"line below the strip", "[Position]\nmargin_y=100\n" + kTimeOnly, {"0:line-off-strip"}, {"wholly outside"}},
    {"glyphs taller than the pitch",
     "[Style]\nfont_size=40\nfont_spacing=20\n[Display]\nshow_date=true\nshow_time=true\n",
     {"2:lines-overlap"},
     {"the date and time lines overlap"}},
    {"size 0, then a key the program does not know",
     "[Style]\nfont_size=0\nsize=1\n" + kTimeOnly,
     {"2:glyph-size-zero", "3:unknown-key"},
     {}},
    {"negative size",
     "[Style]\nfont_size=-24\n[Position]\nmargin_x=300\nmargin_y=50\n" + kTimeOnly,
     {"2:glyph-size-negative"},
     {}},
};

TEST(Check, EachKindOfFindingOnItsLine)
{
    for (const Case& c : kCases) {
        const CheckResult result = checkBytes(c.bytes);
        EXPECT_EQ(kindsOf(result), c.kinds) << c.name;
        EXPECT_EQ(result.exitStatus(), c.kinds.empty() ? 0 : 1) << c.name;
        std::string messages;
        for (const Finding& finding : result.findings)
            messages += finding.message + "\n";
        std::size_t from = 0;
        for (const std::string& said : c.says) {
            const std::size_t found = messages.find(said, from);
            EXPECT_NE(found, std::string::npos) << c.name << ": no \"" << said << "\" in\n" << messages;
            from = found == std::string::npos ? from : found;
        }
        const std::string json = jsonReport(result);
        EXPECT_TRUE(JsonValidator::valid(json)) << c.name << "\n" << json;
        EXPECT_EQ(json.find("\"line\": 0"), std::string::npos) << c.name << ": no line is null\n" << json;
        EXPECT_NE(json.find("\"exit_status\": " + std::to_string(result.exitStatus()) + "\n"), std::string::npos)
            << c.name;
    }
}

// With its mark, UTF-16 is read as the program reads it: a note, no finding.
TEST(Check, Utf16WithItsMarkIsReadAsText)
{
    const std::string text = "[Style]\r\nfont_size=30\r\n" + kTimeOnly;
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (const char c : text) {
        little += std::string{c, '\0'};
        big += std::string{'\0', c};
    }
    for (const auto& [bytes, name, order] :
         {std::tuple{little, "utf-16le", "little-endian"}, std::tuple{big, "utf-16be", "big-endian"}}) {
        const CheckResult result = checkBytes(bytes);
        EXPECT_EQ(kindsOf(result), std::vector<std::string>{}) << name;
        EXPECT_EQ(result.uses[0].effective, "30") << name;
        const std::string json = jsonReport(result);
        EXPECT_NE(json.find("\"byte_order_mark\": true,\n  \"encoding\": \"" + std::string(name) + "\""),
                  std::string::npos)
            << json;
        EXPECT_NE(peopleReport(result).find(std::string("UTF-16 (") + order + ") with its byte-order mark"),
                  std::string::npos)
            << peopleReport(result);
    }
    EXPECT_NE(jsonReport(checkBytes(text)).find("\"encoding\": \"utf-8\""), std::string::npos);
}

// The shipped file: every setting written, every line on, no findings.
TEST(Check, ShippedSettingsShowEveryLineAsWritten)
{
    const CheckResult result = checkBytes(kShipped);
    EXPECT_EQ(kindsOf(result), std::vector<std::string>{});
    for (const SettingUse& use : result.uses)
        EXPECT_NE(use.line, 0) << use.key << " is not written";
    for (const SettingUse& use : result.uses)
        if (std::string(use.section) == "Display") {
            EXPECT_EQ(use.effective, "on") << use.key;
        }
}

TEST(Check, SettingsSayWhereEachValueCameFrom)
{
    const CheckResult result = checkBytes(
        "[Style]\nfont_size=16px\nfont_size=30\n[Position]\nmargin_x=3\nmargin_y=7\n[Display]\nshow_time=true\n");
    ASSERT_EQ(result.uses.size(), 8u);
    EXPECT_STREQ(result.uses[0].key, "font_size");
    EXPECT_EQ(result.uses[0].effective, "30");
    EXPECT_EQ(result.uses[0].line, 3);
    EXPECT_EQ(result.uses[1].effective, "12");
    EXPECT_EQ(result.uses[1].line, 0);
    EXPECT_EQ(result.uses[3].effective, "3");
    EXPECT_EQ(result.uses[4].effective, "7");
    EXPECT_EQ(result.uses[6].effective, "on");
    EXPECT_EQ(result.uses[7].effective, "off");
    // The ignored line's finding gives the value that wins.
    ASSERT_EQ(kindsOf(result), std::vector<std::string>{"2:duplicate-key"});
    EXPECT_EQ(result.findings[0].effective, "30");
}

// The README's example is what people read, byte for byte.
TEST(Check, ReadmeExampleIsWhatPeopleRead)
{
    const std::string readme = readBytes(kSource + "/README.md");
    const auto block = [&](const std::string& after) {
        const std::size_t opening = readme.find(after);
        const std::size_t start = readme.find('\n', opening + after.size()) + 1;
        return opening == std::string::npos ? std::string() : readme.substr(start, readme.find("```", start) - start);
    };
    const std::string settings = block("For example, this `config.ini`:\n\n```ini");
    const std::string output = block("gives:\n\n```");
    ASSERT_FALSE(settings.empty() || output.empty()) << "the README's example is not where it was";
    CheckResult result = checkBytes(settings);
    result.path = "config.ini";
    EXPECT_EQ(peopleReport(result), output);
}

TEST(Check, FileThatCannotBeReadGivesStatusTwo)
{
    Folder folder;
    const CheckResult missing = checkConfig(folder.file("none.ini"), shippedAtlas());
    EXPECT_EQ(kindsOf(missing), std::vector<std::string>{"0:file-missing"});
    EXPECT_EQ(missing.exitStatus(), 2);
    const CheckResult directory = checkConfig(folder.path(), shippedAtlas());
    EXPECT_EQ(kindsOf(directory), std::vector<std::string>{"0:file-is-folder"});
    EXPECT_EQ(directory.exitStatus(), 2);
    EXPECT_TRUE(JsonValidator::valid(jsonReport(directory)));
    EXPECT_NE(jsonReport(missing).find("\"exit_status\": 2\n"), std::string::npos) << jsonReport(missing);
}

TEST(Check, MissingAtlasMeansNoGlyphs)
{
    const CheckResult result = checkBytes(kShipped, RgbaPixels());
    EXPECT_EQ(kindsOf(result), std::vector<std::string>{"0:atlas-unreadable"});
}

TEST(CheckJson, ValidForHostileBytes)
{
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    const std::vector<std::string> inputs = {
        everyByte,
        "[St\xFFyle]\nfont\x80_size=\xC3\x28\n[Style]\nk\"\\=\x01\x7F\xED\xA0\x80\xF4\x90\x80\x80\n",
        "[Display]\nshow_date=tr\xE2\x82ue\nshow_time=\"\\u0000\"\n\xC0\xAF=\xEF\xBF\xBF\n",
        std::string("[Style]\ntext_color=#\0FFFFF\n", 23),
    };
    for (const std::string& input : inputs) {
        const CheckResult result = checkBytes(input);
        const std::string json = jsonReport(result);
        EXPECT_TRUE(JsonValidator::valid(json)) << json;
        EXPECT_TRUE(JsonValidator::valid("[" + jsonString(peopleReport(result)) + "]"));
    }
    // Each byte outside well-formed UTF-8 stands for itself, as Latin-1.
    EXPECT_EQ(jsonString("a\xFF\xC3\xA9\xC3"), "\"a\\u00ff\xC3\xA9\\u00c3\"");
}

#ifdef HALVESTA_CHECK
int runCheck(const std::string& folder, const std::string& arguments)
{
    const std::string command =
        "cd '" + folder + "' && '" + HALVESTA_CHECK + "' --no-wait " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CheckProgram, ExitStatusForPeopleAndScriptsAlike)
{
    Folder folder;
    folder.addAtlas();
    const struct {
        std::string config;
        std::string arguments;
        int status;
    } runs[] = {
        {kShipped, "", 0},
        {kShipped, "--json", 0},
        {"[display]\n", "", 1},
        {"[display]\n", "--json config.ini", 1},
        {kShipped, "missing.ini", 2},
        {kShipped, "--json res", 2},
        {kShipped, "--frobnicate", 3},
        {kShipped, "config.ini config.ini", 3},
        {kShipped, "--preview", 3},
        {kShipped, "--preview out.png --at 2026-13-01", 3},
        {kShipped, "--preview out.png --at '2026-12-09 17:45:16' --power 1,300", 3},
    };
    for (const auto& run : runs) {
        folder.writeSettings(run.config);
        EXPECT_EQ(runCheck(folder.path(), run.arguments), run.status) << run.arguments;
    }
    // Started elsewhere, it finds the atlas beside the settings file.
    const ScratchDir elsewhere;
    folder.writeSettings(kShipped);
    EXPECT_EQ(runCheck(elsewhere.path(), "'" + folder.file("config.ini") + "'"), 0);
}

// The README's preview is what the tool draws for the shipped settings.
TEST(CheckProgram, CommittedPreviewIsWhatTheToolDraws)
{
    Folder folder;
    folder.addAtlas();
    folder.writeSettings(kShipped);
    ASSERT_EQ(runCheck(folder.path(), "--preview preview.png --at '2026-12-09 17:45:16' --power 1,87"), 0);
    EXPECT_TRUE(readBytes(folder.file("preview.png")) == readBytes(kSource + "/docs/check-preview.png"))
        << "docs/check-preview.png differs from what halvesta-check draws; regenerate it with tools/check-preview.sh";
}
#endif

} // namespace
