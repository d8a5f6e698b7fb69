#include "tray/tray_icon.h"

#include "program_files.h"
#include "render/display_window.h"
#include "tray/about_box.h"

#include <cstring>

namespace {

HMENU popupMenu = nullptr;
int hidden = 0;
// The icon record, kept so that it can be added again after Explorer
// restarts and drops every notification-area icon.
NOTIFYICONDATAA* registeredIcon = nullptr;
UINT taskbarCreatedMessage = 0;

// A refused add is tried again this often, for as long as it takes: at logon
// Explorer may answer late and send no "TaskbarCreated" afterwards.
constexpr UINT_PTR kIconRetryTimer = 1;
constexpr UINT kIconRetryMilliseconds = 2000;

// An add that timed out may still have gone through, so a refused add is
// followed by a modify of the same record.
bool registerIcon()
{
    return Shell_NotifyIconA(NIM_ADD, registeredIcon) || Shell_NotifyIconA(NIM_MODIFY, registeredIcon);
}

// Setting the timer again while it runs only restarts its 2 s.
void registerIconOrRetry(HWND trayWindow)
{
    if (!registeredIcon)
        return;
    if (registerIcon())
        KillTimer(trayWindow, kIconRetryTimer);
    else
        SetTimer(trayWindow, kIconRetryTimer, kIconRetryMilliseconds, nullptr);
}

// An elevated copy's message filter drops the shell's "TaskbarCreated".
// Looked up at run time: the Ex form is Windows 7's, the plain one Vista's.
void allowMessageThroughFilter(HWND window, UINT message)
{
    using FilterForWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using FilterForProcess = BOOL(WINAPI*)(UINT, DWORD);
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW and MSGFLT_ADD alike
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        return;
    // Through void (*)(): the one function type a cast may change freely.
    using AnyFunction = void (*)();
    if (const FARPROC found = GetProcAddress(user32, "ChangeWindowMessageFilterEx")) {
        reinterpret_cast<FilterForWindow>(reinterpret_cast<AnyFunction>(found))(window, message, kAllow, nullptr);
        return;
    }
    if (const FARPROC found = GetProcAddress(user32, "ChangeWindowMessageFilter"))
        reinterpret_cast<FilterForProcess>(reinterpret_cast<AnyFunction>(found))(message, kAllow);
}

// The strip's class name is generic enough for another program to use it
// too: only a window of this process is ours to hide or close.
HWND findOwnDisplayWindow()
{
    const DWORD self = GetCurrentProcessId();
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kDisplayClassName, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == self)
            return window;
    }
    return nullptr;
}

void showMenu(HWND trayWindow)
{
    // GetCursorPos fails on a locked session; the menu then opens at the corner.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    SetForegroundWindow(trayWindow);
    CheckMenuItem(popupMenu, kMenuHide, MF_BYCOMMAND | (hidden == 1 ? MF_CHECKED : MF_UNCHECKED));
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popupMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, trayWindow, nullptr));
    // Without it the menu may stay open after a click elsewhere, or vanish
    // the next time it opens.
    PostMessageA(trayWindow, WM_NULL, 0, 0);
    onTrayMenuCommand(trayWindow, command);
}

} // namespace

void onTrayMenuCommand(HWND trayWindow, UINT command)
{
    switch (command) {
    case kMenuAbout: {
        AboutBox about(trayWindow);
        about.show();
        break;
    }
    case kMenuCheckForUpdates:
        ShellExecuteA(nullptr, "open", kUpdatesAddress, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case kMenuHide: {
        hidden ^= 1;
        if (const HWND display = findOwnDisplayWindow())
            ShowWindow(display, hidden == 1 ? SW_HIDE : SW_SHOWNA);
        break;
    }
    case kMenuClose: {
        const HWND display = findOwnDisplayWindow();
        // With no strip there is nobody to turn WM_CLOSE into a quit.
        if (display)
            PostMessageA(display, WM_CLOSE, 0, 0);
        else
            PostQuitMessage(0);
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    // Alt+F4 meant for another window must not end the program.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)
        return 0;
    if (message == WM_TIMER && wParam == kIconRetryTimer) {
        registerIconOrRetry(window);
        return 0;
    }
    if (message == kTrayCallbackMessage) {
        if (LOWORD(lParam) == WM_RBUTTONUP)
            showMenu(window);
        return 0;
    }
    if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
        registerIconOrRetry(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int TrayIcon::init()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = trayWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTrayClassName;
    RegisterClassA(&windowClass);

    hiddenWindow = CreateWindowExA(0, kTrayClassName, "", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   nullptr, nullptr, instance, nullptr);
    if (hiddenWindow && taskbarCreatedMessage != 0)
        allowMessageThroughFilter(hiddenWindow, taskbarCreatedMessage);

    icon = loadIconFile(kTrayIconFile);
    if (!icon)
        return -1;

    iconData.cbSize = sizeof(NOTIFYICONDATAA);
    iconData.hWnd = hiddenWindow;
    iconData.uID = 1;
    iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData.uCallbackMessage = kTrayCallbackMessage;
    iconData.hIcon = icon;
    std::strncpy(iconData.szTip, "Halvesta is Running...", sizeof iconData.szTip - 1);
    registeredIcon = &iconData;
    registerIconOrRetry(hiddenWindow);

    popupMenu = CreatePopupMenu();
    AppendMenuA(popupMenu, MF_STRING, kMenuAbout, "About Halvesta");
    AppendMenuA(popupMenu, MF_STRING, kMenuCheckForUpdates, "Check For Updates");
    AppendMenuA(popupMenu, MF_SEPARATOR, 1, "");
    AppendMenuA(popupMenu, MF_STRING, kMenuHide, "Hide Halvesta");
    AppendMenuA(popupMenu, MF_STRING, kMenuClose, "Close");
    return 0;
}

HICON loadIconFile(const char* path)
{
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

void TrayIcon::shutdown()
{
    if (hiddenWindow) {
        DestroyWindow(hiddenWindow);
        hiddenWindow = nullptr;
    }
    registeredIcon = nullptr;
    Shell_NotifyIconA(NIM_DELETE, &iconData);
    if (icon) {
        DestroyIcon(icon);
        icon = nullptr;
    }
    if (popupMenu) {
        DestroyMenu(popupMenu);
        popupMenu = nullptr;
    }
}
