#include "check/doctor.h"
#include "check/machine_findings.h"
#include "check/machine_paths.h"
#include "check/report.h"
#include "check/utc_offset.h"

#include "json_validator.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> kinds(const std::vector<Finding>& findings)
{
    std::vector<std::string> names;
    for (const Finding& finding : findings)
        names.push_back(kindName(finding.kind));
    return names;
}

StartEntry shortcut(const std::string& program, const std::string& startIn, bool thisCopy)
{
    StartEntry entry;
    entry.location = "C:\\Users\\me\\Startup\\Halvesta.lnk";
    entry.program = program;
    entry.startIn = startIn;
    entry.thisCopy = thisCopy;
    return entry;
}

// A machine where nothing is wrong.
MachineFacts sound()
{
    MachineFacts facts;
    facts.folder = "C:\\Tools\\Halvesta";
    facts.program = true;
    facts.icon = IconState::Loads;
    WindowsFacts windows;
    windows.graphics = GraphicsFacts{true, true, "V", "R", "1.1", AtlasUpload::AsItIs};
    windows.display = DisplayFacts{1920, 1080, 96};
    windows.clock.zone = "W. Europe Standard Time";
    windows.battery = "Battery 50% (On Battery)";
    facts.windows = windows;
    return facts;
}

} // namespace

TEST(Doctor, CommandLinesAndFoldersAsWindowsReadsThem)
{
    EXPECT_EQ(commandProgram("\"C:\\Program Files\\Halvesta\\halvesta.exe\" --x"),
              "C:\\Program Files\\Halvesta\\halvesta.exe");
    EXPECT_EQ(commandProgram("  C:\\Program Files\\Halvesta\\Halvesta.EXE /min"),
              "C:\\Program Files\\Halvesta\\Halvesta.EXE");
    EXPECT_EQ(commandProgram("C:\\a.exe.old\\halvesta.exe"), "C:\\a.exe.old\\halvesta.exe");
    EXPECT_EQ(commandProgram("rundll32 shell32.dll,Control_RunDLL"), "rundll32");
    EXPECT_TRUE(namesProgram("D:/x/HALVESTA.exe"));
    EXPECT_FALSE(namesProgram("C:\\x\\halvesta.exe.lnk"));
    EXPECT_FALSE(namesProgram("C:\\x\\myhalvesta.exe"));
    EXPECT_EQ(folderOf("C:\\x\\halvesta.exe"), "C:\\x");
    EXPECT_EQ(folderOf("C:\\halvesta.exe"), "C:\\");
    EXPECT_TRUE(sameFolder("C:\\Tools\\Halvesta\\", "c:/tools/halvesta"));
    EXPECT_TRUE(sameFolder("C:\\", "c:\\"));
    EXPECT_FALSE(sameFolder("C:\\", "C:"));
    EXPECT_FALSE(sameFolder("C:\\Tools\\Halvesta", "C:\\Tools"));
}

TEST(Doctor, OffsetsAcrossDayAndYearEnds)
{
    std::tm local = {};
    std::tm utc = {};
    local.tm_year = 126; // 2026-01-01 00:30 against 2025-12-31 15:00
    local.tm_mday = 1;
    local.tm_min = 30;
    utc.tm_year = 125;
    utc.tm_mon = 11;
    utc.tm_mday = 31;
    utc.tm_hour = 15;
    EXPECT_EQ(utcOffsetMinutes(local, utc), 570);
    EXPECT_EQ(utcOffsetMinutes(utc, local), -570);
    EXPECT_EQ(offsetText(570), "+09:30");
    EXPECT_EQ(offsetText(-210), "-03:30");
    EXPECT_EQ(offsetText(0), "+00:00");
}

TEST(Doctor, EachMachineFactThatHurtsTheStripIsOneFinding)
{
    EXPECT_TRUE(machineFindings(sound()).empty());

    MachineFacts facts = sound();
    WindowsFacts& windows = *facts.windows;
    const std::string here = "C:\\Tools\\Halvesta\\halvesta.exe";
    windows.startEntries = {shortcut(here, "c:\\tools\\halvesta\\", true), shortcut(here, "", true),
                            shortcut(here, "C:\\Windows", true), shortcut("D:\\Old\\halvesta.exe", "D:\\Old", false)};
    StartEntry run = shortcut(here, "", true);
    run.startIn.reset();
    windows.startEntries.push_back(run);
    windows.running = true;
    windows.runningFolder = "D:\\Old";
    windows.display.dpi = 144;
    windows.clock.tz = "EST5EDT";
    windows.clock.offsetMinutes = -300;
    windows.clock.windowsOffsetMinutes = 60;
    const std::vector<Finding> findings = machineFindings(facts);
    EXPECT_EQ(kinds(findings),
              (std::vector<std::string>{"login-start-in", "login-start-in", "login-run-value", "running-copy",
                                        "display-scaled", "tz-set"}));
    EXPECT_NE(findings[0].message.find("empty \"Start in\""), std::string::npos);
    EXPECT_NE(findings[1].message.find("to \"C:\\Tools\\Halvesta\""), std::string::npos) << "says which folder";
    EXPECT_NE(findings[3].message.find("not this one"), std::string::npos) << "another folder's copy";
    EXPECT_NE(findings[4].message.find("900 x 150"), std::string::npos);
    EXPECT_NE(findings[5].message.find("UTC-05:00 now), not the Windows zone \"W. Europe Standard Time\" "
                                       "(UTC+01:00 now)"),
              std::string::npos);
    const std::vector<std::string> notes = machineNotes(facts);
    ASSERT_EQ(notes.size(), 1u) << "the other copy, started right";
    EXPECT_NE(notes[0].find("\"D:\\Old\""), std::string::npos);

    for (const auto& [graphics, kind] : std::vector<std::pair<GraphicsFacts, std::string>>{
             {GraphicsFacts{false, false, "", "", "", AtlasUpload::NotTried}, "no-pixel-format"},
             {GraphicsFacts{true, false, "", "", "", AtlasUpload::NotTried}, "no-gl-context"},
             {GraphicsFacts{true, true, "V", "R", "1.1", AtlasUpload::Padded}, "atlas-padded"},
             {GraphicsFacts{true, true, "V", "R", "1.1", AtlasUpload::Refused}, "atlas-refused"}}) {
        MachineFacts weak = sound();
        weak.windows->graphics = graphics;
        EXPECT_EQ(kinds(machineFindings(weak)), std::vector<std::string>{kind});
    }
}

#ifndef _WIN32
TEST(Doctor, OffWindowsOnlyTheFolderIsChecked)
{
    ScratchDir dir;
    CheckResult bare = doctorCheck(dir.path());
    EXPECT_EQ(kinds(bare.findings), (std::vector<std::string>{"file-missing", "program-missing", "icon-missing"}));
    EXPECT_EQ(bare.exitStatus(), 2);

    dir.write("config.ini", "[Display]\nshow_date=true\n");
    dir.write("halvesta.exe", "MZ");
    dir.write("icon.ico", "");
    const CheckResult result = doctorCheck(dir.path());
    ASSERT_TRUE(result.machine);
    EXPECT_FALSE(result.machine->windows);
    EXPECT_EQ(result.machine->icon, IconState::Present);
    // The atlas is not there either: the settings check says so.
    EXPECT_EQ(kinds(result.findings), std::vector<std::string>{"atlas-unreadable"});
    const std::string json = jsonReport(result);
    EXPECT_TRUE(JsonValidator::valid(json)) << json;
    EXPECT_NE(json.find("\"windows\": false"), std::string::npos);
    EXPECT_NE(peopleReport(result).find("needs Windows"), std::string::npos);
}
#endif
