#include "check/console.h"

#ifdef _WIN32

#include "render/system_power.h"

#include <windows.h>

#include <conio.h>

bool readSystemPower(PowerReading& power)
{
    power = currentPowerReading();
    return true;
}

bool ownsItsConsole()
{
    DWORD processes[2];
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    return GetConsoleProcessList(processes, 2) == 1 && input != INVALID_HANDLE_VALUE && input != nullptr
        && GetConsoleMode(input, &mode) != 0;
}

void waitForKey()
{
    _getch();
}

namespace {

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event == CTRL_CLOSE_EVENT)
        ExitProcess(0);
    return FALSE; // Ctrl-C goes on to the C runtime's SIGINT
}

} // namespace

void endWithZeroWhenConsoleCloses()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

Utf8Output::Utf8Output() : previous(GetConsoleOutputCP())
{
    if (previous != 0)
        SetConsoleOutputCP(CP_UTF8);
}

Utf8Output::~Utf8Output()
{
    if (previous != 0)
        SetConsoleOutputCP(previous);
}

#else

bool readSystemPower(PowerReading&)
{
    return false;
}

bool ownsItsConsole()
{
    return false;
}

void waitForKey() {}

void endWithZeroWhenConsoleCloses() {}

Utf8Output::Utf8Output() = default;
Utf8Output::~Utf8Output() = default;

#endif
