// halvesta-check --doctor from the release folder under Wine: the folder
// and the machine as the program started from that folder would find them.
#include "halvesta_session.h"
#include "scratch_prefix.h"

#include "check/report.h"

#include "json_validator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Doctor {
    int status = -1;
    std::string output;
    std::map<std::string, std::string> values;

    // A value as the document writes it; strings keep their quotes.
    std::string at(const std::string& path) const
    {
        const auto found = values.find(path);
        return found == values.end() ? "(absent)" : found->second;
    }
    std::vector<std::string> kinds() const
    {
        std::vector<std::string> found;
        for (int i = 0; values.count("findings." + std::to_string(i)); ++i)
            found.push_back(at("findings." + std::to_string(i) + ".kind"));
        return found;
    }
    // The start_at_login entry whose `field` is `value`.
    std::string entry(const std::string& field, const std::string& value) const
    {
        for (int i = 0; values.count("machine.start_at_login." + std::to_string(i)); ++i) {
            const std::string path = "machine.start_at_login." + std::to_string(i);
            if (at(path + "." + field) == value)
                return path;
        }
        return "(no entry with " + field + " " + value + ")";
    }
};

std::vector<std::string> kinds(std::initializer_list<const char*> names)
{
    std::vector<std::string> quoted;
    for (const char* name : names)
        quoted.push_back(jsonString(name));
    return quoted;
}

// The doctor on the run's folder. The tier's own TZ would be a finding in
// every run, so it is removed first; `environment` may set it again.
Doctor runDoctor(const HalvestaRun& run, const std::vector<std::string>& environment = {})
{
    std::vector<std::string> variables = {"TZ"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::remove(run.path("doctor.json").c_str());
    ChildProcess child = startWine({"halvesta-check.exe", "--no-wait", "--json", "--doctor"}, run.dir(),
                                   run.path("doctor.json"), variables);
    Doctor doctor;
    doctor.status = waitForExit(child, std::chrono::seconds(60));
    doctor.output = readBytes(run.path("doctor.json"));
    doctor.values = JsonValidator::values(doctor.output);
    EXPECT_FALSE(doctor.values.empty()) << "not one JSON document:\n" << doctor.output;
    return doctor;
}

void expectValues(const Doctor& doctor, const std::vector<std::pair<std::string, std::string>>& expected)
{
    for (const auto& [path, value] : expected)
        EXPECT_EQ(doctor.at(path), value) << path;
}

TEST(DoctorMachine, CleanFolderOnACleanMachine)
{
    HalvestaRun run;
    const Doctor doctor = runDoctor(run);
    EXPECT_EQ(doctor.status, 0);
    EXPECT_EQ(doctor.kinds(), kinds({})) << doctor.output;
    expectValues(doctor,
                 {{"machine.folder", jsonString(windowsPath(run.dir()))},
                  {"machine.windows", "true"},
                  {"machine.program", "true"},
                  {"machine.icon", "\"loads\""},
                  {"machine.start_at_login", "[]"},
                  {"machine.running_copy.running", "false"},
                  {"machine.running_copy.folder", "null"},
                  {"machine.opengl.pixel_format", "true"},
                  {"machine.opengl.context", "true"},
                  {"machine.opengl.atlas_upload", "\"as-is\""},
                  {"machine.display.width", "1024"},
                  {"machine.display.height", "768"},
                  {"machine.display.dpi", "96"},
                  {"machine.display.scaling_percent", "100"},
                  {"machine.clock.tz", "null"}});
    for (const char* text :
         {"machine.opengl.vendor", "machine.opengl.renderer", "machine.opengl.version", "machine.battery"}) {
        const std::string value = doctor.at(text);
        EXPECT_TRUE(value.size() > 2 && value.front() == '"') << text << " is " << value;
    }
}

TEST(DoctorFolder, IconMissingOrUnloadable)
{
    HalvestaRun run;
    std::remove(run.path("icon.ico").c_str());
    const Doctor missing = runDoctor(run);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.kinds(), kinds({"icon-missing"})) << missing.output;
    EXPECT_EQ(missing.at("machine.icon"), "\"missing\"");
    EXPECT_NE(missing.at("findings.0.message").find("Halvesta would end at once"), std::string::npos);

    writeBytes(run.path("icon.ico"), std::string("\0\0\1\0\1\0not an icon", 17));
    const Doctor corrupt = runDoctor(run);
    EXPECT_EQ(corrupt.status, 1);
    EXPECT_EQ(corrupt.kinds(), kinds({"icon-unloadable"})) << corrupt.output;
    EXPECT_EQ(corrupt.at("machine.icon"), "\"unloadable\"");
}

// A Startup shortcut starts the exe in its "Start in" folder, where the
// program must find its files; an empty one means the system folder.
TEST(DoctorLogin, StartupShortcutsAndTheirStartIn)
{
    HalvestaRun run;
    const ScratchPrefix prefix;
    ASSERT_TRUE(prefix.ready());
    const std::string probeExe = requiredEnv("HALVESTA_PROBE");
    const std::string exe = windowsPath(run.path("halvesta.exe"));
    const std::string otherExe = "C:\\Other\\halvesta.exe";
    ASSERT_EQ(prefix.wine({probeExe, "shortcut", "Halvesta.lnk", exe, windowsPath(run.path("res"))}), 0);
    ASSERT_EQ(prefix.wine({probeExe, "shortcut", "Other.lnk", otherExe}), 0);
    {
        const Doctor wrong = runDoctor(run, {prefix.variable()});
        EXPECT_EQ(wrong.status, 1);
        EXPECT_EQ(wrong.kinds(), kinds({"login-start-in", "login-start-in"})) << wrong.output;
        const std::string ours = wrong.entry("program", jsonString(exe));
        const std::string other = wrong.entry("program", jsonString(otherExe));
        expectValues(wrong,
                     {{ours + ".source", "\"startup-folder\""},
                      {ours + ".start_in", jsonString(windowsPath(run.path("res")))},
                      {ours + ".this_copy", "true"},
                      {other + ".start_in", "\"\""},
                      {other + ".this_copy", "false"}});
    }

    ASSERT_EQ(prefix.wine({probeExe, "shortcut", "Halvesta.lnk", exe, windowsPath(run.dir())}), 0);
    ASSERT_EQ(prefix.wine({probeExe, "shortcut", "Other.lnk", otherExe, "C:\\Other"}), 0);
    const Doctor right = runDoctor(run, {prefix.variable()});
    EXPECT_EQ(right.status, 0);
    EXPECT_EQ(right.kinds(), kinds({})) << right.output;
    const std::string ours = right.entry("program", jsonString(exe));
    const std::string other = right.entry("program", jsonString(otherExe));
    expectValues(right,
                 {{ours + ".start_in", jsonString(windowsPath(run.dir()))},
                  {ours + ".this_copy", "true"},
                  {other + ".start_in", jsonString("C:\\Other")},
                  {other + ".this_copy", "false"}});
}

// A Run value starts the exe in the system folder, away from its files.
TEST(DoctorLogin, RunValues)
{
    HalvestaRun run;
    const ScratchPrefix prefix;
    ASSERT_TRUE(prefix.ready());
    const std::string exe = windowsPath(run.path("halvesta.exe"));
    const std::string run32 = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ASSERT_EQ(prefix.wine({"reg", "add", "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "/v", "Halvesta",
                           "/d", "\"" + exe + "\"", "/f"}),
              0);
    ASSERT_EQ(prefix.wine({"reg", "add", run32, "/reg:32", "/v", "Halvesta", "/d", exe, "/f"}), 0);
    const Doctor doctor = runDoctor(run, {prefix.variable()});
    EXPECT_EQ(doctor.status, 1);
    EXPECT_EQ(doctor.kinds(), kinds({"login-run-value", "login-run-value"})) << doctor.output;
    for (const char* source : {"run-user", "run-machine-32"}) {
        const std::string listed = doctor.entry("source", jsonString(source));
        expectValues(
            doctor,
            {{listed + ".program", jsonString(exe)}, {listed + ".start_in", "null"}, {listed + ".this_copy", "true"}});
    }
}

TEST(DoctorMachine, RunningCopyElsewhere)
{
    HalvestaRun running;
    ASSERT_TRUE(running.start()) << "the program did not come up";
    HalvestaRun checked;
    const Doctor doctor = runDoctor(checked);
    EXPECT_EQ(doctor.status, 1);
    EXPECT_EQ(doctor.kinds(), kinds({"running-copy"})) << doctor.output;
    expectValues(doctor,
                 {{"machine.running_copy.running", "true"},
                  {"machine.running_copy.folder", jsonString(windowsPath(running.dir()))}});
    EXPECT_EQ(running.closeAndWait(), 0);
}

// What the strip draws with and by, taken from the program's environment.
TEST(DoctorMachine, TextureRulesAndTzVariable)
{
    HalvestaRun run;
    const Doctor padded = runDoctor(run, {"MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_non_power_of_two"});
    EXPECT_EQ(padded.status, 1);
    EXPECT_EQ(padded.kinds(), kinds({"atlas-padded"})) << padded.output;
    EXPECT_EQ(padded.at("machine.opengl.atlas_upload"), "\"padded\"");

    const Doctor zoned = runDoctor(run, {"TZ=ACS-9:30"});
    EXPECT_EQ(zoned.status, 1);
    EXPECT_EQ(zoned.kinds(), kinds({"tz-set"})) << zoned.output;
    EXPECT_EQ(zoned.at("machine.clock.tz"), "\"ACS-9:30\"");
    EXPECT_NE(zoned.at("findings.0.message").find("ACS-9:30"), std::string::npos) << zoned.output;
}

// Wine takes the system DPI from HKCU\Control Panel\Desktop, LogPixels.
TEST(DoctorMachine, ScaledDisplay)
{
    HalvestaRun run;
    const ScratchPrefix prefix;
    ASSERT_TRUE(prefix.ready());
    ASSERT_EQ(prefix.wine({"reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                           "144", "/f"}),
              0);
    const Doctor doctor = runDoctor(run, {prefix.variable()});
    EXPECT_EQ(doctor.status, 1);
    EXPECT_EQ(doctor.kinds(), kinds({"display-scaled"})) << doctor.output;
    expectValues(doctor, {{"machine.display.dpi", "144"}, {"machine.display.scaling_percent", "150"}});
}

} // namespace
