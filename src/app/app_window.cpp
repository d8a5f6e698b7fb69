#include "app/app.h"

#include "render/display_window.h"
#include "render/strip_geometry.h"

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

    const HWND created =
        CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST, kDisplayClassName,
                        kDisplayTitle, WS_POPUP, 0, 0, kStripWidth, kStripHeight, nullptr, nullptr, instance, nullptr);
    if (!created)
        return -1;
    window = created;

    context.init(window);
    setupProjection();

    // Pixels of the key colour become holes; everything else is opaque.
    const ColorBytes key = colorBytes(kColorKey);
    SetLayeredWindowAttributes(window, RGB(key.red, key.green, key.blue), 0, LWA_COLORKEY);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    // Shown without activation: the strip never takes the keyboard.
    ShowWindow(window, SW_SHOWNA);
    return 0;
}
