#pragma once

#include <windows.h>
#include <shellapi.h>

constexpr char kTrayClassName[] = "TRAY_ICON_CLASSNAME";
constexpr UINT kTrayCallbackMessage = WM_USER + 1;
constexpr UINT kMenuAbout = 10001;
constexpr UINT kMenuCheckForUpdates = 10002;
constexpr UINT kMenuHide = 10003;
constexpr UINT kMenuClose = 10004;
constexpr char kUpdatesAddress[] = "https://halvesta.example.org/halvesta";

// The notification-area icon, its hidden message window and its menu.
class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // 0 on success; -1 when "icon.ico" cannot be loaded (no icon or menu).
    int init();
    // Removes whatever init created; safe after a failed init.
    void shutdown();

    NOTIFYICONDATAA iconData = {};
    HWND hiddenWindow = nullptr;
    HICON icon = nullptr;
};

// An icon file loaded as the notification area is given it; null when it
// cannot be loaded.
HICON loadIconFile(const char* path);

LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Acts on a command chosen from the menu (0: dismissed, nothing happens).
void onTrayMenuCommand(HWND trayWindow, UINT command);
