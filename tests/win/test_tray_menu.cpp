// The tray icon's popup menu, driven in-process: a watcher thread finds the
// modal menu, reads it and answers it with keys, while the main thread sits
// in the menu's loop inside the tray window's procedure.
#include "app/app.h"
#include "render/display_window.h"
#include "tray/tray_icon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

struct MenuEntry {
    UINT id;
    std::string label;
    bool separator;
    bool checked;
};

// What the watcher saw of one popup menu.
struct MenuReport {
    bool appeared = false;
    bool answered = false;
    bool strayDialog = false;
    std::vector<MenuEntry> entries;
};

HWND findOwnMenuWindow()
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

void pressKey(HWND menuWindow, WPARAM key)
{
    PostMessageA(menuWindow, WM_KEYDOWN, key, 1);
    PostMessageA(menuWindow, WM_KEYUP, key, 0xC0000001);
}

int highlightedPosition(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    }
    return -1;
}

// The highlight once it has stopped moving: the menu clears the old item
// before marking the new one, so a single look can fall in between.
int settledHighlight(HMENU menu)
{
    int previous = highlightedPosition(menu);
    for (int tries = 0; tries < 50; ++tries) {
        Sleep(15);
        const int now = highlightedPosition(menu);
        if (now == previous)
            return now;
        previous = now;
    }
    return previous;
}

HWND findOwnDialog()
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// Watches for this process's popup menu while the main thread is inside
// it; chooses `choice` (0 dismisses). Stops watching once told that the
// call that could have opened the menu has returned.
class MenuWatcher {
public:
    explicit MenuWatcher(UINT choice)
        : choice_(choice), ownerThread_(GetCurrentThreadId()), thread_([this] { watch(); })
    {
    }
    ~MenuWatcher()
    {
        if (thread_.joinable())
            finish();
    }
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    MenuReport finish()
    {
        callReturned_ = true;
        thread_.join();
        return report_;
    }

private:
    void watch()
    {
        const DWORD start = GetTickCount();
        HWND menuWindow = nullptr;
        while (!callReturned_ && !(menuWindow = findOwnMenuWindow())) {
            if (GetTickCount() - start > 5000) {
                // A frame loop waiting for a menu that never comes would
                // run forever: end it so that the test can fail.
                PostThreadMessageA(ownerThread_, WM_QUIT, 0, 0);
                return;
            }
            Sleep(10);
        }
        if (!menuWindow)
            return;
        report_.appeared = true;
        DWORD_PTR result = 0;
        SendMessageTimeoutA(menuWindow, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
        const HMENU menu = reinterpret_cast<HMENU>(result);
        if (menu)
            readEntries(menu);
        if (choice_ == 0 || !menu) {
            pressKey(menuWindow, VK_ESCAPE);
            report_.answered = choice_ == 0;
            return;
        }
        for (int step = 0; step < 12 && !callReturned_; ++step) {
            const int position = settledHighlight(menu);
            if (position >= 0 && GetMenuItemID(menu, position) == choice_) {
                pressKey(menuWindow, VK_RETURN);
                report_.answered = true;
                closeStrayDialog();
                return;
            }
            pressKey(menuWindow, VK_DOWN);
            // One key at a time: wait until this one has moved the highlight.
            for (int wait = 0; wait < 20 && settledHighlight(menu) == position; ++wait) {
            }
        }
        pressKey(menuWindow, VK_ESCAPE);
    }

    // A wrong command could open the modal About box and hold the main
    // thread; close it so the test fails instead of hanging.
    void closeStrayDialog()
    {
        const DWORD start = GetTickCount();
        while (!callReturned_ && GetTickCount() - start < 5000) {
            if (const HWND dialog = findOwnDialog()) {
                report_.strayDialog = true;
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    }

    void readEntries(HMENU menu)
    {
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            char label[128] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            report_.entries.push_back(MenuEntry{GetMenuItemID(menu, i), label, (state & MF_SEPARATOR) != 0,
                                                (state & MF_CHECKED) != 0});
        }
    }

    const UINT choice_;
    const DWORD ownerThread_;
    std::atomic<bool> callReturned_{false};
    MenuReport report_;
    std::thread thread_;
};

// A right click on the icon, as the shell reports it, answered by `choice`.
MenuReport rightClickAndChoose(HWND trayWindow, UINT choice)
{
    MenuWatcher watcher(choice);
    EXPECT_EQ(SendMessageA(trayWindow, kTrayCallbackMessage, 1, WM_RBUTTONUP), 0);
    const MenuReport report = watcher.finish();
    EXPECT_FALSE(report.strayDialog) << "command " << choice << " opened a dialog";
    return report;
}

const MenuEntry* entryWithId(const MenuReport& report, UINT id)
{
    for (const MenuEntry& entry : report.entries) {
        if (!entry.separator && entry.id == id)
            return &entry;
    }
    return nullptr;
}

// True when a quit message is queued for this thread; everything else in
// the queue is dispatched on the way.
bool pumpSeesQuit()
{
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            quit = true;
        else
            DispatchMessageA(&message);
    }
    return quit;
}

std::string iconSourcePath()
{
    std::string path = std::string(HALVESTA_SOURCE_DIR) + "/res/icon.ico";
    // A source tree on the Unix side: pin the drive, the working directory
    // is elsewhere while the icon is copied.
    if (path[0] == '/')
        path.insert(0, "Z:");
    return path;
}

// The tray set up in a working directory of its own that holds icon.ico.
class TrayMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previousDirectory_ = current;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        directory_ = std::string(temp) + "halvesta-tray-menu-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(directory_.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(iconSourcePath().c_str(), (directory_ + "\\icon.ico").c_str(), FALSE));
        ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
        pumpSeesQuit();
        ASSERT_EQ(tray.init(), 0);
        ASSERT_NE(tray.hiddenWindow, nullptr);
    }

    void TearDown() override
    {
        tray.shutdown();
        UnregisterClassA(kTrayClassName, GetModuleHandleA(nullptr));
        closeDisplay();
        // The tray window's WM_DESTROY posts a quit nobody else wants.
        pumpSeesQuit();
        SetCurrentDirectoryA(previousDirectory_.c_str());
        DeleteFileA((directory_ + "\\icon.ico").c_str());
        RemoveDirectoryA(directory_.c_str());
    }

    void openDisplay() { ASSERT_EQ(app.createWindow(), 0); }

    void closeDisplay()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (app.context.glContext)
            wglDeleteContext(app.context.glContext);
        app.context.glContext = nullptr;
        if (app.context.deviceContext)
            ReleaseDC(app.context.window, app.context.deviceContext);
        app.context.deviceContext = nullptr;
        if (app.window && IsWindow(app.window))
            DestroyWindow(app.window);
        app.window = nullptr;
        UnregisterClassA(kDisplayClassName, GetModuleHandleA(nullptr));
    }

    TrayIcon tray;
    App app;

private:
    std::string previousDirectory_;
    std::string directory_;
};

TEST_F(TrayMenu, RightClickOffersTheFourCommandsAndDismissingChangesNothing)
{
    openDisplay();
    const MenuReport report = rightClickAndChoose(tray.hiddenWindow, 0);
    ASSERT_TRUE(report.appeared);
    EXPECT_TRUE(report.answered);
    ASSERT_EQ(report.entries.size(), 5u);
    EXPECT_EQ(report.entries[0].id, kMenuAbout);
    EXPECT_EQ(report.entries[0].label, "About Halvesta");
    EXPECT_EQ(report.entries[1].id, kMenuCheckForUpdates);
    EXPECT_EQ(report.entries[1].label, "Check For Updates");
    EXPECT_TRUE(report.entries[2].separator);
    EXPECT_EQ(report.entries[3].id, kMenuHide);
    EXPECT_EQ(report.entries[3].label, "Hide Halvesta");
    EXPECT_FALSE(report.entries[3].checked);
    EXPECT_EQ(report.entries[4].id, kMenuClose);
    EXPECT_EQ(report.entries[4].label, "Close");

    EXPECT_TRUE(IsWindowVisible(app.window));
    EXPECT_FALSE(pumpSeesQuit());
}

TEST_F(TrayMenu, OtherMouseNotificationsOpenNoMenu)
{
    openDisplay();
    for (const UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
        MenuWatcher watcher(0);
        EXPECT_EQ(SendMessageA(tray.hiddenWindow, kTrayCallbackMessage, 1, mouse), 0) << mouse;
        EXPECT_FALSE(watcher.finish().appeared) << "mouse message " << mouse;
    }
    EXPECT_TRUE(IsWindowVisible(app.window));
    EXPECT_FALSE(pumpSeesQuit());
}

TEST_F(TrayMenu, HideTogglesTheStripAndTheCheckMark)
{
    openDisplay();
    ASSERT_TRUE(rightClickAndChoose(tray.hiddenWindow, kMenuHide).answered);
    EXPECT_FALSE(IsWindowVisible(app.window));
    EXPECT_TRUE(IsWindow(app.window));

    const MenuReport second = rightClickAndChoose(tray.hiddenWindow, kMenuHide);
    ASSERT_TRUE(second.answered);
    const MenuEntry* hide = entryWithId(second, kMenuHide);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->checked);
    EXPECT_TRUE(IsWindowVisible(app.window));

    const MenuReport third = rightClickAndChoose(tray.hiddenWindow, 0);
    hide = entryWithId(third, kMenuHide);
    ASSERT_NE(hide, nullptr);
    EXPECT_FALSE(hide->checked);
    EXPECT_FALSE(pumpSeesQuit());
}

TEST_F(TrayMenu, HideWithoutAStripOnlyFlipsTheCheckMark)
{
    ASSERT_TRUE(rightClickAndChoose(tray.hiddenWindow, kMenuHide).answered);
    const MenuReport second = rightClickAndChoose(tray.hiddenWindow, kMenuHide);
    const MenuEntry* hide = entryWithId(second, kMenuHide);
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->checked);
    EXPECT_FALSE(pumpSeesQuit());
    EXPECT_TRUE(IsWindow(tray.hiddenWindow));
}

TEST_F(TrayMenu, CloseAsksTheStripToCloseWhichEndsTheLoop)
{
    openDisplay();
    ASSERT_TRUE(rightClickAndChoose(tray.hiddenWindow, kMenuClose).answered);
    // The quit comes from the strip's own procedure, so the strip is still
    // there when the pump sees it.
    EXPECT_TRUE(pumpSeesQuit());
    EXPECT_TRUE(IsWindow(app.window));
}

TEST_F(TrayMenu, CloseWithoutAStripStillEndsTheLoop)
{
    ASSERT_EQ(FindWindowA(kDisplayClassName, nullptr), nullptr);
    ASSERT_TRUE(rightClickAndChoose(tray.hiddenWindow, kMenuClose).answered);
    EXPECT_TRUE(pumpSeesQuit());
}

TEST_F(TrayMenu, CloseChosenDuringTheFrameLoopEndsRunAndDestroysTheStrip)
{
    openDisplay();
    app.timeItem.reset(new TimeItem());
    app.timeItem->setFont(&app.font);
    // The click is queued, so the loop's own pump opens the menu.
    ASSERT_TRUE(PostMessageA(tray.hiddenWindow, kTrayCallbackMessage, 1, WM_RBUTTONUP));
    MenuWatcher watcher(kMenuClose);
    EXPECT_EQ(app.run(), 0);
    const MenuReport report = watcher.finish();
    EXPECT_TRUE(report.appeared);
    EXPECT_TRUE(report.answered);
    EXPECT_FALSE(report.strayDialog);
    EXPECT_FALSE(IsWindow(app.window));
    EXPECT_FALSE(app.running);
    // The turns ran their updates.
    EXPECT_EQ(app.timeItem->text.rfind("Time ", 0), 0u) << app.timeItem->text;
}

} // namespace
