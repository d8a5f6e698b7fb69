// The floor: the least any program pays for this design. Same window,
// pixel format, context and GL state, tray icon and menu, atlas, COM
// apartment, session and display notices, and per
// turn the same queries, formatting into fixed buffers, shadow and colour
// passes in immediate mode, present and 16 ms sleep. Written as plainly as
// possible so the benchmark's difference is what the real program adds.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#include <objbase.h>
#include <versionhelpers.h>
#include <wtsapi32.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include "stb/png_files.h"

#include "app/frame_timing.h"
#include "render/display_window.h"

#include <cstdio>
#include <cstring>
#include <ctime>

static GLuint texture;
static int atlasWidth, atlasHeight;

static LRESULT CALLBACK floorWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

static LRESULT CALLBACK floorTrayProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(w, m, wp, lp);
}

static void drawLine(const char* text, int x, int y)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    float penX = static_cast<float>(x);
    const float top = static_cast<float>(y), bottom = top + 24.0f;
    for (const char* c = text; *c; ++c) {
        const int index = static_cast<signed char>(*c) - 32;
        const int col = index % 19, row = index / 19;
        const float u0 = static_cast<float>(col * 24) / static_cast<float>(atlasWidth);
        const float u1 = static_cast<float>((col + 1) * 24) / static_cast<float>(atlasWidth);
        const float v0 = static_cast<float>(row * 24) / static_cast<float>(atlasHeight);
        const float v1 = static_cast<float>((row + 1) * 24) / static_cast<float>(atlasHeight);
        glTexCoord2f(u0, v0);
        glVertex2f(penX, top);
        glTexCoord2f(u1, v0);
        glVertex2f(penX + 24.0f, top);
        glTexCoord2f(u1, v1);
        glVertex2f(penX + 24.0f, bottom);
        glTexCoord2f(u0, v1);
        glVertex2f(penX, bottom);
        penX += 24.0f;
    }
    glEnd();
}

static void drawItem(const char* text, int x, int y)
{
    glColor3f(0.01f, 0.01f, 0.01f);
    drawLine(text, x + 1, y + 1);
    glColor3f(1.0f, 0.5f, 0.0f);
    drawLine(text, x, y);
}

int main()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = floorWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "MAINWINDOW_CLASSNAME";
    RegisterClassA(&wc);
    HWND window =
        CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST, "MAINWINDOW_CLASSNAME",
                        "Halvesta", WS_POPUP, 0, 0, 600, 100, nullptr, nullptr, instance, nullptr);
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd);
    wglMakeCurrent(dc, wglCreateContext(dc));
    glViewport(0, 0, 600, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 600, 100, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetLayeredWindowAttributes(window, RGB(0, 0, 0), 0, LWA_COLORKEY);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window, SW_SHOWNA);
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
    const HPOWERNOTIFY displayNotice = RegisterPowerSettingNotification(
        window, IsWindows8OrGreater() ? &kSessionDisplayStatus : &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);

    unsigned char* pixels = loadPngRgba("res/fira-code.png", atlasWidth, atlasHeight);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, atlasWidth, atlasHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    freePngPixels(pixels);

    WNDCLASSA tc = {};
    tc.lpfnWndProc = floorTrayProc;
    tc.hInstance = instance;
    tc.lpszClassName = "FLOOR_TRAY_CLASSNAME";
    RegisterClassA(&tc);
    HWND trayWindow = CreateWindowExA(0, "FLOOR_TRAY_CLASSNAME", "", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = trayWindow;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_USER + 1;
    nid.hIcon = static_cast<HICON>(LoadImageA(instance, "icon.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    std::strcpy(nid.szTip, "Halvesta is Running...");
    Shell_NotifyIconA(NIM_ADD, &nid);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 10001, "About Halvesta");
    AppendMenuA(menu, MF_STRING, 10002, "Check For Updates");
    AppendMenuA(menu, MF_SEPARATOR, 1, "");
    AppendMenuA(menu, MF_STRING, 10003, "Hide Halvesta");
    AppendMenuA(menu, MF_STRING, 10004, "Close");

    char date[32], clock[14], battery[48];
    MSG msg = {};
    bool running = true;
    while (running) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                running = false;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 600, 100, SWP_NOACTIVATE);

        FRAME_PART_BEGIN(Update);
        SYSTEM_POWER_STATUS power;
        if (!GetSystemPowerStatus(&power)) {
            std::strcpy(battery, "Battery N/A");
        } else {
            const char* mains = power.ACLineStatus == 0 ? "On Battery"
                : power.ACLineStatus == 1               ? "Plugged In"
                                                        : "Unknown";
            if (power.BatteryLifePercent > 100)
                std::snprintf(battery, sizeof battery, "Battery N/A (%s)", mains);
            else
                std::snprintf(battery, sizeof battery, "Battery %d%% (%s)", power.BatteryLifePercent, mains);
        }
        std::time_t now = std::time(nullptr);
        std::strftime(date, sizeof date, "Date %Y-%m-%d", std::localtime(&now));
        now = std::time(nullptr);
        std::strftime(clock, sizeof clock, "Time %H:%M:%S", std::localtime(&now));
        FRAME_PART_END(Update);

        FRAME_PART_BEGIN(Render);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        drawItem(battery, 10, 54);
        drawItem(date, 10, 10);
        drawItem(clock, 10, 32);
        FRAME_PART_END(Render);

        FRAME_PART_BEGIN(Present);
        SwapBuffers(dc);
        FRAME_PART_END(Present);
        FRAME_PRESENTED();
        FRAME_TURN_ENDED(window);
        Sleep(16);
    }
    glDeleteTextures(1, &texture);
    WTSUnRegisterSessionNotification(window);
    UnregisterPowerSettingNotification(displayNotice);
    DestroyWindow(window);
    FRAME_TIMING_REPORT();
    Shell_NotifyIconA(NIM_DELETE, &nid);
    DestroyMenu(menu);
    CoUninitialize();
    return 0;
}
