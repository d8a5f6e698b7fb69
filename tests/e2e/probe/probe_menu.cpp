// The popup menu of the program under test: waits for it, reads it through
// the hook library, moves the highlight with keys and chooses or dismisses.
#include "probe.h"

#include <cstring>

namespace {

HMODULE hookLibrary = nullptr;
HHOOK hook = nullptr;
DWORD hookedThread = 0;
HANDLE dumpMapping = nullptr;

HWND findMenuWindow()
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

std::string hookDirectoryLibrary()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return std::string(path) + "probe_hook.dll";
}

bool ensureHook(DWORD thread)
{
    if (hook && hookedThread == thread)
        return true;
    if (hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
    if (!hookLibrary)
        hookLibrary = LoadLibraryA(hookDirectoryLibrary().c_str());
    if (!hookLibrary)
        return false;
    const HOOKPROC procedure =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hookLibrary, "probeMenuHook")));
    if (!procedure)
        return false;
    hook = SetWindowsHookExA(WH_CALLWNDPROC, procedure, hookLibrary, thread);
    hookedThread = hook ? thread : 0;
    return hook != nullptr;
}

std::string queryMenu(HWND menuWindow)
{
    if (!dumpMapping)
        dumpMapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMenuDumpSize, kMenuDumpMapping);
    if (!dumpMapping)
        return "error no mapping";
    char* view = static_cast<char*>(MapViewOfFile(dumpMapping, FILE_MAP_WRITE, 0, 0, kMenuDumpSize));
    if (!view)
        return "error no view";
    std::memset(view, 0, kMenuDumpSize);
    if (!ensureHook(GetWindowThreadProcessId(menuWindow, nullptr))) {
        UnmapViewOfFile(view);
        return "error hook not installed";
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(menuWindow, RegisterWindowMessageA(kMenuQueryMessage), 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    std::string dump(view);
    UnmapViewOfFile(view);
    if (dump.empty())
        return "error hook gave no answer";
    return dump;
}

// Positions among the selectable items (separators skipped, as the arrow
// keys skip them) of the highlighted item and of `id`; -1 when absent.
struct Positions {
    int highlighted = -1;
    int target = -1;
};

Positions positionsIn(const std::string& dump, UINT id)
{
    Positions found;
    int position = 0;
    for (size_t start = dump.find('|'); start != std::string::npos; start = dump.find('|', start + 1)) {
        const size_t semi = dump.find(';', start);
        const size_t semi2 = dump.find(';', semi + 1);
        if (semi == std::string::npos || semi2 == std::string::npos)
            break;
        const std::string flags = dump.substr(semi + 1, semi2 - semi - 1);
        if (flags.find('S') != std::string::npos)
            continue;
        if (flags.find('H') != std::string::npos)
            found.highlighted = position;
        if (std::stoul(dump.substr(start + 1, semi - start - 1)) == id)
            found.target = position;
        ++position;
    }
    return found;
}

void pressKey(HWND menuWindow, WPARAM key)
{
    PostMessageA(menuWindow, WM_KEYDOWN, key, 1);
    PostMessageA(menuWindow, WM_KEYUP, key, 0xC0000001);
}

} // namespace

std::string menuWait(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (findMenuWindow())
            return "ok";
        if (GetTickCount() - start >= timeoutMs)
            return "none";
        Sleep(20);
    }
}

std::string menuItems()
{
    const HWND menuWindow = findMenuWindow();
    if (!menuWindow)
        return "none";
    return queryMenu(menuWindow);
}

// The highlight is read while no key of ours is queued, so it is current;
// the keys that follow are handled in order by the menu's own loop.
std::string menuChoose(UINT id)
{
    const HWND menuWindow = findMenuWindow();
    if (!menuWindow)
        return "none";
    const std::string dump = queryMenu(menuWindow);
    if (dump.rfind("error", 0) == 0)
        return dump;
    const Positions at = positionsIn(dump, id);
    if (at.target < 0)
        return "error no such item";
    // From no highlight, the first Down highlights the first item.
    for (int step = at.highlighted; step < at.target; ++step)
        pressKey(menuWindow, VK_DOWN);
    for (int step = at.highlighted; step > at.target; --step)
        pressKey(menuWindow, VK_UP);
    pressKey(menuWindow, VK_RETURN);
    return "ok";
}

std::string menuDismiss()
{
    const HWND menuWindow = findMenuWindow();
    if (!menuWindow)
        return "none";
    pressKey(menuWindow, VK_ESCAPE);
    return "ok";
}
