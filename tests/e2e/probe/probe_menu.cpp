// The popup menu of the program under test: waits for it, reads it through
// the hook library, moves the highlight with keys and chooses or dismisses.
#include "probe.h"

#include <cstring>
#include <vector>

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
    const HOOKPROC procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(hookLibrary, "probeMenuHook")));
    if (!procedure)
        return false;
    hook = SetWindowsHookExA(WH_CALLWNDPROC, procedure, hookLibrary, thread);
    hookedThread = hook ? thread : 0;
    return hook != nullptr;
}

std::string queryMenu(HWND menuWindow)
{
    if (!dumpMapping)
        dumpMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMenuDumpSize,
                                         kMenuDumpMapping);
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
    SendMessageTimeoutA(menuWindow, RegisterWindowMessageA(kMenuQueryMessage), 0, 0, SMTO_ABORTIFHUNG, 3000,
                        &result);
    std::string dump(view);
    UnmapViewOfFile(view);
    if (dump.empty())
        return "error hook gave no answer";
    return dump;
}

// The id of the highlighted item in a dump, 0 when none.
UINT highlighted(const std::string& dump)
{
    size_t start = dump.find('|');
    while (start != std::string::npos) {
        const size_t end = dump.find('|', start + 1);
        const std::string item = dump.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        const size_t semi = item.find(';');
        const size_t semi2 = item.find(';', semi + 1);
        if (semi != std::string::npos && semi2 != std::string::npos &&
            item.substr(semi + 1, semi2 - semi - 1).find('H') != std::string::npos)
            return static_cast<UINT>(std::stoul(item.substr(0, semi)));
        start = end;
    }
    return 0;
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

std::string menuChoose(UINT id)
{
    const HWND menuWindow = findMenuWindow();
    if (!menuWindow)
        return "none";
    for (int step = 0; step < 12; ++step) {
        const std::string dump = queryMenu(menuWindow);
        if (dump.rfind("error", 0) == 0)
            return dump;
        if (highlighted(dump) == id) {
            pressKey(menuWindow, VK_RETURN);
            return "ok";
        }
        pressKey(menuWindow, VK_DOWN);
        Sleep(30);
    }
    return "error item never highlighted";
}

std::string menuDismiss()
{
    const HWND menuWindow = findMenuWindow();
    if (!menuWindow)
        return "none";
    pressKey(menuWindow, VK_ESCAPE);
    return "ok";
}
