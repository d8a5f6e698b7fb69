// The notification-area icon: its hidden window, the registration with
// the shell, and what shutdown leaves behind, with and without icon.ico.
#include "tray/tray_icon.h"
#include "win_support.h"

namespace {

// Whether the shell still knows the icon (hidden window, id 1).
bool iconRegistered(HWND hiddenWindow)
{
    NOTIFYICONDATAA probe = {};
    probe.cbSize = sizeof probe;
    probe.hWnd = hiddenWindow;
    probe.uID = 1;
    probe.uFlags = NIF_TIP;
    lstrcpynA(probe.szTip, "Halvesta is Running...", sizeof probe.szTip);
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override { drainMessages(); }

    void TearDown() override
    {
        tray.shutdown();
        UnregisterClassA(kTrayClassName, GetModuleHandleA(nullptr));
        // The hidden window's WM_DESTROY posts a quit.
        drainMessages();
    }

    void withIcon()
    {
        const std::string icon = readSourceFile("res/icon.ico");
        ASSERT_FALSE(icon.empty());
        dir.write("icon.ico", icon);
    }

    int initIn()
    {
        WorkingDirectory cwd(dir.path());
        return tray.init();
    }

    ScratchDir dir;
    TrayIcon tray;
};

TEST_F(Tray, InitRegistersTheIconOnAHiddenWindow)
{
    withIcon();
    ASSERT_EQ(initIn(), 0);

    ASSERT_NE(tray.hiddenWindow, nullptr);
    EXPECT_EQ(FindWindowA("TRAY_ICON_CLASSNAME", nullptr), tray.hiddenWindow);
    EXPECT_FALSE(IsWindowVisible(tray.hiddenWindow));
    WNDCLASSA windowClass = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TRAY_ICON_CLASSNAME", &windowClass));
    EXPECT_EQ(windowClass.style, 0u);
    EXPECT_EQ(windowClass.lpfnWndProc, &trayWindowProc);

    ASSERT_NE(tray.icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(tray.icon, &info));
    EXPECT_TRUE(info.fIcon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    EXPECT_EQ(tray.iconData.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(tray.iconData.hWnd, tray.hiddenWindow);
    EXPECT_EQ(tray.iconData.uID, 1u);
    EXPECT_EQ(tray.iconData.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(tray.iconData.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(tray.iconData.hIcon, tray.icon);
    EXPECT_STREQ(tray.iconData.szTip, "Halvesta is Running...");
    EXPECT_TRUE(iconRegistered(tray.hiddenWindow));
}

TEST_F(Tray, ShutdownRemovesTheIconAndTheWindow)
{
    withIcon();
    ASSERT_EQ(initIn(), 0);
    const HWND hidden = tray.hiddenWindow;
    ASSERT_TRUE(iconRegistered(hidden));

    tray.shutdown();
    EXPECT_FALSE(IsWindow(hidden));
    EXPECT_EQ(tray.hiddenWindow, nullptr);
    EXPECT_EQ(tray.icon, nullptr);
    EXPECT_FALSE(iconRegistered(hidden));
    // The window's WM_DESTROY asked for a quit.
    MSG message = {};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Tray, WithoutIconFileInitFailsAndShutdownStillCleansUp)
{
    EXPECT_EQ(initIn(), -1);
    EXPECT_EQ(tray.icon, nullptr);
    const HWND hidden = tray.hiddenWindow;
    EXPECT_FALSE(iconRegistered(hidden));

    tray.shutdown();
    EXPECT_FALSE(IsWindow(hidden));
    EXPECT_EQ(tray.hiddenWindow, nullptr);
}

TEST_F(Tray, UnreadableIconFileFailsLikeAMissingOne)
{
    dir.write("icon.ico", "this is not an icon");
    EXPECT_EQ(initIn(), -1);
    EXPECT_EQ(tray.icon, nullptr);
    EXPECT_FALSE(iconRegistered(tray.hiddenWindow));
}

} // namespace
