// The notification-area icon as the shell sees it, and the exe's resources.
#include "probe.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

NOTIFYICONDATAA iconRecord(HWND tray)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = tray;
    data.uID = 1;
    return data;
}

} // namespace

std::string trayIconExists()
{
    const HWND tray = FindWindowA("TRAY_ICON_CLASSNAME", nullptr);
    if (!tray)
        return "none";
    NOTIFYICONDATAA data = iconRecord(tray);
    return Shell_NotifyIconA(NIM_MODIFY, &data) ? "exists=1" : "exists=0";
}

std::string trayIconExistsFor(const std::string& windowHex)
{
    const HWND tray = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(windowHex.c_str(), nullptr, 16)));
    NOTIFYICONDATAA data = iconRecord(tray);
    return Shell_NotifyIconA(NIM_MODIFY, &data) ? "exists=1" : "exists=0";
}

std::string trayIconDelete()
{
    const HWND tray = FindWindowA("TRAY_ICON_CLASSNAME", nullptr);
    if (!tray)
        return "none";
    NOTIFYICONDATAA data = iconRecord(tray);
    return Shell_NotifyIconA(NIM_DELETE, &data) ? "ok" : "error delete failed";
}

std::string sendTaskbarCreated()
{
    const HWND tray = FindWindowA("TRAY_ICON_CLASSNAME", nullptr);
    if (!tray)
        return "none";
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutA(tray, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    return sent ? "ok" : "error send timed out";
}

std::string exeResources(const std::string& path)
{
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "error cannot open";
    const bool icon = FindResourceA(module, MAKEINTRESOURCEA(20001), MAKEINTRESOURCEA(14)) != nullptr;
    std::string manifest = "none";
    if (const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (text)
            manifest = escapeLine(std::string(text, SizeofResource(module, found)));
    }
    FreeLibrary(module);
    return std::string("icongroup20001=") + (icon ? "1" : "0") + " manifest=" + manifest;
}
