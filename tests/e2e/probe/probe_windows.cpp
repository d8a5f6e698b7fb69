// Window inspection and plain messages to the program's windows.
#include "probe.h"

#include <cstdio>

namespace {

HANDLE deniedMutex = nullptr;

struct CountRequest {
    std::string className;
    std::string title;
    int count = 0;
};

BOOL CALLBACK countOne(HWND window, LPARAM param)
{
    CountRequest* request = reinterpret_cast<CountRequest*>(param);
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if (request->className != className)
        return TRUE;
    if (!request->title.empty()) {
        char title[256] = {};
        GetWindowTextA(window, title, sizeof title);
        if (request->title != title)
            return TRUE;
    }
    if (!isProbeWindow(window))
        ++request->count;
    return TRUE;
}

} // namespace

// The first window of the class in Z order that is not the probe's own.
HWND findProgramWindow(const std::string& className)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className.c_str(), nullptr)) != nullptr)
        if (!isProbeWindow(window))
            return window;
    return nullptr;
}

std::string escapeLine(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

std::string windowInfo(const std::string& className)
{
    const HWND window = findProgramWindow(className);
    if (!window)
        return "none";
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    RECT rect = {};
    GetWindowRect(window, &rect);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    const BOOL layered = GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    char line[600];
    std::snprintf(line, sizeof line,
                  "hwnd=%p visible=%d style=0x%lx exstyle=0x%lx classstyle=0x%lx rect=%ld,%ld,%ld,%ld "
                  "layered=%d key=0x%lx alpha=%u lwaflags=0x%lx title=%s",
                  static_cast<void*>(window), IsWindowVisible(window) ? 1 : 0,
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)),
                  static_cast<unsigned long>(GetClassLongA(window, GCL_STYLE)), rect.left, rect.top, rect.right,
                  rect.bottom, layered ? 1 : 0, static_cast<unsigned long>(key), static_cast<unsigned>(alpha),
                  static_cast<unsigned long>(flags), escapeLine(title).c_str());
    return line;
}

// The frame loop pumps messages once per turn, so between two answered
// round-trips lies at least one whole turn: its render and present. A
// message sent straight after an answer can still catch the pump that gave
// it, so the next one waits until that pump has drained.
bool roundTrip(HWND strip)
{
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutA(strip, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    Sleep(1);
    return answered;
}

std::string waitTurns(int turns)
{
    const HWND strip = findProgramWindow("MAINWINDOW_CLASSNAME");
    if (!strip)
        return "none";
    for (int i = 0; i <= turns; ++i) {
        if (!roundTrip(strip))
            return "error no answer";
    }
    return "ok";
}

std::string turnRate(DWORD milliseconds)
{
    const HWND strip = findProgramWindow("MAINWINDOW_CLASSNAME");
    if (!strip)
        return "none";
    int count = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (!roundTrip(strip))
            return "error no answer";
        ++count;
    }
    return "persecond=" + std::to_string(count * 1000 / static_cast<int>(milliseconds));
}

std::string mutexExists(const std::string& name)
{
    const HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (mutex)
        CloseHandle(mutex);
    return mutex ? "exists=1" : "exists=0";
}

// A mutex of that name that grants nobody any access, as a copy running
// elevated or under another account holds it; one at a time.
std::string mutexDeniedHold(const std::string& name)
{
    static ACL emptyList;
    SECURITY_DESCRIPTOR descriptor;
    if (deniedMutex || !InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION)
        || !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)
        || !SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE))
        return "error no descriptor";
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
    deniedMutex = CreateMutexA(&attributes, TRUE, name.c_str());
    return deniedMutex ? "ok" : "error no mutex";
}

std::string mutexDeniedRelease()
{
    if (!deniedMutex)
        return "none";
    ReleaseMutex(deniedMutex);
    CloseHandle(deniedMutex);
    deniedMutex = nullptr;
    return "ok";
}

// What Windows sends a registered window when the session locks (7),
// unlocks (8), connects or disconnects.
std::string sendSessionChange(unsigned change)
{
    const HWND strip = findProgramWindow("MAINWINDOW_CLASSNAME");
    if (!strip)
        return "none";
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(strip, 0x02B1, change, 0, SMTO_ABORTIFHUNG, 5000, &result) ? "ok" : "error no answer";
}

// As a display change moves a window: from outside, without activating it.
std::string moveWindow(const std::string& className, int x, int y)
{
    const HWND window = findProgramWindow(className);
    if (!window)
        return "none";
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? "ok"
                                                                                                 : "error move failed";
}

std::string postClose(const std::string& className)
{
    const HWND window = findProgramWindow(className);
    if (!window)
        return "none";
    return PostMessageA(window, WM_CLOSE, 0, 0) ? "ok" : "error post failed";
}

std::string countWindows(const std::string& className, const std::string& title)
{
    CountRequest request;
    request.className = className;
    request.title = title;
    EnumWindows(countOne, reinterpret_cast<LPARAM>(&request));
    return "count=" + std::to_string(request.count);
}

std::string notifyTray(UINT mouseMessage)
{
    const HWND tray = FindWindowA("TRAY_ICON_CLASSNAME", nullptr);
    if (!tray)
        return "none";
    return PostMessageA(tray, WM_USER + 1, 1, mouseMessage) ? "ok" : "error post failed";
}
