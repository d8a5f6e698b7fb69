// Hook library loaded by Wine into the program under test: answers the
// probe's menu query from inside the process that owns the menu.
#include "probe.h"

#include <cstdio>
#include <cstring>

namespace {

UINT queryMessage()
{
    static const UINT message = RegisterWindowMessageA(kMenuQueryMessage);
    return message;
}

std::string describeMenu(HWND menuWindow)
{
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (!menu)
        return "error no menu handle";
    const int count = GetMenuItemCount(menu);
    std::string out = "count=" + std::to_string(count);
    for (int i = 0; i < count; ++i) {
        char label[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        char item[400];
        std::snprintf(item, sizeof item, "|%u;%s%s%s;%s", id, (state & MF_SEPARATOR) ? "S" : "",
                      (state & MF_CHECKED) ? "C" : "", (state & MF_HILITE) ? "H" : "", label);
        out += item;
    }
    return out;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probeMenuHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == queryMessage()) {
        const std::string dump = describeMenu(call->hwnd);
        if (HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kMenuDumpMapping)) {
            if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kMenuDumpSize)) {
                std::strncpy(static_cast<char*>(view), dump.c_str(), kMenuDumpSize - 1);
                UnmapViewOfFile(view);
            }
            CloseHandle(mapping);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
