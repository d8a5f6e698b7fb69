// The notification-area icon, its menu and the About box, driven through
// the icon's notification message as the shell would send it.
#include "halvesta_session.h"
#include "probe_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string kMenuUnchecked =
    "count=5|10001;;About Halvesta|10002;;Check For Updates|1;S;|10003;;Hide Halvesta|10004;;Close";
const std::string kMenuChecked =
    "count=5|10001;;About Halvesta|10002;;Check For Updates|1;S;|10003;C;Hide Halvesta|10004;;Close";

std::string openMenu()
{
    if (probe().ask("notify 205") != "ok")
        return "no tray window";
    if (probe().ask("menuwait 10000") != "ok")
        return "no menu";
    return probe().ask("menu");
}

bool choose(unsigned id)
{
    if (openMenu().rfind("count=", 0) != 0)
        return false;
    return probe().ask("menuchoose " + std::to_string(id)) == "ok";
}

bool menuGone()
{
    return waitUntil([] { return probe().ask("menuwait 0") == "none"; }, 5000);
}

constexpr unsigned long kWsExTopmost = 0x8ul;

// "foreground=… active=… focus=… closekeys=N" as the probe names them.
std::string keyboardField(const std::string& key)
{
    const std::string owners = probe().ask("keyboard");
    const size_t at = owners.find(key + "=");
    return at == std::string::npos ? owners
                                   : owners.substr(at + key.size() + 1, owners.find(' ', at) - at - key.size() - 1);
}

// Neither the foreground nor, on its own thread, the active window.
bool stripHasNoKeyboard()
{
    return keyboardField("foreground") != "strip" && keyboardField("active") != "strip";
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(run.start()); }
    HalvestaRun run;
};

TEST_F(Tray, RightClickOpensTheMenuAndDismissingChangesNothing)
{
    EXPECT_EQ(openMenu(), kMenuUnchecked);
    EXPECT_EQ(probe().ask("menuesc"), "ok");
    EXPECT_TRUE(menuGone());
    EXPECT_EQ(findWindow(kStripClass).number("visible"), 1u);
    EXPECT_TRUE(run.running());
    EXPECT_EQ(openMenu(), kMenuUnchecked) << "a dismissed menu must not toggle anything";
    EXPECT_EQ(probe().ask("menuesc"), "ok");
    EXPECT_TRUE(menuGone());
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST_F(Tray, OtherMouseNotificationsOpenNothing)
{
    // WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN. A menu
    // opened by the notification would be up by the time the loop answers
    // again: its own modal loop does the answering.
    for (const char* message : {"202", "203", "200", "201"}) {
        EXPECT_EQ(probe().ask(std::string("notify ") + message), "ok");
        ASSERT_TRUE(presented());
        EXPECT_EQ(probe().ask("menuwait 0"), "none") << "notification 0x" << message << " opened a menu";
        probe().ask("menuesc");
    }
    EXPECT_EQ(findWindow(kStripClass).number("visible"), 1u);
    EXPECT_EQ(countWindows("#32770"), 0);
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST_F(Tray, HideTogglesTheStripAndTheCheckMark)
{
    ASSERT_TRUE(choose(10003));
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 0; }, 5000))
        << "Hide left the strip visible";
    EXPECT_EQ(openMenu(), kMenuChecked);
    ASSERT_EQ(probe().ask("menuchoose 10003"), "ok");
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 1; }, 5000))
        << "choosing Hide again did not show the strip";
    EXPECT_EQ(openMenu(), kMenuUnchecked);
    probe().ask("menuesc");
    EXPECT_TRUE(menuGone());
    EXPECT_EQ(run.closeAndWait(), 0);
}

// Another program keeps the keyboard across the strip's turns, also right
// after the menu hid and showed it; Alt+F4 meant for it, or reaching the
// program's own windows, ends nothing; Close still does.
TEST_F(Tray, TheStripNeverTakesTheKeyboardAndAltF4EndsNothing)
{
    EXPECT_TRUE(stripHasNoKeyboard()) << probe().ask("keyboard");
    ASSERT_EQ(probe().ask("focustake"), "ok");
    ASSERT_TRUE(presented());
    EXPECT_EQ(keyboardField("foreground"), "probe");

    ASSERT_TRUE(choose(10003));
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 0; }, 5000));
    ASSERT_TRUE(choose(10003));
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 1; }, 5000));
    ASSERT_TRUE(presented());
    EXPECT_TRUE(stripHasNoKeyboard()) << probe().ask("keyboard");
    // Typed now, Alt+F4 reaches whichever window the menu left the focus on.
    EXPECT_EQ(probe().ask("altf4"), "ok");
    ASSERT_TRUE(presented());
    ASSERT_TRUE(run.running()) << "Alt+F4 right after Show ended the program";

    ASSERT_EQ(probe().ask("focustake"), "ok");
    ASSERT_TRUE(presented());
    EXPECT_EQ(keyboardField("foreground"), "probe") << "the strip took the foreground back";
    EXPECT_EQ(probe().ask("altf4"), "ok");
    EXPECT_TRUE(waitUntil([] { return keyboardField("closekeys") == "1"; }, 5000)) << probe().ask("keyboard");

    EXPECT_EQ(openMenu(), kMenuUnchecked);
    EXPECT_EQ(probe().ask("menuesc"), "ok");
    EXPECT_TRUE(menuGone());
    EXPECT_EQ(probe().ask("altf4"), "ok");
    for (const char* window : {kStripClass, kTrayClass})
        EXPECT_EQ(probe().ask(std::string("sysclose ") + window), "ok");
    ASSERT_TRUE(presented());
    EXPECT_TRUE(run.running()) << "a keyboard close request ended the program";
    EXPECT_EQ(probe().ask("focusremove"), "ok");

    ASSERT_TRUE(choose(10004));
    EXPECT_EQ(run.waitExit(15000), 0);
}

// A display change leaves the strip where it was, or moves it onto another
// monitor; its place is the primary screen's corner, shown or hidden.
TEST_F(Tray, TheStripGoesBackToItsCornerShownOrHidden)
{
    const auto inCorner = [] { return findWindow(kStripClass).fields["rect"] == "0,0,600,100"; };
    ASSERT_EQ(probe().ask(std::string("move ") + kStripClass + " 300 200"), "ok");
    EXPECT_TRUE(waitUntil(inCorner, 1000)) << findWindow(kStripClass).fields["rect"];
    EXPECT_EQ(findWindow(kStripClass).number("exstyle") & kWsExTopmost, kWsExTopmost);
    EXPECT_TRUE(stripHasNoKeyboard()) << probe().ask("keyboard");

    ASSERT_TRUE(choose(10003));
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 0; }, 5000));
    ASSERT_EQ(probe().ask(std::string("move ") + kStripClass + " -200 500"), "ok");
    EXPECT_TRUE(waitUntil(inCorner, 1000)) << findWindow(kStripClass).fields["rect"];
    ASSERT_TRUE(presented());
    EXPECT_EQ(findWindow(kStripClass).number("visible"), 0u) << "the move back showed the hidden strip";
    ASSERT_TRUE(choose(10003));
    EXPECT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 1; }, 5000));
    EXPECT_TRUE(inCorner());
    EXPECT_EQ(run.closeAndWait(), 0);
}

// The box's text, owner and icon are the win tier's; here it is the
// program's own menu that opens it.
TEST_F(Tray, AboutShowsTheVersion)
{
    ASSERT_TRUE(choose(10001));
    ASSERT_TRUE(waitUntil([] { return countWindows("#32770", "About Halvesta") == 1; }, 10000));
    const std::string answer = probe().ask("msgbox About Halvesta");
    EXPECT_EQ(answer.rfind("text=Halvesta\\n\\nVersion 1.0.0\\n", 0), 0u) << answer;
    EXPECT_EQ(probe().ask("msgboxok About Halvesta"), "ok");
    EXPECT_TRUE(waitUntil([] { return countWindows("#32770", "About Halvesta") == 0; }, 5000));
    EXPECT_TRUE(run.running());
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST_F(Tray, CheckForUpdatesOpensTheProductPage)
{
    const std::string opened = requiredEnv("HALVESTA_OPENED_URLS");
    const std::string before = readBytes(opened);
    ASSERT_TRUE(choose(10002));
    std::string added;
    EXPECT_TRUE(waitUntil(
        [&] {
            added = readBytes(opened).substr(std::min(before.size(), readBytes(opened).size()));
            return !added.empty();
        },
        20000))
        << "no address was opened";
    const size_t scheme = added.find("https://");
    ASSERT_NE(scheme, std::string::npos) << added;
    const std::string address = added.substr(scheme, added.find_first_of(" \n\"", scheme) - scheme);
    const size_t pathAt = address.find('/', 8);
    ASSERT_NE(pathAt, std::string::npos) << address;
    EXPECT_EQ(address.substr(pathAt), "/halvesta") << address;
    EXPECT_TRUE(run.running());
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST_F(Tray, CloseFromTheMenuRemovesTheIconAndEnds)
{
    const std::string trayHwnd = findWindow(kTrayClass).fields["hwnd"];
    ASSERT_TRUE(choose(10004));
    EXPECT_EQ(run.waitExit(15000), 0);
    EXPECT_EQ(countWindows(kStripClass), 0);
    EXPECT_EQ(countWindows(kTrayClass), 0);
    // The window is gone, so the icon can only be asked for by its old handle.
    EXPECT_EQ(probe().ask("iconexistsfor " + trayHwnd), "exists=0");
}

TEST_F(Tray, CloseFromASecondMenuOverTheAboutBoxEndsCleanly)
{
    const std::string trayHwnd = findWindow(kTrayClass).fields["hwnd"];
    ASSERT_TRUE(choose(10001));
    ASSERT_TRUE(waitUntil([] { return countWindows("#32770", "About Halvesta") == 1; }, 10000));
    // The box's own loop carries the next right click to the tray window.
    ASSERT_TRUE(choose(10004));
    EXPECT_EQ(run.waitExit(15000), 0);
    EXPECT_EQ(countWindows("#32770"), 0);
    EXPECT_EQ(probe().ask("iconexistsfor " + trayHwnd), "exists=0");
}

// Another program's window with the strip's generic class name, above the
// strip while the menu is open, is neither hidden nor closed.
TEST_F(Tray, AnotherProgramsWindowOfTheStripsClassIsLeftAlone)
{
    ASSERT_EQ(probe().ask(std::string("decoy ") + kStripClass), "ok");
    ASSERT_EQ(openMenu(), kMenuUnchecked);
    ASSERT_EQ(probe().ask("decoyraise"), "ok");
    ASSERT_EQ(probe().ask("menuchoose 10003"), "ok");
    EXPECT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 0; }, 5000))
        << "Hide left our strip visible";
    EXPECT_EQ(probe().ask("decoystate"), "visible=1 closes=0");

    ASSERT_EQ(openMenu(), kMenuChecked);
    ASSERT_EQ(probe().ask("decoyraise"), "ok");
    ASSERT_EQ(probe().ask("menuchoose 10004"), "ok");
    EXPECT_EQ(run.waitExit(15000), 0);
    EXPECT_EQ(probe().ask("decoystate"), "visible=1 closes=0");
    EXPECT_EQ(probe().ask("decoyremove"), "ok");
}

TEST_F(Tray, IconComesBackWhenTheTaskbarIsCreatedAgain)
{
    ASSERT_EQ(probe().ask("icondelete"), "ok");
    EXPECT_EQ(probe().ask("iconexists"), "exists=0");
    EXPECT_EQ(probe().ask("taskbarcreated"), "ok");
    EXPECT_TRUE(waitUntil([] { return probe().ask("iconexists") == "exists=1"; }, 5000));
    EXPECT_EQ(openMenu(), kMenuUnchecked);
    probe().ask("menuesc");
    EXPECT_TRUE(menuGone());
    EXPECT_EQ(run.closeAndWait(), 0);
}

// At logon a slow Explorer refuses the icon and sends no "TaskbarCreated"
// later; the strip runs meanwhile and the icon comes once the shell takes it.
class RefusingShell : public ::testing::Test {
protected:
    void TearDown() override { probe().ask("refusingtrayremove"); }
};

TEST_F(RefusingShell, IconIsRegisteredSoonAfterTheRefusalsEnd)
{
    ASSERT_EQ(probe().ask("refusingtray"), "ok");
    HalvestaRun run;
    run.launchOnly();
    ASSERT_TRUE(waitUntil([] { return findWindow(kStripClass).number("visible") == 1; }, 30000));
    ASSERT_TRUE(presented());
    // An add, a modify in case the add went through after all, then again
    // on a timer.
    long adds = 0, modifies = 0;
    EXPECT_TRUE(waitUntil(
        [&] {
            std::sscanf(probe().ask("refusingtraystate").c_str(), "adds=%ld modifies=%ld", &adds, &modifies);
            return adds >= 2 && modifies >= 2;
        },
        10000))
        << probe().ask("refusingtraystate");
    ASSERT_EQ(probe().ask("refusingtrayremove"), "ok");
    EXPECT_TRUE(waitUntil([] { return probe().ask("iconexists") == "exists=1"; }, 5000));
    EXPECT_EQ(openMenu(), kMenuUnchecked);
    probe().ask("menuesc");
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST(TrayStart, WithoutIconFileTheProgramEndsAtOnce)
{
    HalvestaRun run;
    removeTree(run.path("icon.ico"));
    run.launchOnly();
    EXPECT_EQ(run.waitExit(30000), 0);
    EXPECT_EQ(countWindows(kStripClass), 0);
    EXPECT_EQ(countWindows(kTrayClass), 0);
}

// The Subsystem field of the PE optional header: 2 is a windowed program,
// 3 one that opens a console.
int peSubsystem(const std::string& exe)
{
    const std::string bytes = readBytes(exe);
    if (bytes.size() < 0x40)
        return -1;
    uint32_t header = 0;
    std::memcpy(&header, &bytes[0x3C], sizeof header);
    if (bytes.size() < header + 24u + 70u || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return -1;
    uint16_t subsystem = 0;
    std::memcpy(&subsystem, &bytes[header + 24 + 68], sizeof subsystem);
    return subsystem;
}

TEST(Executable, IsAWindowedProgramWithItsIconGroupAndManifest)
{
    const std::string exe = requiredEnv("HALVESTA_DIST") + "/halvesta.exe";
    EXPECT_EQ(peSubsystem(exe), 2);
    const std::string answer = probe().ask("resources " + windowsPath(exe));
    EXPECT_EQ(answer.rfind("icongroup20001=1 manifest=<?xml", 0), 0u) << answer;
    for (const char* wanted :
         {"level=\"asInvoker\" uiAccess=\"false\"", "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",
          "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",
          "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",
          "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",
          "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"})
        EXPECT_NE(answer.find(wanted), std::string::npos) << wanted << " missing from the manifest";
}

} // namespace
