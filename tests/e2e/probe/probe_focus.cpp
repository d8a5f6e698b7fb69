// Who has the keyboard: a window of the probe that takes the foreground as
// a user's own window would, Alt+F4 typed or posted, and where it landed.
#include "thread_window.h"

#include <cstdio>

namespace {

ThreadWindow focusWindow;
volatile LONG closeKeys = 0;

// Counts the Alt+F4 it is given and stays, so a test can see where it went.
LRESULT CALLBACK focusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        InterlockedIncrement(&closeKeys);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* whose(HWND window)
{
    if (!window)
        return "none";
    if (window == focusWindow.handle())
        return "probe";
    if (window == findProgramWindow("MAINWINDOW_CLASSNAME"))
        return "strip";
    if (window == findProgramWindow("TRAY_ICON_CLASSNAME"))
        return "tray";
    return "other";
}

} // namespace

std::string focusTake()
{
    if (!focusWindow.handle()) {
        const ThreadWindow::Look look = {
            "HalvestaProbeFocus", focusProc, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {300, 300, 600, 500}};
        if (!focusWindow.open(look))
            return "error no window";
    }
    closeKeys = 0;
    SetForegroundWindow(focusWindow.handle());
    for (int i = 0; i < 200 && GetForegroundWindow() != focusWindow.handle(); ++i)
        Sleep(10);
    return GetForegroundWindow() == focusWindow.handle() ? "ok" : "error not the foreground";
}

std::string focusRemove()
{
    if (!focusWindow.handle())
        return "none";
    return focusWindow.close() ? "ok" : "error still there";
}

// The foreground window, and the active and focus windows of the program's
// own thread, each named by whose it is.
std::string keyboardOwners()
{
    GUITHREADINFO program = {};
    program.cbSize = sizeof program;
    const HWND strip = findProgramWindow("MAINWINDOW_CLASSNAME");
    if (strip)
        GetGUIThreadInfo(GetWindowThreadProcessId(strip, nullptr), &program);
    char line[160];
    std::snprintf(line, sizeof line, "foreground=%s active=%s focus=%s closekeys=%ld", whose(GetForegroundWindow()),
                  whose(program.hwndActive), whose(program.hwndFocus), closeKeys);
    return line;
}

// Alt+F4 as the keyboard gives it: to whichever window has the focus.
std::string typeAltF4()
{
    INPUT keys[4] = {};
    const WORD sequence[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4 ? "ok" : "error input refused";
}

// The request Alt+F4 becomes, posted straight to a window; the low four
// bits of the command are the system's own and set here on purpose.
std::string postSystemClose(const std::string& className)
{
    const HWND window = findProgramWindow(className);
    if (!window)
        return "none";
    return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE | 0x2, 0) ? "ok" : "error post failed";
}
