// The App: loading the settings into item slots, and the frame loop's end
// and what it releases.
#include "allocation_limit.h"
#include "app/single_instance.h"
#include "win_support.h"

#include "render/display_window.h"

#include <GL/gl.h>
#include <wtsapi32.h>

#include <cstring>
#include <vector>

#include <string>
#include <thread>

namespace {

using AppRun = DisplayTest;

WNDPROC originalProc = nullptr;
int appMessagesSeen = 0;
GLuint watchedTexture = 0;
bool textureAliveAtDestroy = true;

LRESULT CALLBACK watchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 5)
        ++appMessagesSeen;
    if (message == WM_DESTROY)
        textureAliveAtDestroy = glIsTexture(watchedTexture) != GL_FALSE;
    return CallWindowProcA(originalProc, window, message, wParam, lParam);
}

TEST_F(AppRun, CloseRequestEndsTheLoopReleasingTheAtlasBeforeTheWindow)
{
    const std::string atlas = sourcePath("res/fira-code.png");
    ASSERT_EQ(app->font.load(atlas.c_str(), 24, 24, 19), 0);
    watchedTexture = app->font.texture;
    ASSERT_TRUE(glIsTexture(watchedTexture));
    app->timeItem.reset(new TimeItem());
    app->timeItem->setFont(&app->font);

    const HWND window = app->window;
    originalProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchingProc)));
    appMessagesSeen = 0;
    textureAliveAtDestroy = true;
    ASSERT_TRUE(PostMessageA(window, WM_APP + 5, 0, 0));
    ASSERT_TRUE(PostMessageA(window, WM_APP + 5, 0, 0));
    // The close request reaches the loop only through the procedure.
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    EXPECT_EQ(app->run(), 0);

    EXPECT_EQ(appMessagesSeen, 2);
    EXPECT_FALSE(app->running);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(textureAliveAtDestroy) << "the window went before the atlas texture";
    EXPECT_EQ(app->font.texture, 0u);
    // The turn that saw the quit was finished: the item was refreshed.
    EXPECT_EQ(app->timeItem->text.rfind("Time ", 0), 0u) << app->timeItem->text;
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "message " << message.message << " left";
}

TEST_F(AppRun, QuitPostedToTheThreadEndsTheLoopToo)
{
    const HWND window = app->window;
    PostQuitMessage(0);
    EXPECT_EQ(app->run(), 0);
    EXPECT_FALSE(IsWindow(window));
}

// The session service as it may be early at logon: it refuses twice.
std::vector<DWORD> registrationTicks;
BOOL WINAPI sessionRefusingTwice(HWND, DWORD)
{
    registrationTicks.push_back(GetTickCount());
    return registrationTicks.size() > 2;
}

void sendDisplayState(HWND window, const GUID& setting, DWORD state)
{
    alignas(POWERBROADCAST_SETTING) unsigned char notice[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
    POWERBROADCAST_SETTING* power = reinterpret_cast<POWERBROADCAST_SETTING*>(notice);
    power->PowerSetting = setting;
    power->DataLength = sizeof state;
    std::memcpy(power->Data, &state, sizeof state);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(power));
}

// One step a turn: each changes what Windows says about the strip, and the
// next checks whether the turn after it refreshed the time line. A slow
// step can let two timer ticks fall in one pump, so each step also moves
// the strip aside, and a tick that finds it not yet back in its corner
// (every turn puts it there) waits for the next.
struct UnseenStep {
    const char* what;
    void (*act)(HWND window);
    bool seenAfter;
};
const UnseenStep kUnseenSteps[] = {
    {"hidden", [](HWND w) { ShowWindow(w, SW_HIDE); }, false},
    {"shown", [](HWND w) { ShowWindow(w, SW_SHOWNA); }, true},
    {"locked", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0); }, false},
    {"connected while locked", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, 0); }, false},
    {"unlocked", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0); }, true},
    {"remote disconnect", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, 0); }, false},
    {"remote connect", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 0); }, true},
    {"console disconnect", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_CONSOLE_DISCONNECT, 0); }, false},
    {"console connect", [](HWND w) { SendMessageA(w, WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, 0); }, true},
    {"display off", [](HWND w) { sendDisplayState(w, kSessionDisplayStatus, 0); }, false},
    {"display dimmed", [](HWND w) { sendDisplayState(w, kSessionDisplayStatus, 2); }, true},
    {"monitor off", [](HWND w) { sendDisplayState(w, kMonitorPowerOn, 0); }, false},
    {"monitor on", [](HWND w) { sendDisplayState(w, kMonitorPowerOn, 1); }, true},
};
constexpr char kStale[] = "stale";
App* scriptedApp = nullptr;
size_t scriptStep = 0;
std::vector<std::string> scriptProblems;

void CALLBACK unseenScriptTick(HWND, UINT, UINT_PTR, DWORD)
{
    const size_t steps = sizeof kUnseenSteps / sizeof kUnseenSteps[0];
    TimeItem& time = *scriptedApp->timeItem;
    const HWND window = scriptedApp->window;
    RECT place = {};
    GetWindowRect(window, &place);
    if (place.left != 0)
        return;
    if (scriptStep > 0 && scriptStep <= steps) {
        const UnseenStep& done = kUnseenSteps[scriptStep - 1];
        if ((time.text == kStale) == done.seenAfter)
            scriptProblems.push_back(std::string(done.what) + ": " + time.text);
    }
    if (scriptStep < steps) {
        time.text = kStale;
        kUnseenSteps[scriptStep].act(window);
        SetWindowPos(window, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ++scriptStep;
    // Then long enough after the third registration to see that it was the last.
    if (scriptStep > steps && registrationTicks.size() >= 3 && GetTickCount() - registrationTicks[2] > 2500)
        PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST_F(AppRun, NothingIsRefreshedWhileNobodyCanSeeTheStrip)
{
    app->timeItem.reset(new TimeItem());
    sessionView() = SessionView();
    registrationTicks.clear();
    app->registerSession = sessionRefusingTwice;
    scriptedApp = app.get();
    scriptStep = 0;
    scriptProblems.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, unseenScriptTick);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(app->run(), 0);
    KillTimer(nullptr, timer);
    for (const std::string& problem : scriptProblems)
        ADD_FAILURE() << problem << (problem.find(kStale) != std::string::npos ? " (not refreshed)" : " (refreshed)");
    ASSERT_EQ(registrationTicks.size(), 3u) << "refused twice, then taken, then left alone";
    EXPECT_GE(registrationTicks[1] - registrationTicks[0], 2000u);
    EXPECT_GE(registrationTicks[2] - registrationTicks[1], 2000u);
}

TEST_F(AppRun, FrameDrawsEachLoadedLineInItsOwnBand)
{
    const std::string atlas = sourcePath("res/fira-code.png");
    ASSERT_EQ(app->font.load(atlas.c_str(), 24, 24, 19), 0);
    ScratchDir dir;
    dir.write("config.ini",
              "[Style]\nfont_size=16\nfont_spacing=9\ntext_color=#FFFFFF\n"
              "[Position]\nmargin_x=4\nmargin_y=5\n"
              "[Display]\nshow_date=true\nshow_time=true\nshow_battery=true\n");
    {
        WorkingDirectory cwd(dir.path());
        ASSERT_EQ(app->loadSettings(), 0);
    }
    app->dateItem->update();
    app->timeItem->update();
    app->batteryItem->update();
    app->renderFrame();
    const Frame frame = Frame::read();

    // Line n covers rows 5 + 22n to 5 + 22n + 16, its shadow included.
    int litPerLine[3] = {};
    int litElsewhere = 0;
    for (int y = 0; y < 100; ++y) {
        const int line = (y - 5) / 22;
        const bool inBand = y >= 5 && line < 3 && y <= 5 + 22 * line + 16;
        for (int x = 0; x < 600; ++x) {
            if (frame.at(x, y) == Rgb{0, 0, 0})
                continue;
            if (inBand && x >= 4)
                ++litPerLine[line];
            else
                ++litElsewhere;
        }
    }
    EXPECT_GT(litPerLine[0], 50) << "date";
    EXPECT_GT(litPerLine[1], 50) << "time";
    EXPECT_GT(litPerLine[2], 50) << "battery";
    EXPECT_EQ(litElsewhere, 0);
}

class SettingsLoad : public ::testing::Test {
protected:
    void load(const std::string& ini)
    {
        dir.write("config.ini", ini);
        WorkingDirectory cwd(dir.path());
        result = app.loadSettings();
    }

    ScratchDir dir;
    App app;
    int result = 99;
};

TEST_F(SettingsLoad, AllThreeLinesStackDownFromTheTopMargin)
{
    load("[Style]\nfont_size=18\nfont_spacing=11.5\ntext_color=#FF8000\n"
         "[Position]\nmargin_x=7\nmargin_y=5\n"
         "[Display]\nshow_date=true\nshow_time=true\nshow_battery=true\n");
    EXPECT_EQ(result, 0);
    ASSERT_TRUE(app.dateItem && app.timeItem && app.batteryItem);

    const TextItem* items[] = {app.dateItem.get(), app.timeItem.get(), app.batteryItem.get()};
    const int ys[] = {5, 27, 49};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i]->font, &app.font);
        EXPECT_EQ(items[i]->x, 7);
        EXPECT_EQ(items[i]->y, ys[i]);
        EXPECT_EQ(items[i]->fontSize, 18.0f);
        EXPECT_EQ(items[i]->spacing, 11.5f);
        EXPECT_EQ(items[i]->color.red, 255.0f);
        EXPECT_EQ(items[i]->color.green, 128.0f);
        EXPECT_EQ(items[i]->color.blue, 0.0f);
        EXPECT_TRUE(items[i]->text.empty());
    }
}

TEST_F(SettingsLoad, OnlyTheEnabledLinesGetItemsWithNoGapForTheOthers)
{
    load("[Style]\nfont_size=24\nfont_spacing=12\ntext_color=#00FF00\n"
         "[Position]\nmargin_x=-3\nmargin_y=-4\n"
         "[Display]\nshow_date=True\nshow_time=true\nshow_battery=true\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(app.dateItem, nullptr);
    ASSERT_NE(app.timeItem, nullptr);
    ASSERT_NE(app.batteryItem, nullptr);
    EXPECT_EQ(app.timeItem->x, -3);
    EXPECT_EQ(app.timeItem->y, -4);
    EXPECT_EQ(app.batteryItem->y, 18);
}

TEST_F(SettingsLoad, FileTooLargeToHoldIsTreatedAsUnreadable)
{
    dir.write("config.ini",
              "[Display]\nshow_date=true\nshow_time=true\nshow_battery=true\n" + std::string(4 << 20, 'x') + "\n");
    setAllocationLimit(1 << 20);
    {
        WorkingDirectory cwd(dir.path());
        result = app.loadSettings();
    }
    setAllocationLimit(0);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(app.dateItem, nullptr);
    EXPECT_EQ(app.timeItem, nullptr);
    EXPECT_EQ(app.batteryItem, nullptr);
}

TEST(SettingsLoadMissing, NoSettingsFileCreatesNoItems)
{
    ScratchDir dir;
    App app;
    {
        WorkingDirectory cwd(dir.path());
        EXPECT_EQ(app.loadSettings(), -1);
    }
    EXPECT_EQ(app.dateItem, nullptr);
    EXPECT_EQ(app.timeItem, nullptr);
    EXPECT_EQ(app.batteryItem, nullptr);
}

// What another thread gets from waiting on the mutex without blocking.
DWORD waitElsewhere(HANDLE mutex)
{
    DWORD result = WAIT_FAILED;
    std::thread([&] {
        result = WaitForSingleObject(mutex, 0);
        if (result == WAIT_OBJECT_0)
            ReleaseMutex(mutex);
    }).join();
    return result;
}

// Process exit would free the guard anyway; here the process lives on.
TEST(SingleInstance, GuardIsHeldUnderItsNameUntilReleased)
{
    ASSERT_EQ(acquireSingleInstance(), 0);
    const HANDLE seen = OpenMutexA(SYNCHRONIZE, FALSE, "HalvestaSingleInstance");
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(waitElsewhere(seen), static_cast<DWORD>(WAIT_TIMEOUT)) << "the guard is not owned";
    releaseSingleInstance();
    EXPECT_EQ(waitElsewhere(seen), static_cast<DWORD>(WAIT_OBJECT_0)) << "the guard was not released";
    CloseHandle(seen);
    const HANDLE again = OpenMutexA(SYNCHRONIZE, FALSE, "HalvestaSingleInstance");
    EXPECT_EQ(again, nullptr) << "the guard's handle was not closed";
    if (again)
        CloseHandle(again);
}

} // namespace
