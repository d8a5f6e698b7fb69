// A notification area that refuses every icon, as Explorer does while it is
// slow at logon. The shell finds the tray by its window class, the first in
// Z order, so this one, on top, answers in place of the real one until it
// is removed.
#include "thread_window.h"

#include <shellapi.h>

#include <cstdio>

namespace {

ThreadWindow standIn;
volatile LONG adds = 0;
volatile LONG modifies = 0;

LRESULT CALLBACK refusingTrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == NIM_ADD)
            InterlockedIncrement(&adds);
        else if (data->dwData == NIM_MODIFY)
            InterlockedIncrement(&modifies);
        return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

std::string refusingTrayOpen()
{
    adds = 0;
    modifies = 0;
    const ThreadWindow::Look look = {
        "Shell_TrayWnd", refusingTrayProc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, {0, 0, 1, 1}};
    if (!standIn.open(look))
        return "error no window";
    return FindWindowA("Shell_TrayWnd", nullptr) == standIn.handle() ? "ok" : "error not the first tray";
}

std::string refusingTrayState()
{
    char line[80];
    std::snprintf(line, sizeof line, "adds=%ld modifies=%ld", adds, modifies);
    return line;
}

std::string refusingTrayClose()
{
    if (!standIn.handle())
        return "none";
    return standIn.close() ? "ok" : "error still there";
}
