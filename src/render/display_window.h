#pragma once

#include <windows.h>

constexpr char kDisplayClassName[] = "MAINWINDOW_CLASSNAME";
constexpr char kDisplayTitle[] = "Halvesta";

// What Windows has told the strip about who can see it, each kept on its
// own: fast user switching sends a connect before the unlock.
struct SessionView {
    bool locked = false;
    bool disconnected = false;
    bool displayOff = false;
};

// The display settings whose changes the window accepts: the session's own
// display (Windows 8 and later) and the monitor's power.
extern const GUID kSessionDisplayStatus;
extern const GUID kMonitorPowerOn;

// The display window's notices so far, all false when the process starts.
SessionView& sessionView();

// Turns a close request into the end of the frame loop; the loop destroys
// the window once it has finished. Also keeps sessionView up to date.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
