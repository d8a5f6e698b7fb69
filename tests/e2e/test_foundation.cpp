// The strip window and its pace, the single-instance guard, closing, and a
// start without settings.
#include "halvesta_session.h"
#include "probe_client.h"
#include "strip_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr unsigned long kWsPopup = 0x80000000ul;
constexpr unsigned long kWsVisible = 0x10000000ul;
constexpr unsigned long kWsClipSiblings = 0x04000000ul;
constexpr unsigned long kStripExStyle = 0x800A8ul;
constexpr unsigned long kCsOwnDc = 0x20ul;
constexpr unsigned long kLwaColorKey = 0x1ul;

// Without settings there is nothing to draw, which also makes each turn
// as short as it gets: the pace then comes from the pause alone.
TEST(Strip, WithoutSettingsAnEmptyTopmostPopupRaisedEveryPacedTurn)
{
    HalvestaRun run;
    removeTree(run.path("config.ini"));
    ASSERT_TRUE(run.start());
    const WindowFacts strip = findWindow(kStripClass);
    ASSERT_TRUE(strip.exists);
    EXPECT_EQ(strip.fields.at("title"), "Halvesta");
    EXPECT_EQ(strip.number("visible"), 1u);
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(strip.number("style") & ~(kWsVisible | kWsClipSiblings), kWsPopup);
    EXPECT_EQ(strip.number("exstyle") & kStripExStyle, kStripExStyle);
    EXPECT_EQ(strip.number("classstyle") & kCsOwnDc, kCsOwnDc);
    EXPECT_EQ(strip.fields.at("rect"), "0,0,600,100");
    EXPECT_EQ(strip.number("layered"), 1u);
    EXPECT_EQ(strip.number("key"), 0u) << "colour key must be black";
    EXPECT_EQ(strip.number("lwaflags") & kLwaColorKey, kLwaColorKey);

    // Taken after presented frames: drawn empty, not yet undrawn.
    const Screenshot shot = run.screenshot("no-config");
    EXPECT_EQ(checkEmptyStrip(shot), "");

    // Another topmost window put above it is passed again on the next turn.
    ASSERT_EQ(probe().ask("decoy HalvestaProbeTopmost"), "ok");
    ASSERT_EQ(probe().ask("decoyraise"), "ok");
    ASSERT_TRUE(presented());
    EXPECT_EQ(probe().ask("decoyunderstrip"), "above");
    EXPECT_EQ(probe().ask("decoyremove"), "ok");

    // Each turn ends in a pause, so no more than about 62 come a second;
    // without it they come by the hundreds.
    const std::string rate = probe().ask("turnrate 1000");
    ASSERT_EQ(rate.rfind("persecond=", 0), 0u) << rate;
    EXPECT_LT(std::stoi(rate.substr(10)), 200) << rate;

    EXPECT_EQ(probe().ask("notify 205"), "ok");
    ASSERT_EQ(probe().ask("menuwait 10000"), "ok");
    EXPECT_EQ(probe().ask("menuesc"), "ok");
    EXPECT_EQ(run.closeAndWait(), 0);
    EXPECT_EQ(countWindows(kStripClass), 0);
    EXPECT_EQ(countWindows(kTrayClass), 0);
}

TEST(Lifecycle, SecondCopyShowsOneMessageBoxAndLeavesTheFirstRunning)
{
    HalvestaRun first;
    ASSERT_TRUE(first.start());
    // Other programs (and an older copy) know the guard by this name.
    EXPECT_EQ(probe().ask("mutex HalvestaSingleInstance"), "exists=1");
    HalvestaRun second;
    second.launchOnly();
    ASSERT_TRUE(waitUntil([] { return countWindows("#32770", "Halvesta Info") >= 1; }, 30000))
        << "no message box from the second copy";
    EXPECT_EQ(probe().ask("msgbox Halvesta Info"), "text=Halvesta is already running.");
    EXPECT_EQ(countWindows(kStripClass), 1) << "the second copy must create no strip";
    // The box is modal: a second one could only follow this one, and the
    // copy would then not end after one OK.
    EXPECT_EQ(probe().ask("msgboxok Halvesta Info"), "ok");
    EXPECT_EQ(second.waitExit(15000), 0);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(findWindow(kStripClass).number("visible"), 1u);
    EXPECT_EQ(probe().ask("iconexists"), "exists=1");
    EXPECT_EQ(first.closeAndWait(), 0);
}

// A copy running elevated, or under another account, holds a guard that
// this one may not even open: that is a running copy too.
TEST(Lifecycle, GuardThatCannotBeOpenedCountsAsARunningCopy)
{
    ASSERT_EQ(probe().ask("mutexdenied HalvestaSingleInstance"), "ok");
    HalvestaRun second;
    second.launchOnly();
    const bool boxShown = waitUntil([] { return countWindows("#32770", "Halvesta Info") >= 1; }, 30000);
    const int strips = countWindows(kStripClass);
    if (boxShown) {
        EXPECT_EQ(probe().ask("msgboxok Halvesta Info"), "ok");
    }
    EXPECT_EQ(probe().ask("mutexdeniedfree"), "ok");
    EXPECT_TRUE(boxShown) << "no message box";
    EXPECT_EQ(strips, 0) << "a second strip was created";
    EXPECT_EQ(second.waitExit(15000), 0);
}

} // namespace
