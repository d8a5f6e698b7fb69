// A window of another program that happens to use the strip's class name:
// visible, topmost, on a thread of its own that answers its messages, and
// counting the close requests it receives.
#include "thread_window.h"

#include <cstdio>

namespace {

ThreadWindow decoyWindow;
std::string decoyClass;
volatile LONG closeRequests = 0;

LRESULT CALLBACK decoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        InterlockedIncrement(&closeRequests);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

std::string decoyCreate(const std::string& className)
{
    if (decoyWindow.handle())
        return "error a decoy exists";
    closeRequests = 0;
    decoyClass = className;
    const ThreadWindow::Look look = {
        decoyClass.c_str(), decoyProc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, {100, 300, 300, 350}};
    return decoyWindow.open(look) ? "ok" : "error no window";
}

std::string decoyRaise()
{
    const HWND decoy = decoyWindow.handle();
    if (!decoy)
        return "none";
    return SetWindowPos(decoy, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)
        ? "ok"
        : "error raise failed";
}

// Whether the program's strip lies above the decoy in the Z order.
std::string stripOverDecoy()
{
    const HWND decoy = decoyWindow.handle();
    if (!decoy)
        return "none";
    const HWND strip = findProgramWindow("MAINWINDOW_CLASSNAME");
    for (HWND above = GetWindow(decoy, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (above == strip)
            return "above";
    }
    return "below";
}

std::string decoyState()
{
    const HWND decoy = decoyWindow.handle();
    if (!decoy)
        return "none";
    char line[80];
    std::snprintf(line, sizeof line, "visible=%d closes=%ld", IsWindowVisible(decoy) ? 1 : 0, closeRequests);
    return line;
}

std::string decoyRemove()
{
    if (!decoyWindow.handle())
        return "none";
    return decoyWindow.close() ? "ok" : "error still there";
}

bool isProbeWindow(HWND window)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == GetCurrentProcessId();
}
