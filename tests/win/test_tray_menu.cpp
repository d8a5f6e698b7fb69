// The tray menu's commands, called as the menu calls them once an item is
// chosen. Opening and reading the menu itself is the e2e tier's business.
#include "render/display_window.h"
#include "tray/about_box.h"
#include "tray/tray_icon.h"
#include "win_support.h"

#include <string>

namespace {

// The tray set up in a working directory of its own that holds icon.ico.
class TrayCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        drainMessages();
        dir.write("icon.ico", readSourceFile("res/icon.ico"));
        WorkingDirectory cwd(dir.path());
        ASSERT_EQ(tray.init(), 0);
    }

    void TearDown() override
    {
        tray.shutdown();
        UnregisterClassA(kTrayClassName, GetModuleHandleA(nullptr));
        tearDownApp(app);
    }

    void openDisplay()
    {
        app = std::make_unique<App>();
        ASSERT_EQ(app->createWindow(), 0);
    }

    void command(UINT id) { onTrayMenuCommand(tray.hiddenWindow, id); }

    ScratchDir dir;
    TrayIcon tray;
    std::unique_ptr<App> app;
};

// Whether `message` is queued for `window` (null: anything of this
// thread's); it stays in the queue. A pending quit comes back whatever the
// filter, hence the check of what was found.
bool queued(HWND window, UINT message)
{
    MSG found;
    return PeekMessageA(&found, window, message, message, PM_NOREMOVE) && found.message == message;
}

TEST_F(TrayCommand, HideTogglesTheStrip)
{
    openDisplay();
    command(kMenuHide);
    EXPECT_FALSE(IsWindowVisible(app->window));
    EXPECT_TRUE(IsWindow(app->window));
    command(kMenuHide);
    EXPECT_TRUE(IsWindowVisible(app->window));
    EXPECT_FALSE(queued(nullptr, WM_QUIT));
}

TEST_F(TrayCommand, HideWithoutAStripStillFlipsTheFlag)
{
    command(kMenuHide);
    EXPECT_FALSE(queued(nullptr, WM_QUIT));
    // The flag now says hidden, so the next Hide shows the strip.
    openDisplay();
    command(kMenuHide);
    EXPECT_TRUE(IsWindowVisible(app->window));
    command(kMenuHide);
    EXPECT_FALSE(IsWindowVisible(app->window));
    command(kMenuHide);
}

TEST_F(TrayCommand, CloseAsksTheStripToCloseWhichEndsTheLoop)
{
    openDisplay();
    command(kMenuClose);
    // The strip's own procedure turns the request into the quit.
    EXPECT_TRUE(queued(app->window, WM_CLOSE));
    EXPECT_FALSE(queued(nullptr, WM_QUIT));
    EXPECT_EQ(app->run(), 0);
    EXPECT_FALSE(IsWindow(app->window));
}

TEST_F(TrayCommand, CloseWithoutAStripStillEndsTheLoop)
{
    ASSERT_EQ(FindWindowA(kDisplayClassName, nullptr), nullptr);
    command(kMenuClose);
    EXPECT_TRUE(queued(nullptr, WM_QUIT));
}

struct AboutSeen {
    bool found = false;
    HWND owner = nullptr;
    HICON icon = nullptr;
    std::string text;
};
AboutSeen aboutSeen;

BOOL CALLBACK readAboutChild(HWND child, LPARAM)
{
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        aboutSeen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    } else {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0])
            aboutSeen.text = text;
    }
    return TRUE;
}

// Runs inside the box's modal loop: reads the box and presses its OK.
void CALLBACK answerAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND box = FindWindowA("#32770", "About Halvesta");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    aboutSeen.found = true;
    aboutSeen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, readAboutChild, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(TrayCommand, AboutIsOwnedByTheTrayWindowAndShowsTheEmbeddedIcon)
{
    aboutSeen = AboutSeen();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, answerAbout);
    command(kMenuAbout);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(aboutSeen.found);
    EXPECT_EQ(aboutSeen.owner, tray.hiddenWindow);
    // Shared icons come back as the same handle: the box's is the module's.
    EXPECT_EQ(aboutSeen.icon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(20001)));
    EXPECT_NE(aboutSeen.icon, nullptr);
    EXPECT_EQ(aboutSeen.text, aboutText());
}

} // namespace
