// A window of another program that happens to use the strip's class name:
// visible, topmost, on a thread of its own that answers its messages, and
// counting the close requests it receives.
#include "probe.h"

#include <cstdio>

namespace {

HWND decoy = nullptr;
DWORD decoyThread = 0;
HANDLE decoyReady = nullptr;
volatile LONG closeRequests = 0;

LRESULT CALLBACK decoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        InterlockedIncrement(&closeRequests);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI decoyMain(void* className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = decoyProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = static_cast<const char*>(className);
    RegisterClassA(&windowClass);
    decoy = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, "Decoy", WS_POPUP | WS_VISIBLE,
                            100, 300, 200, 50, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetEvent(decoyReady);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    if (decoy)
        DestroyWindow(decoy);
    decoy = nullptr;
    UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
    return 0;
}

} // namespace

std::string decoyCreate(const std::string& className)
{
    if (decoy)
        return "error a decoy exists";
    static std::string name;
    name = className;
    closeRequests = 0;
    decoyReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE thread = CreateThread(nullptr, 0, decoyMain, const_cast<char*>(name.c_str()), 0, &decoyThread);
    if (!thread)
        return "error no thread";
    WaitForSingleObject(decoyReady, 10000);
    CloseHandle(decoyReady);
    CloseHandle(thread);
    return decoy ? "ok" : "error no window";
}

std::string decoyRaise()
{
    if (!decoy)
        return "none";
    return SetWindowPos(decoy, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)
        ? "ok"
        : "error raise failed";
}

// Whether the program's strip lies above the decoy in the Z order.
std::string stripOverDecoy()
{
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
    if (!decoy)
        return "none";
    char line[80];
    std::snprintf(line, sizeof line, "visible=%d closes=%ld", IsWindowVisible(decoy) ? 1 : 0, closeRequests);
    return line;
}

std::string decoyRemove()
{
    if (!decoy)
        return "none";
    PostThreadMessageA(decoyThread, WM_QUIT, 0, 0);
    for (int i = 0; i < 500 && decoy; ++i)
        Sleep(10);
    return decoy ? "error still there" : "ok";
}

bool isProbeWindow(HWND window)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == GetCurrentProcessId();
}
