#include "render/display_window.h"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    // Alt+F4 meant for another window must not end the program; the menu's
    // Close and a WM_CLOSE from elsewhere still do.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
