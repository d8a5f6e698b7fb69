#include "app/single_instance.h"

#include "program_files.h"

#include <windows.h>

namespace {
HANDLE instanceMutex = nullptr;
}

int acquireSingleInstance()
{
    instanceMutex = CreateMutexA(nullptr, TRUE, kSingleInstanceMutex);
    const DWORD error = GetLastError();
    // A copy running elevated, or under another account in this session,
    // holds a mutex this one may not open.
    if (error == ERROR_ALREADY_EXISTS || (!instanceMutex && error == ERROR_ACCESS_DENIED)) {
        MessageBoxA(nullptr, "Halvesta is already running.", "Halvesta Info", MB_ICONINFORMATION);
        return -1;
    }
    return 0;
}

void releaseSingleInstance()
{
    ReleaseMutex(instanceMutex);
    CloseHandle(instanceMutex);
    instanceMutex = nullptr;
}
