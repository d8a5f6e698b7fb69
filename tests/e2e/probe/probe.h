#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

// Names shared by the probe and its hook library, which runs inside the
// program under test to read its popup menu (menu handles do not cross
// processes under Wine).
constexpr char kMenuQueryMessage[] = "HalvestaProbeMenuQuery";
constexpr char kMenuDumpMapping[] = "HalvestaProbeMenuDump";
constexpr DWORD kMenuDumpSize = 4096;

// Each command answers one line; failures start with "error".
std::string windowInfo(const std::string& className);
std::string postClose(const std::string& className);
std::string sendSessionChange(unsigned change);
std::string moveWindow(const std::string& className, int x, int y);
std::string countWindows(const std::string& className, const std::string& title);
std::string notifyTray(UINT mouseMessage);
std::string waitTurns(int turns);
std::string turnRate(DWORD milliseconds);
std::string mutexExists(const std::string& name);
std::string mutexDeniedHold(const std::string& name);
std::string mutexDeniedRelease();

std::string focusTake();
std::string focusRemove();
std::string keyboardOwners();
std::string typeAltF4();
std::string postSystemClose(const std::string& className);

std::string refusingTrayOpen();
std::string refusingTrayState();
std::string refusingTrayClose();

std::string menuWait(DWORD timeoutMs);
std::string menuItems();
std::string menuChoose(UINT id);
std::string menuDismiss();

std::string messageBoxText(const std::string& caption);
std::string messageBoxOk(const std::string& caption);

std::string trayIconExists();
std::string trayIconExistsFor(const std::string& windowHex);
std::string trayIconDelete();
std::string sendTaskbarCreated();
std::string exeResources(const std::string& path);
// A shortcut NAME in the user's Startup folder, made through the shell.
std::string makeStartupShortcut(const std::string& name, const std::string& target, const std::string& startIn);
std::string processMemory(const std::string& className);

std::string decoyCreate(const std::string& className);
std::string decoyRaise();
std::string decoyState();
std::string stripOverDecoy();
std::string decoyRemove();
// The probe's own windows (the decoy) are never the program's.
bool isProbeWindow(HWND window);
// The first window of the class in Z order that is not the probe's own.
HWND findProgramWindow(const std::string& className);

std::string escapeLine(const std::string& text);
