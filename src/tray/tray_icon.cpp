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
const NOTIFYICONDATAA* registeredIcon = nullptr;
UINT taskbarCreatedMessage = 0;

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
            ShowWindow(display, hidden == 1 ? SW_HIDE : SW_SHOWNORMAL);
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
    if (message == kTrayCallbackMessage) {
        if (LOWORD(lParam) == WM_RBUTTONUP)
            showMenu(window);
        return 0;
    }
    if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
        if (registeredIcon)
            Shell_NotifyIconA(NIM_ADD, const_cast<NOTIFYICONDATAA*>(registeredIcon));
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

    icon = static_cast<HICON>(LoadImageA(instance, kTrayIconFile, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (!icon)
        return -1;

    iconData.cbSize = sizeof(NOTIFYICONDATAA);
    iconData.hWnd = hiddenWindow;
    iconData.uID = 1;
    iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData.uCallbackMessage = kTrayCallbackMessage;
    iconData.hIcon = icon;
    std::strncpy(iconData.szTip, "Halvesta is Running...", sizeof iconData.szTip - 1);
    Shell_NotifyIconA(NIM_ADD, &iconData);
    registeredIcon = &iconData;

    popupMenu = CreatePopupMenu();
    AppendMenuA(popupMenu, MF_STRING, kMenuAbout, "About Halvesta");
    AppendMenuA(popupMenu, MF_STRING, kMenuCheckForUpdates, "Check For Updates");
    AppendMenuA(popupMenu, MF_SEPARATOR, 1, "");
    AppendMenuA(popupMenu, MF_STRING, kMenuHide, "Hide Halvesta");
    AppendMenuA(popupMenu, MF_STRING, kMenuClose, "Close");
    return 0;
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
