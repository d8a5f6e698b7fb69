#include "app/single_instance.h"

#include <windows.h>

namespace {
HANDLE instanceMutex = nullptr;
}

int acquireSingleInstance()
{
    instanceMutex = CreateMutexA(nullptr, TRUE, "HalvestaSingleInstance");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
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
