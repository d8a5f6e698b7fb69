// The notification-area icon, its menu and the About box, driven through
// the icon's notification message as the shell would send it.
#include "halvesta_session.h"
#include "probe_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

class Tray : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(run.start()); }
    HalvestaRun run;
};

TEST_F(Tray, HiddenWindowExistsButIsNeverShown)
{
    const WindowFacts tray = findWindow(kTrayClass);
    ASSERT_TRUE(tray.exists);
    EXPECT_EQ(tray.number("visible"), 0u);
    EXPECT_EQ(probe().ask("iconexists"), "exists=1");
}

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
    // WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN
    for (const char* message : {"202", "203", "200", "201"}) {
        EXPECT_EQ(probe().ask(std::string("notify ") + message), "ok");
        EXPECT_EQ(probe().ask("menuwait 700"), "none") << "notification 0x" << message << " opened a menu";
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

TEST_F(Tray, AboutShowsTheVersionInFiveLines)
{
    ASSERT_TRUE(choose(10001));
    ASSERT_TRUE(waitUntil([] { return countWindows("#32770", "About Halvesta") == 1; }, 10000));
    const std::string answer = probe().ask("msgbox About Halvesta");
    ASSERT_EQ(answer.rfind("text=", 0), 0u) << answer;
    const std::string text = answer.substr(5);
    EXPECT_EQ(text.rfind("Halvesta\\n\\nVersion 1.0.0\\n", 0), 0u) << text;
    size_t lineBreaks = 0;
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 2))
        ++lineBreaks;
    EXPECT_EQ(lineBreaks, 4u) << text;
    EXPECT_EQ(text.substr(text.size() - 2) == "\\n", false) << "the last line must not be empty";
    EXPECT_EQ(probe().ask("msgboxok About Halvesta"), "ok");
    EXPECT_TRUE(waitUntil([] { return countWindows("#32770", "About Halvesta") == 0; }, 5000));
    EXPECT_TRUE(run.running());
    EXPECT_EQ(run.closeAndWait(), 0);
}

TEST_F(Tray, CheckForUpdatesOpensTheProductPage)
{
    const std::string opened = requiredEnv("HALVESTA_OPENED_URLS");
    const std::string before = readFile(opened);
    ASSERT_TRUE(choose(10002));
    std::string added;
    EXPECT_TRUE(waitUntil(
        [&] {
            added = readFile(opened).substr(std::min(before.size(), readFile(opened).size()));
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

TEST(TrayStart, WithoutIconFileTheProgramEndsAtOnce)
{
    HalvestaRun run;
    removeTree(run.path("icon.ico"));
    run.launchOnly();
    EXPECT_EQ(run.waitExit(30000), 0);
    EXPECT_EQ(countWindows(kStripClass), 0);
    EXPECT_EQ(countWindows(kTrayClass), 0);
    // The guard is free again: a normal copy starts with no message box.
    HalvestaRun normal;
    ASSERT_TRUE(normal.start());
    EXPECT_EQ(countWindows("#32770", "Halvesta Info"), 0);
    EXPECT_EQ(normal.closeAndWait(), 0);
}

TEST(Resources, ExeEmbedsItsIconGroupAndManifest)
{
    const std::string exe = requiredEnv("HALVESTA_DIST") + "/halvesta.exe";
    EXPECT_EQ(probe().ask("resources " + windowsPath(exe)), "icongroup20001=1 manifest1=1");
}

} // namespace
