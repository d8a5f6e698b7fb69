// Memory of the program under test, as the system accounts it, for the
// soak test's leak check.
#include "probe.h"

#include <psapi.h>

#include <cstdio>

std::string processMemory(const std::string& className)
{
    const HWND window = FindWindowA(className.c_str(), nullptr);
    if (!window)
        return "none";
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return "error cannot open process";
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    const BOOL got =
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    CloseHandle(process);
    if (!got)
        return "error no memory counters";
    char line[200];
    std::snprintf(line, sizeof line, "workingset=%llu peak=%llu pagefile=%llu private=%llu",
                  static_cast<unsigned long long>(counters.WorkingSetSize),
                  static_cast<unsigned long long>(counters.PeakWorkingSetSize),
                  static_cast<unsigned long long>(counters.PagefileUsage),
                  static_cast<unsigned long long>(counters.PrivateUsage));
    return line;
}
