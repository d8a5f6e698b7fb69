#pragma once

#include <windows.h>

constexpr char kDisplayClassName[] = "MAINWINDOW_CLASSNAME";
constexpr char kDisplayTitle[] = "Halvesta";

// Turns a close request into the end of the frame loop; the loop destroys
// the window once it has finished.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
