#include "check/machine_windows.h"

#include "check/doctor.h"
#include "check/line_texts.h"
#include "check/machine_paths.h"
#include "check/utc_offset.h"
#include "check/windows_text.h"
#include "program_files.h"
#include "render/display_window.h"
#include "render/system_power.h"
#include "tray/tray_icon.h"

#include <windows.h>

#include <objbase.h>

#include <cstdlib>
#include <ctime>

#if defined(_MSC_VER)
#pragma warning(disable : 4996) // localtime, getenv: one thread, nothing to race with
#endif

namespace {

bool iconLoads(const std::string& path)
{
    const HICON icon = loadIconFile(path.c_str());
    if (icon)
        DestroyIcon(icon);
    return icon != nullptr;
}

void readRunningCopy(WindowsFacts& facts)
{
    // Opened, never created: the guard stays the running copy's alone.
    const HANDLE guard = OpenMutexA(SYNCHRONIZE, FALSE, kSingleInstanceMutex);
    facts.running = guard != nullptr || GetLastError() == ERROR_ACCESS_DENIED;
    if (guard)
        CloseHandle(guard);
    if (!facts.running)
        return;
    DWORD processId = 0;
    const HWND strip = FindWindowA(kDisplayClassName, nullptr);
    if (!strip || !GetWindowThreadProcessId(strip, &processId))
        return;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return;
    wchar_t image[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(process, 0, image, &size))
        facts.runningFolder = folderOf(utf8FromWide(image));
    CloseHandle(process);
}

// As a DPI-aware process sees it: the monitor's own pixels and scale.
void readDisplay(DisplayFacts& display)
{
    using SetThreadContext = HANDLE(WINAPI*)(HANDLE);
    using SetProcessAware = BOOL(WINAPI*)();
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    // Per-monitor aware (Windows 10 1607 and later), else system aware.
    const auto setThread = reinterpret_cast<SetThreadContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
    const auto setProcess =
        reinterpret_cast<SetProcessAware>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    if (!(setThread && setThread(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)))) && setProcess)
        setProcess();

    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        display.width = info.rcMonitor.right - info.rcMonitor.left;
        display.height = info.rcMonitor.bottom - info.rcMonitor.top;
    }
    // Windows 8.1 and later scale each monitor on its own.
    const HMODULE shcore = LoadLibraryA("shcore.dll");
    const auto dpiForMonitor = shcore
        ? reinterpret_cast<DpiForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
        : nullptr;
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (dpiForMonitor && SUCCEEDED(dpiForMonitor(monitor, 0 /* effective */, &dpiX, &dpiY)) && dpiX > 0) {
        display.dpi = static_cast<int>(dpiX);
    } else if (const HDC screen = GetDC(nullptr)) {
        display.dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    if (shcore)
        FreeLibrary(shcore);
}

void readClock(ClockFacts& clock, LineTexts& texts)
{
    DYNAMIC_TIME_ZONE_INFORMATION zone = {};
    const DWORD which = GetDynamicTimeZoneInformation(&zone);
    clock.zone = utf8FromWide(zone.TimeZoneKeyName[0] ? zone.TimeZoneKeyName : zone.StandardName);
    const LONG bias = zone.Bias
        + (which == TIME_ZONE_ID_DAYLIGHT       ? zone.DaylightBias
               : which == TIME_ZONE_ID_STANDARD ? zone.StandardBias
                                                : 0);
    clock.windowsOffsetMinutes = -static_cast<int>(bias);

    // The lines' own clock: the C runtime's local time, TZ first.
    const char* tz = std::getenv("TZ");
    if (tz && *tz)
        clock.tz = tz;
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    std::tm utc = {};
    if (const std::tm* moment = std::localtime(&now))
        local = *moment;
    if (const std::tm* moment = std::gmtime(&now))
        utc = *moment;
    clock.offsetMinutes = utcOffsetMinutes(local, utc);
    texts = lineTextsAt(local, currentPowerReading());
}

std::string fullFolder(const std::string& folder)
{
    const std::wstring given = wideFromAnsi(folder.empty() ? "." : folder);
    wchar_t full[MAX_PATH * 2];
    const DWORD size = GetFullPathNameW(given.c_str(), MAX_PATH * 2, full, nullptr);
    return size > 0 && size < MAX_PATH * 2 ? utf8FromWide(full) : folder;
}

} // namespace

std::string ownFolder()
{
    // In the ANSI code page, as a folder given on the command line would be.
    char path[MAX_PATH * 2];
    const DWORD size = GetModuleFileNameA(nullptr, path, sizeof path);
    return size == 0 || size >= sizeof path ? std::string(".") : folderOf(path);
}

MachineFacts gatherMachineFacts(const std::string& folder)
{
    MachineFacts facts = folderFacts(folder);
    if (facts.icon == IconState::Present)
        facts.icon = iconLoads(inFolder(folder, kTrayIconFile)) ? IconState::Loads : IconState::Unloadable;
    facts.folder = fullFolder(folder);

    WindowsFacts windows;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    windows.startEntries = startEntries(facts.folder);
    if (SUCCEEDED(com))
        CoUninitialize();
    readRunningCopy(windows);
    windows.graphics = graphicsFacts(inFolder(folder, kAtlasFile));
    readDisplay(windows.display);
    LineTexts texts;
    readClock(windows.clock, texts);
    windows.battery = texts.battery;
    facts.windows = windows;
    return facts;
}
