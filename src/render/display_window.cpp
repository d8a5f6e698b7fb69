#include "render/display_window.h"

#include <cstring>

// Where the definitions are not in older headers.
#ifndef WM_WTSSESSION_CHANGE
#define WM_WTSSESSION_CHANGE 0x02B1
#endif
#ifndef PBT_POWERSETTINGCHANGE
#define PBT_POWERSETTINGCHANGE 0x8013
#endif

const GUID kSessionDisplayStatus = {0x2B84C20E, 0xAD23, 0x4DDF, {0x93, 0xDB, 0x05, 0xFF, 0xBD, 0x7E, 0xFC, 0xA5}};
const GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};

namespace {

SessionView view;

enum SessionChange : WPARAM {
    ConsoleConnect = 0x1,
    ConsoleDisconnect = 0x2,
    RemoteConnect = 0x3,
    RemoteDisconnect = 0x4,
    SessionLock = 0x7,
    SessionUnlock = 0x8,
};

void onSessionChange(WPARAM change)
{
    switch (change) {
    case SessionLock:
        view.locked = true;
        break;
    case SessionUnlock:
        view.locked = false;
        break;
    case ConsoleDisconnect:
    case RemoteDisconnect:
        view.disconnected = true;
        break;
    case ConsoleConnect:
    case RemoteConnect:
        view.disconnected = false;
        break;
    default:
        break;
    }
}

// Either display setting the loop may have asked for: 0 is off; 1 on and 2
// dimmed are both seen.
void onPowerSetting(const POWERBROADCAST_SETTING* setting)
{
    if (!setting || setting->DataLength < sizeof(DWORD))
        return;
    if (!IsEqualGUID(setting->PowerSetting, kSessionDisplayStatus)
        && !IsEqualGUID(setting->PowerSetting, kMonitorPowerOn))
        return;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    view.displayOff = state == 0;
}

} // namespace

SessionView& sessionView()
{
    return view;
}

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
    if (message == WM_WTSSESSION_CHANGE) {
        onSessionChange(wParam);
        return 0;
    }
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        onPowerSetting(reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
