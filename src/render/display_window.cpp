#include "render/display_window.h"

#include "app/app.h"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int App::createWindow()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kDisplayClassName;
    if (!RegisterClassA(&windowClass))
        return -1;

    const HWND created = CreateWindowExA(
        WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST,
        kDisplayClassName, kDisplayTitle, WS_POPUP,
        0, 0, kDisplayWidth, kDisplayHeight,
        nullptr, nullptr, instance, nullptr);
    if (!created)
        return -1;
    window = created;

    context.init(window);
    setupProjection();

    // Exactly-black pixels become holes; everything else is opaque.
    SetLayeredWindowAttributes(window, RGB(0, 0, 0), 0, LWA_COLORKEY);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window, SW_SHOW);
    return 0;
}
