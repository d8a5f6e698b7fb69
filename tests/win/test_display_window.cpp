// The strip's window: class, what the e2e tier cannot see of its styles,
// and its procedure's answer to a close request.
#include "render/display_window.h"
#include "win_support.h"

#include <string>

namespace {

using DisplayWindow = DisplayTest;

TEST_F(DisplayWindow, ClassOwnsItsDeviceContextAndCarriesNothingElse)
{
    WNDCLASSA windowClass = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "MAINWINDOW_CLASSNAME", &windowClass));
    EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_OWNDC));
    EXPECT_EQ(windowClass.lpfnWndProc, &mainWindowProc);
    EXPECT_EQ(windowClass.hIcon, nullptr);
    EXPECT_EQ(windowClass.hCursor, nullptr);
    EXPECT_EQ(windowClass.hbrBackground, nullptr);
    EXPECT_EQ(windowClass.lpszMenuName, nullptr);

    char className[64] = {};
    GetClassNameA(app->window, className, sizeof className);
    EXPECT_STREQ(className, "MAINWINDOW_CLASSNAME");
    EXPECT_EQ(GetClassLongPtrA(app->window, GCL_STYLE), static_cast<ULONG_PTR>(CS_OWNDC));
}

// Title, styles, place and colour key are read from outside in the e2e
// tier; what it does not read is here: no extended style or layering
// flag beyond the strip's, an all-client window, no parent and no menu.
TEST_F(DisplayWindow, HasOnlyTheStripsExtendedStylesAllClientNoParentNoMenu)
{
    const LONG_PTR exStyle = GetWindowLongPtrA(app->window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle, static_cast<LONG_PTR>(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(app->window, &key, &alpha, &flags));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    RECT rect = {};
    ASSERT_TRUE(GetClientRect(app->window, &rect));
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 100);
    EXPECT_EQ(GetParent(app->window), nullptr);
    EXPECT_EQ(GetMenu(app->window), nullptr);
}

TEST_F(DisplayWindow, StaysAboveAnOrdinaryWindowCreatedLater)
{
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 50, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    // Walk down the Z order from the strip: the newer window lies below it.
    bool otherBelow = false;
    for (HWND below = GetWindow(app->window, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
        otherBelow = otherBelow || below == other;
    EXPECT_TRUE(otherBelow);
    DestroyWindow(other);
}

TEST_F(DisplayWindow, CloseRequestPostsQuitAndKeepsTheWindow)
{
    drainMessages();
    EXPECT_EQ(SendMessageA(app->window, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(app->window));

    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_TRUE(IsWindow(app->window));
}

TEST_F(DisplayWindow, OtherMessagesGetTheDefaultHandling)
{
    drainMessages();
    // WM_SETTEXT and WM_GETTEXT are only answered by DefWindowProc.
    EXPECT_TRUE(SendMessageA(app->window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed")));
    char title[64] = {};
    EXPECT_EQ(SendMessageA(app->window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)), 7);
    EXPECT_STREQ(title, "Renamed");

    // Nothing but WM_CLOSE ends the loop.
    SendMessageA(app->window, WM_ACTIVATEAPP, TRUE, 0);
    SendMessageA(app->window, WM_DESTROY, 0, 0);
    MSG message = {};
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(DisplayWindowFailure, SecondRegistrationFailsAndLeavesTheAppEmpty)
{
    drainMessages();
    auto first = std::make_unique<App>();
    ASSERT_EQ(first->createWindow(), 0);

    // The class is still registered: the second App must not get a window.
    auto second = std::make_unique<App>();
    EXPECT_EQ(second->createWindow(), -1);
    EXPECT_EQ(second->window, nullptr);
    EXPECT_EQ(second->context.deviceContext, nullptr);
    EXPECT_EQ(second->context.glContext, nullptr);
    second.reset();

    tearDownApp(first);
    // Torn down completely: a new App can register the class again.
    auto third = std::make_unique<App>();
    EXPECT_EQ(third->createWindow(), 0);
    tearDownApp(third);
}

} // namespace
